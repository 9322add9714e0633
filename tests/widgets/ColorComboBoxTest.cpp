// The colour combo box: selecting colours from code and by the user, the free colour and its
// dialog, adding and deleting colours, and replacing the colour list with name questions.
#include "base/Errors.h"
#include "support/FakeDialogs.h"
#include "widgets/PellColorComboBox.h"

#include <QAbstractItemView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kPink = 0xFF00FF;
constexpr TColor kGreen = 0x00A609; // not in the list
constexpr int kRedIndex = 4;
constexpr int kPinkIndex = 14;
constexpr int kFreeIndex = 15;

class ColorComboBoxTest : public ::testing::Test {
protected:
  void SetUp() override { dialogs = &FakeDialogs::Install(); }
  void TearDown() override { FakeDialogs::Restore(); }

  int DialogCalls(const char *kind) const {
    int n = 0;
    for (const FakeDialogs::Shown &s : dialogs->Calls)
      n += s.Kind == QLatin1String(kind) ? 1 : 0;
    return n;
  }

  FakeDialogs *dialogs = nullptr;
  TPellColorComboBox combo;
  QSignalSpy changes{&combo, &TPellColorComboBox::OnColorChange};
};

TEST_F(ColorComboBoxTest, SetColorSelectsByTextElseTheFreeEntry) {
  const struct {
    TColor Color;
    int Index;
    TColor Custom;
  } cases[] = {
      {kRed, kRedIndex, 0},                 // listed: CustomColor stays
      {kGreen, kFreeIndex, kGreen},         // not listed: becomes the free colour
      {0x800000FF, kFreeIndex, 0x800000FF}, // a high byte never matches "$0000FF"
      {0x000000, 0, 0x800000FF},
  };
  for (const auto &c : cases) {
    const auto before = changes.count();
    combo.SetColor(c.Color);
    EXPECT_EQ(combo.currentIndex(), c.Index) << std::hex << c.Color;
    EXPECT_EQ(combo.Color(), c.Color);
    EXPECT_EQ(combo.CustomColor(), c.Custom);
    EXPECT_EQ(changes.count(), before + 1);
  }
  combo.SetColor(0x000000); // unchanged, still fires
  EXPECT_EQ(changes.count(), 5);
  EXPECT_EQ(combo.Entries().EntryText(kFreeIndex), QStringLiteral("Andere Farbe: $800000FF"));
  EXPECT_EQ(DialogCalls("color"), 0); // selecting from code never asks
}

TEST_F(ColorComboBoxTest, LowerCaseTextIsFoundByNumberButNotByText) {
  QStringList colors = combo.Colors();
  colors[kRedIndex] = QStringLiteral("$0000ff");
  combo.SetColors(colors); // as many texts as names: no questions
  EXPECT_EQ(DialogCalls("query"), 0);

  EXPECT_EQ(combo.GetColorName(kRed), QStringLiteral("Rot"));
  combo.SetColor(kRed);
  EXPECT_EQ(combo.currentIndex(), kFreeIndex);
  EXPECT_EQ(combo.Entries().EntryText(kFreeIndex), QStringLiteral("Andere Farbe: Rot"));
  EXPECT_TRUE(combo.DeleteColor_Color(kRed));
  EXPECT_FALSE(combo.Items().contains(QStringLiteral("Rot")));
}

TEST_F(ColorComboBoxTest, ArrowKeyOntoFreeEntryOpensDialogAtOnce) {
  const struct {
    std::optional<TColor> Answer;
    int Index;
    TColor Color;
    TColor Custom;
  } cases[] = {
      {kGreen, kFreeIndex, kGreen, kGreen},        // a new colour: the free entry
      {kRed, kRedIndex, kRed, kRed},               // a listed colour: its own entry
      {std::nullopt, kPinkIndex, kPink, 0x123456}, // cancelled: back where it was
  };
  for (const auto &c : cases) {
    TPellColorComboBox box;
    box.SetCustomColor(0x123456);
    box.SetColor(kPink);
    QSignalSpy spy(&box, &TPellColorComboBox::OnColorChange);
    dialogs->Calls.clear();
    dialogs->Colors = {c.Answer};
    QTest::keyClick(&box, Qt::Key_Down);
    ASSERT_EQ(DialogCalls("color"), 1);
    EXPECT_EQ(dialogs->Calls.back().Text, QStringLiteral("123456")); // preset: CustomColor
    EXPECT_EQ(box.currentIndex(), c.Index);
    EXPECT_EQ(box.Color(), c.Color);
    EXPECT_EQ(box.CustomColor(), c.Custom);
    EXPECT_EQ(spy.count(), 1);
  }
  // After a listed colour the free entry shows it by its list name.
  TPellColorComboBox box;
  dialogs->Colors = {kRed};
  box.SetColor(kPink);
  QTest::keyClick(&box, Qt::Key_Down);
  EXPECT_EQ(box.Entries().EntryText(kFreeIndex), QStringLiteral("Andere Farbe: Rot"));
}

