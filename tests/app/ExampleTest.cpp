// The "Beispiele" menu: each ready-made project opens through the project loader, after the
// save question, as an untitled project with the charges its name promises.
#include "support/ProgramFixture.h"

#include "app/Examples.h"

#include <QMenu>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace {

class ExampleTest : public ProgramTest {
public:
  QAction *ExampleAction(const QString &title) const {
    for (QAction *action : Form1->Beispiele1->actions())
      if (action->text() == title)
        return action;
    return nullptr;
  }
};

struct Expected {
  long double Elementary; // charge in elementary charges
  bool Test;
  long double Xcm;
  long double Ycm;
};

std::vector<Expected> Row(long double q, long double y, int lines) {
  std::vector<Expected> row;
  for (int i = -lines; i <= lines; ++i)
    row.push_back({q, false, static_cast<long double>(i), y});
  return row;
}

// Two rows of 13 charges 6 cm long, +q above and -q below, 2 y apart (cm).
std::vector<Expected> Plates(long double q, long double y) {
  std::vector<Expected> rows;
  for (const long double sign : {1.0L, -1.0L})
    for (int i = 0; i < 13; ++i)
      rows.push_back({sign * q, false, -3 + 0.5L * i, sign * y});
  return rows;
}

TEST_F(ExampleTest, EachExampleOpensUntitledWithItsCharges) {
  std::vector<Expected> plates = Row(1, 2, 5);
  const std::vector<Expected> lower = Row(-1, -2, 5);
  plates.insert(plates.end(), lower.begin(), lower.end());
  const std::vector<std::pair<QString, std::vector<Expected>>> cases = {
      {"Dipol", {{1, false, -3, 0}, {-1, false, 3, 0}}},
      {"Zwei gleiche Ladungen", {{1, false, -3, 0}, {1, false, 3, 0}}},
      {"Quadrupol", {{1, false, -2, 2}, {-1, false, 2, 2}, {1, false, 2, -2}, {-1, false, -2, -2}}},
      {"Platte", Row(1, 0, 5)},
      {"Ladungsreihe wie ein Plattenkondensator", plates},
      {"Probeladung im Feld eines Dipols", {{1, false, -3, 0}, {-1, false, 3, 0}, {1, true, 0, 2}}},
      {"Spannung zwischen zwei Probeladungen",
       {{1, false, -4, 0}, {-1, false, 4, 0}, {1, true, -1.5, 2}, {1, true, 1.5, 2}}},
      {"Braunsche Röhre", Plates(5e-12L / kElementaryCharge, 1.5L)},
      {"Rutherford-Streuung", {{1e-9L / kElementaryCharge, false, 0, 0}}},
      {"Feldhockey", {{2, false, 0, -1}, {2, false, 0, 0}, {2, false, 0, 1}}},
  };
  ASSERT_EQ(Form1->Beispiele1->actions().size(), static_cast<qsizetype>(cases.size()));
  for (const auto &[title, charges] : cases) {
    SCOPED_TRACE(title.toStdString());
    Form1->MenuItem_New->trigger();
    QAction *action = ExampleAction(title);
    ASSERT_NE(action, nullptr);
    action->trigger();
    EXPECT_TRUE(dialogs->Errors().empty());
    EXPECT_EQ(Form1->FileName(), QString());
    EXPECT_FALSE(Doc().Modified());
    EXPECT_FALSE(Doc().History().CanUndo());
    ASSERT_EQ(Charges().Count(), static_cast<int>(charges.size()));
    for (int i = 0; i < Charges().Count(); ++i) {
      const Expected &e = charges[static_cast<size_t>(i)];
      const TWorldPoint at = Scene().ChargeWorldPosition(Charge(i));
      EXPECT_NEAR(static_cast<double>(Charge(i).ChargeValue / kElementaryCharge),
                  static_cast<double>(e.Elementary),
                  1e-12 * std::max(1.0, std::fabs(static_cast<double>(e.Elementary))))
          << i;
      EXPECT_EQ(Charge(i).IsTestCharge, e.Test) << i;
      EXPECT_NEAR(static_cast<double>(at.X), static_cast<double>(e.Xcm / 100), 1e-9) << i;
      EXPECT_NEAR(static_cast<double>(at.Y), static_cast<double>(e.Ycm / 100), 1e-9) << i;
    }
    // The field's direction is the point of these two, and the pairs of lines between the
    // charges would hide it.
    const bool directed = title == "Dipol" || title == "Platte" ||
                          title.startsWith("Ladungsreihe") || title == "Braunsche Röhre";
    EXPECT_EQ(Scene().FieldLines.Arrows, directed);
    EXPECT_EQ(Scene().FieldLines.Proportional, directed);
    // The lessons of particles in motion bring their particles, and a note or a goal.
    const std::map<QString, std::pair<TParticleKind, size_t>> particles = {
        {"Braunsche Röhre", {TParticleKind::Electron, 1}},
        {"Rutherford-Streuung", {TParticleKind::Alpha, 5}},
        {"Feldhockey", {TParticleKind::Proton, 1}}};
    const auto kind = particles.find(title);
    const size_t count = kind == particles.end() ? 0 : kind->second.second;
    ASSERT_EQ(Scene().Particles.size(), count);
    EXPECT_EQ(Scene().SelectedParticle, count == 0 ? -1 : 0) << "the first one's readouts";
    for (const TParticle &particle : Scene().Particles)
      EXPECT_EQ(particle.Kind, kind->second.first);
    EXPECT_EQ(Scene().ParticleSetup.Note.empty(), count == 0);
    EXPECT_EQ(Scene().ParticleSetup.Goal.Active, title == "Feldhockey");
    const bool voltage = title.startsWith(QStringLiteral("Spannung"));
    EXPECT_EQ(Form3->isVisible(), voltage);
    const TVoltageChoice chosen = voltage ? TVoltageChoice{2, 3, 0} : TVoltageChoice{};
    EXPECT_EQ(Scene().Voltage, chosen);
  }
  // Untitled: "Speichern" asks for a name.
  dialogs->Calls.clear();
  Form1->MenuItem_Save->trigger();
  ASSERT_EQ(dialogs->Calls.size(), 1u);
  EXPECT_EQ(dialogs->Calls[0].Kind, QStringLiteral("save"));
}

TEST_F(ExampleTest, SaveQuestionComesBeforeAModifiedProjectIsReplaced) {
  for (const TQuestionAnswer answer : {TQuestionAnswer::Cancel, TQuestionAnswer::No}) {
    Form1->MenuItem_New->trigger();
    Create(100, 100);
    dialogs->Calls.clear();
    dialogs->Answers = {answer};
    ExampleAction(QStringLiteral("Dipol"))->trigger();
    ASSERT_EQ(dialogs->Calls.size(), 1u);
    EXPECT_EQ(dialogs->Calls[0].Text, SaveQuestion());
    EXPECT_EQ(Charges().Count(), answer == TQuestionAnswer::Cancel ? 1 : 2);
  }
}

} // namespace
