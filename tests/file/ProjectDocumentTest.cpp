#include "file/ProjectDocument.h"

#include "base/Seams.h"
#include "file/ProjectBytes.h"
#include "model/DocumentFixture.h"

namespace {

using ProjectDocumentTest = DocumentTest;

TEST_F(ProjectDocumentTest, ANewProjectWithOneClickedChargeIsTheWorkedExample) {
  AddCharge(396, 267, kElementaryCharge);
  EXPECT_EQ(EncodeProject(CaptureDocument(TheDocument())), Hex(kWorkedExampleHex));
}

TEST_F(ProjectDocumentTest, AppliedDataRestoresViewAndChargesInOrder) {
  TProjectData data = WorkedExampleData();
  data.OriginX = -40;
  data.ArrowScale = 2.5e-20L;
  data.ZoomFactor = 2;
  data.Charges.push_back({10.5, -3, -1e-9L, 400, true, 1});
  data.Potential.Map = true;
  ApplyViewOf(data, TheDocument());
  AppendChargesOf(data, TheDocument());
  EXPECT_EQ(Origin, (TPoint{-40, 267}));
  EXPECT_EQ(ArrowScale, 2.5e-20L);
  EXPECT_EQ(PixelsPerMetre, 2 * (96 / 0.0254L));
  EXPECT_TRUE(TheDocument().Potential.Map);
  ASSERT_EQ(Charges.Count(), 2);
  EXPECT_EQ(Charges[1]->X, 10.5);
  EXPECT_EQ(Charges[1]->FieldLineCount, 400u);
  EXPECT_TRUE(Charges[1]->IsTestCharge);
  EXPECT_EQ(Charges[1]->ChargeUnit, 1);
  EXPECT_EQ(engine->Children().size(), 2u); // the charges are sprites of the engine
  EXPECT_EQ(CaptureDocument(TheDocument()), data);
}

TEST_F(ProjectDocumentTest, AnotherScreenKeepsZoomAndPixelsSoMetresScale) {
  AddCharge(Origin.X + 100, Origin.Y, 1e-9L);
  const TProjectData saved = CaptureDocument(TheDocument());
  const long double metresAt96 = ChargeWorldPosition(*Charges[0]).X;

  seams::SetPixelsPerInchSource([] { return 120; });
  FreeCharges(false);
  ApplyViewOf(saved, TheDocument());
  AppendChargesOf(saved, TheDocument());
  EXPECT_EQ(ZoomFactor(), 1.0L);
  EXPECT_EQ(Charges[0]->X, saved.Charges[0].X);
  EXPECT_NEAR(static_cast<double>(ChargeWorldPosition(*Charges[0]).X / metresAt96), 96.0 / 120,
              1e-15);
  seams::SetPixelsPerInchSource([] { return 96; });
}

} // namespace