TEST_F(ColorComboBoxTest, UserSelectionOfColourEntryByKeyAndMouse) {
  combo.SetColor(0x0080FF); // "Orange", after "Rot"
  changes.clear();
  QTest::keyClick(&combo, Qt::Key_Up);
  EXPECT_EQ(combo.Color(), kRed);
  EXPECT_EQ(changes.count(), 1);

  combo.show();
  combo.showPopup();
  QAbstractItemView *view = combo.view();
  const QPoint white = view->visualRect(view->model()->index(3, 0)).center();
  QTest::mouseMove(view->viewport(), white);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, white);
  EXPECT_EQ(combo.currentIndex(), 3);
  EXPECT_EQ(combo.Color(), 0xFFFFFFu);
  EXPECT_EQ(changes.count(), 2);
  EXPECT_EQ(DialogCalls("color"), 0);
}

TEST_F(ColorComboBoxTest, CustomColorFollowsIntoColorOnlyWhileFreeEntryIsSelected) {
  combo.SetColor(kRed);
  changes.clear();
  combo.SetCustomColor(kGreen);
  EXPECT_EQ(combo.Color(), kRed);
  EXPECT_EQ(changes.count(), 0);

  combo.SetColor(0x111111);
  changes.clear();
  combo.SetCustomColor(kGreen);
  EXPECT_EQ(combo.Color(), kGreen);
  EXPECT_EQ(changes.count(), 1);
}

TEST_F(ColorComboBoxTest, DeletionsAnswerWhetherAnEntryWent) {
  EXPECT_FALSE(combo.DeleteColor_Index(15)); // = Colors count: the free entry stays
  EXPECT_FALSE(combo.DeleteColor_Name(QStringLiteral("Andere Farbe")));
  EXPECT_FALSE(combo.DeleteColor_Name(QStringLiteral("rot"))); // case-sensitive
  EXPECT_FALSE(combo.DeleteColor_Color(kGreen));
  EXPECT_EQ(combo.Items().size(), 16);
  try {
    combo.DeleteColor_Index(-1);
    ADD_FAILURE() << "no list error";
  } catch (const EListError &e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Listenindex überschreitet das Maximum (-1)"));
  }

  EXPECT_TRUE(combo.DeleteColor_Name(QStringLiteral("Weiß")));
  EXPECT_TRUE(combo.DeleteColor_Color(0x000000));
  EXPECT_TRUE(combo.DeleteColor_Index(0)); // now "Dunkelgrau"
  EXPECT_EQ(combo.Items().mid(0, 2),
            (QStringList{QStringLiteral("Hellgrau"), QStringLiteral("Rot")}));
  EXPECT_EQ(combo.Colors().mid(0, 2),
            (QStringList{QStringLiteral("$C0C0C0"), QStringLiteral("$0000FF")}));
  EXPECT_EQ(combo.Items().size(), combo.Colors().size() + 1);
}

TEST_F(ColorComboBoxTest, DeletingSelectedColourSelectsFreeEntryWithThatColour) {
  combo.SetColor(kRed);
  changes.clear();
  ASSERT_TRUE(combo.DeleteColor_Name(QStringLiteral("Rot")));
  EXPECT_EQ(combo.currentIndex(), 14); // the free entry moved up by one
  EXPECT_EQ(combo.itemText(combo.currentIndex()), QStringLiteral("Andere Farbe"));
  EXPECT_EQ(combo.Color(), kRed);
  EXPECT_EQ(combo.CustomColor(), kRed);
  EXPECT_EQ(changes.count(), 1);
}

