// The settings window's particle page around a document: what it shows of the selected
// particle, what it applies (as one step) or refuses (with the first unreadable field's
// message), and how it follows the document.
#include "WindowsFixture.h"

#include "model/History.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

class ParticleTabTest : public WindowsTest {
protected:
  TParticleTab &Tab() const { return *settings->TabSheet_Particle; }
  const TParticle &Particle(int index) const {
    return document.Scene().Particles[static_cast<size_t>(index)];
  }
  void Type(QLineEdit *edit, const char *text) const { edit->setText(QString::fromUtf8(text)); }
};

TEST_F(ParticleTabTest, AppliesWithEitherSeparatorAsOneStepThatUndoes) {
  TParticle electron = ParticlePreset(TParticleKind::Electron);
  electron.X = 0.25L;
  document.AddParticle(electron);
  const int index = document.AddParticle(ParticlePreset(TParticleKind::Proton));
  ASSERT_EQ(settings->PageControl->tabText(3), QStringLiteral("Teilchen"));
  EXPECT_EQ(Tab().ComboBox_Particles->count(), 2);
  EXPECT_EQ(Tab().ComboBox_Particles->itemText(1), QStringLiteral("2: Proton"));
  EXPECT_EQ(Tab().ComboBox_Kind->currentText(), QStringLiteral("Proton"));
  EXPECT_EQ(Tab().Edit_Charge->text(), QStringLiteral("1"));

  // The other particle from the list: its values, the point read with a German comma.
  Tab().ComboBox_Particles->setCurrentIndex(0);
  emit Tab().ComboBox_Particles->activated(0);
  EXPECT_EQ(document.Scene().SelectedParticle, 0);
  EXPECT_EQ(Tab().Edit_X->text(), QStringLiteral("0,25"));
  EXPECT_EQ(Tab().Edit_Charge->text(), QStringLiteral("-1"));
  document.SelectParticle(index);

  // An alpha particle's preset, its charge then given in coulombs; positions and speeds
  // typed with a point and with a comma.
  Tab().ComboBox_Kind->setCurrentIndex(2);
  emit Tab().ComboBox_Kind->activated(2);
  EXPECT_EQ(Tab().Edit_Mass->text(), QStringLiteral("6,6446573357E-27"));
  EXPECT_EQ(Tab().Edit_Charge->text(), QStringLiteral("2"));
  Tab().ComboBox_Unit->setCurrentIndex(1);
  Type(Tab().Edit_Charge, "3,2e-19");
  Type(Tab().Edit_X, "-0.5");
  Type(Tab().Edit_Y, "1,5");
  Type(Tab().Edit_VX, "2e5");
  Type(Tab().Edit_VY, "-1.25E4");
  const int stepsBefore = document.History().Count();
  const TParticle before = Particle(index);
  QTest::mouseClick(Tab().Button_Apply, Qt::LeftButton);
  EXPECT_EQ(dialogs->Errors(), std::vector<QString>{});

  TParticle expected = ParticlePreset(TParticleKind::Alpha);
  expected.Charge = 3.2e-19L;
  expected.ChargeUnit = 1;
  expected.X = -0.5L;
  expected.Y = 1.5L;
  expected.VX = 2e5L;
  expected.VY = -1.25e4L;
  EXPECT_EQ(Particle(index), expected);
  EXPECT_EQ(document.History().Count(), stepsBefore + 1);
  EXPECT_EQ(Tab().ComboBox_Particles->itemText(1), QStringLiteral("2: Alphateilchen"));

  document.Undo();
  EXPECT_EQ(Particle(index), before);
  EXPECT_EQ(Tab().ComboBox_Kind->currentText(), QStringLiteral("Proton"))
      << "the page shows what the undo brought back";
  EXPECT_EQ(Tab().Edit_X->text(), QStringLiteral("0"));

  QTest::mouseClick(Tab().Button_Delete, Qt::LeftButton);
  EXPECT_EQ(document.Scene().Particles.size(), 1u);
  EXPECT_EQ(Tab().ComboBox_Particles->count(), 1);
  EXPECT_FALSE(Tab().Button_Apply->isEnabled()) << "no particle is selected after a delete";
  EXPECT_TRUE(Tab().Edit_Mass->text().isEmpty());
  document.Undo();
  EXPECT_EQ(Tab().ComboBox_Particles->count(), 2);
}

// The fourth page leaves the settings window as small as it was.
TEST_F(ParticleTabTest, NeedsNoMoreRoomThanThePagesBefore) {
  EXPECT_LE(Tab().minimumSizeHint().height(),
            settings->TabSheet_Charge->minimumSizeHint().height());
  EXPECT_LE(Tab().minimumSizeHint().width(), settings->TabSheet_View->minimumSizeHint().width());
}

TEST_F(ParticleTabTest, RefusesTheFirstUnacceptableFieldAndChangesNothing) {
  struct Case {
    QLineEdit *TParticleTab::*edit;
    const char *text, *error;
  };
  const int index = document.AddParticle(ParticlePreset(TParticleKind::Electron));
  const TParticle before = Particle(index);
  document.MarkSaved();
  for (const Case c : {Case{&TParticleTab::Edit_Mass, "0", "Ungültige Masse"},
                       Case{&TParticleTab::Edit_Mass, "-1e-30", "Ungültige Masse"},
                       Case{&TParticleTab::Edit_Mass, "", "Ungültige Masse"},
                       Case{&TParticleTab::Edit_Charge, "1.500", "Ungültige Ladungsangabe"},
                       Case{&TParticleTab::Edit_X, "x", "Ungültige x-Koordinate"},
                       Case{&TParticleTab::Edit_Y, "1e99999", "Ungültige y-Koordinate"},
                       Case{&TParticleTab::Edit_VX, "abc", "Ungültige Geschwindigkeit"},
                       // Newton's motion: light's speed itself is refused.
                       Case{&TParticleTab::Edit_VY, "299792458", "Ungültige Geschwindigkeit"}}) {
    document.SelectParticle(-1);
    document.SelectParticle(index); // the page shows the particle afresh
    dialogs->Calls.clear();
    Type(Tab().*c.edit, c.text);
    QTest::mouseClick(Tab().Button_Apply, Qt::LeftButton);
    ASSERT_EQ(dialogs->Calls.size(), 1u) << c.text;
    EXPECT_EQ(dialogs->Calls[0].Title, QStringLiteral("Ungültige oder unvollständige Angaben"));
    EXPECT_EQ(dialogs->Calls[0].Text, QString::fromUtf8(c.error)) << c.text;
    EXPECT_EQ(Particle(index), before) << c.text;
    EXPECT_FALSE(document.Modified()) << c.text;
  }
  // Just below light's speed is a speed.
  dialogs->Calls.clear();
  Type(Tab().Edit_VY, "299792457");
  QTest::mouseClick(Tab().Button_Apply, Qt::LeftButton);
  EXPECT_EQ(dialogs->Errors(), std::vector<QString>{});
  EXPECT_EQ(Particle(index).VY, 299792457.0L);
}

} // namespace
