#include "file/ParticleBlock.h"
#include "file/ProjectDocument.h"
#include "file/ValueWriter.h"
#include "model/Scene.h"

#include "ProjectBytes.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <limits>

namespace {

TProjectData WithParticles(std::vector<TParticle> particles, TParticleSetup setup = {}) {
  TProjectData data = WorkedExampleData();
  data.Particles = {std::move(particles), std::move(setup)};
  return data;
}

// Values no decimal text would keep: a round trip must give back every bit.
TParticle OddElectron() {
  TParticle electron = ParticlePreset(TParticleKind::Electron);
  electron.X = -0.0123456789012345678L;
  electron.Y = 1.0L / 3;
  electron.VX = 2.9e7L / 7;
  electron.VY = -1e-300L;
  return electron;
}

TParticle FreeInCoulomb() {
  TParticle free = ParticlePreset(TParticleKind::Free);
  free.Mass = 1e-20L;
  free.Charge = -3e-9L;
  free.ChargeUnit = 1;
  return free;
}

TParticleSetup GoalAndNote() {
  TParticleSetup setup;
  setup.Goal = {true, 0.01L, -0.02L, 0.03L, 0.02L, 5 * kElementaryCharge};
  setup.Note = "y = qUL²/(2dmv²) ≈ 1,2 mm\nzweite Zeile";
  return setup;
}

// The file with one electron, its particle block (the last bytes) replaced by block.
QByteArray WithBlock(const QByteArray &block) {
  QByteArray own;
  {
    QBuffer buffer(&own);
    buffer.open(QIODevice::WriteOnly);
    TValueWriter writer(buffer);
    WriteParticleBlock(writer, {{OddElectron()}, {}});
    writer.Flush();
  }
  const QByteArray file = EncodeProject(WithParticles({OddElectron()}));
  EXPECT_TRUE(file.endsWith(own));
  return file.left(file.size() - own.size()) + block;
}

TEST(ParticleBlockTest, RoundTripsEveryBitAndRefusesDamage) {
  TParticle massless = OddElectron();
  massless.Mass = 0;
  TParticle notFinite = OddElectron();
  notFinite.VX = std::numeric_limits<long double>::infinity();
  TParticleSetup backwardsGoal = GoalAndNote();
  std::swap(backwardsGoal.Goal.Left, backwardsGoal.Goal.Right);
  TParticleSetup tooLong;
  tooLong.Note.assign(kMaxNoteBytes + 1, 'x');
  const struct {
    const char *name;
    QByteArray bytes;
    std::string outcome;
    TProjectData expected;
  } cases[] = {
      {"no particles writes today's bytes", Hex(kWorkedExampleHex), "ok", WorkedExampleData()},
      {"one electron", EncodeProject(WithParticles({OddElectron()})), "ok",
       WithParticles({OddElectron()})},
      {"every kind with goal and note",
       EncodeProject(WithParticles({OddElectron(), ParticlePreset(TParticleKind::Proton),
                                    ParticlePreset(TParticleKind::Alpha), FreeInCoulomb()},
                                   GoalAndNote())),
       "ok",
       WithParticles({OddElectron(), ParticlePreset(TParticleKind::Proton),
                      ParticlePreset(TParticleKind::Alpha), FreeInCoulomb()},
                     GoalAndNote())},
      {"a goal alone", EncodeProject(WithParticles({}, GoalAndNote())), "ok",
       WithParticles({}, GoalAndNote())},
      {"a later version is skipped", WithBlock(Hex("02 04  02 02  02 00")), "ok",
       WorkedExampleData()},
      {"a block beyond the end is foreign", WithBlock(Hex("02 10  02 01")), "ok",
       WorkedExampleData()},
      {"a mass of zero is damage", EncodeProject(WithParticles({massless})), kPropertyError,
       WorkedExampleData()},
      {"an infinite speed is damage", EncodeProject(WithParticles({notFinite})), kPropertyError,
       WorkedExampleData()},
      {"a goal turned inside out is damage", EncodeProject(WithParticles({}, backwardsGoal)),
       kPropertyError, WorkedExampleData()},
      {"a note too long is damage", EncodeProject(WithParticles({}, tooLong)), kPropertyError,
       WorkedExampleData()},
      {"an unknown kind is damage", WithBlock(Hex("02 06  02 01  02 01  02 07")), kPropertyError,
       WorkedExampleData()},
      {"too many particles is damage", WithBlock(Hex("02 05  02 01  03 e9 03")), kPropertyError,
       WorkedExampleData()},
      {"a particle cut off is damage", WithBlock(Hex("02 06  02 01  02 01  02 00")), kPropertyError,
       WorkedExampleData()},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    TProjectData data;
    data.Particles.Setup.Note = "reading starts afresh";
    ASSERT_EQ(DecodeOutcome(c.bytes, data), c.outcome) << c.bytes.toHex(' ').toStdString();
    if (c.outcome == "ok")
      EXPECT_EQ(data, c.expected);
    else
      EXPECT_TRUE(data.Particles.Empty());
  }
}

TEST(ParticleBlockTest, SceneParticlesSurviveSavingAndReading) {
  TScene scene;
  scene.Particles = {OddElectron(), FreeInCoulomb()};
  scene.ParticleSetup = GoalAndNote();
  TProjectData read;
  ASSERT_EQ(DecodeOutcome(EncodeProject(CaptureScene(scene)), read), "ok");
  TScene loaded;
  ApplyViewOf(read, loaded);
  AppendChargesOf(read, loaded);
  EXPECT_EQ(loaded.Particles, scene.Particles);
  EXPECT_EQ(loaded.ParticleSetup, scene.ParticleSetup);
}

} // namespace
