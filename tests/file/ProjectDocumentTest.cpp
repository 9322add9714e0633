#include "file/ProjectDocument.h"

#include "base/Seams.h"
#include "file/ProjectBytes.h"
#include "model/DocumentFixture.h"

namespace {

using ProjectDocumentTest = DocumentTest;

TEST_F(ProjectDocumentTest, ANewProjectWithOneClickedChargeIsTheWorkedExample) {
  AddCharge(396, 267, kElementaryCharge);
  EXPECT_EQ(EncodeProject(CaptureScene(scene)), Hex(kWorkedExampleHex));
}

TEST_F(ProjectDocumentTest, AppliedDataRestoresViewAndChargesInOrder) {
  TProjectData data = WorkedExampleData();
  data.OriginX = -40;
  data.ArrowScale = 2.5e-20L;
  data.ZoomFactor = 2;
  data.Charges.push_back({10.5, -3, -1e-9L, 400, true, 1});
  data.Potential.Map = true;
  ApplyViewOf(data, scene);
  AppendChargesOf(data, scene);
  EXPECT_EQ(scene.Origin, (TPoint{-40, 267}));
  EXPECT_EQ(scene.ArrowScale, 2.5e-20L);
  EXPECT_EQ(scene.PixelsPerMetre, 2 * (96 / 0.0254L));
  EXPECT_TRUE(scene.Potential.Map);
  ASSERT_EQ(scene.Charges.Count(), 2);
  EXPECT_EQ(scene.Charges[1].X, 10.5);
  EXPECT_EQ(scene.Charges[1].FieldLineCount, 400u);
  EXPECT_TRUE(scene.Charges[1].IsTestCharge);
  EXPECT_EQ(scene.Charges[1].ChargeUnit, 1);
  EXPECT_EQ(CaptureScene(scene), data);
}

TEST_F(ProjectDocumentTest, AnotherScreenKeepsZoomAndPixelsSoMetresScale) {
  AddCharge(scene.Origin.X + 100, scene.Origin.Y, 1e-9L);
  const TProjectData saved = CaptureScene(scene);
  const long double metresAt96 = scene.ChargeWorldPosition(scene.Charges[0]).X;

  seams::SetPixelsPerInchSource([] { return 120; });
  scene.Charges.Clear();
  ApplyViewOf(saved, scene);
  AppendChargesOf(saved, scene);
  EXPECT_EQ(scene.ZoomFactor(), 1.0L);
  EXPECT_EQ(scene.Charges[0].X, saved.Charges[0].X);
  EXPECT_NEAR(static_cast<double>(scene.ChargeWorldPosition(scene.Charges[0]).X / metresAt96),
              96.0 / 120, 1e-15);
  seams::SetPixelsPerInchSource([] { return 96; });
}

} // namespace