TEST_F(ColorComboBoxTest, AddColorPlacesByIndexAndKeepsSelection) {
  const struct {
    int Index;
    int Position;
  } cases[] = {{-1, 15}, {15, 15}, {99, 15}, {0, 0}, {7, 7}};
  for (const auto &c : cases) {
    TPellColorComboBox box;
    box.SetColor(kRed);
    QSignalSpy spy(&box, &TPellColorComboBox::OnColorChange);
    box.AddColor(0x00A6, QStringLiteral("Braun"), c.Index);
    EXPECT_EQ(box.Colors()[c.Position], QStringLiteral("$0000A6")) << c.Index;
    EXPECT_EQ(box.Items()[c.Position], QStringLiteral("Braun")) << c.Index;
    EXPECT_EQ(box.Items().back(), QStringLiteral("Andere Farbe"));
    EXPECT_EQ(box.itemText(box.currentIndex()), QStringLiteral("Rot"));
    EXPECT_EQ(box.Color(), kRed);
    EXPECT_EQ(spy.count(), 0);
  }
  try {
    combo.AddColor(kGreen, QStringLiteral("Grün"), -2);
    ADD_FAILURE() << "no list error";
  } catch (const EListError &e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Listenindex überschreitet das Maximum (-2)"));
  }
  EXPECT_EQ(combo.Colors().size(), 15);
}

TEST_F(ColorComboBoxTest, FewerColoursAskForTheDeletedNames) {
  QStringList colors = combo.Colors();
  colors.removeAt(kRedIndex);
  colors.removeLast();
  combo.SetColor(kPink);
  // Unknown name, the free-colour name (no colour), a known name in other case; then cancel.
  dialogs->Queries = {QStringLiteral("Türkis"), QStringLiteral("Andere Farbe"),
                      QStringLiteral("rot"), std::nullopt};
  combo.SetColors(colors);

  QStringList prompts;
  for (const FakeDialogs::Shown &s : dialogs->Calls) {
    EXPECT_EQ(s.Title, QStringLiteral("Farbname"));
    prompts << s.Text;
  }
  EXPECT_EQ(prompts, (QStringList{QStringLiteral("Name der gelöschten Farbe:"),
                                  QStringLiteral("Die Farbe \"Türkis\" ist nicht vorhanden."),
                                  QStringLiteral("Die Farbe \"Andere Farbe\" ist nicht vorhanden."),
                                  QStringLiteral("Name der gelöschten Farbe:")}));
  // "Rot" went by name, the cancelled question took the last colour name.
  const QStringList names = combo.Items();
  ASSERT_EQ(names.size(), colors.size() + 1);
  EXPECT_FALSE(names.contains(QStringLiteral("Rot")));
  EXPECT_FALSE(names.contains(QStringLiteral("Rosa")));
  EXPECT_EQ(names.back(), QStringLiteral("Andere Farbe"));
  // Pink is gone from the list: re-applying Color makes it the free colour.
  EXPECT_EQ(combo.currentIndex(), colors.size());
  EXPECT_EQ(combo.CustomColor(), kPink);
}

TEST_F(ColorComboBoxTest, MoreColoursAskForTheAddedNames) {
  QStringList colors = combo.Colors();
  colors << QStringLiteral("$00A609") << QStringLiteral("$004080");
  dialogs->Queries = {QStringLiteral("Grasgrün"), std::nullopt};
  combo.SetColors(colors);
  ASSERT_EQ(DialogCalls("query"), 2);
  EXPECT_EQ(dialogs->Calls[0].Text, QStringLiteral("Name der hinzugefügten Farbe:"));
  EXPECT_EQ(combo.Items().mid(15),
            (QStringList{QStringLiteral("Grasgrün"), QString(), QStringLiteral("Andere Farbe")}));
  combo.SetColor(kGreen);
  EXPECT_EQ(combo.currentIndex(), 15);
}

TEST_F(ColorComboBoxTest, ColourTextThatIsNoNumberIsReportedWhenUserSelectsIt) {
  QStringList colors = combo.Colors();
  colors[0] = QStringLiteral("grün");
  combo.SetColors(colors);
  EXPECT_THROW(combo.GetColorName(kRed), EConvertError);
  combo.SetColor(0x808080);
  QTest::keyClick(&combo, Qt::Key_Up);
  EXPECT_EQ(dialogs->Errors(),
            std::vector<QString>{QStringLiteral("'grün' ist kein gültiger Integerwert.")});
}

} // namespace
