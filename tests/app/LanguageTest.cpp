#include "support/Mnemonics.h"
#include "support/ProgramFixture.h"
#include "support/Retranslation.h"

#include "app/Language.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "model/Document.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The language at start: the kept choice, else German for a German or languageless system,
// English for any other; numbers in the system's format where it speaks the language or none.
TEST(LanguageTest, StartLanguageAndNumberFormat) {
  const QTemporaryDir dir;
  QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
  const QLocale german(QLocale::German, QLocale::Austria);
  const QLocale english(QLocale::English, QLocale::UnitedKingdom);
  const QLocale french(QLocale::French, QLocale::France);
  const struct {
    QLocale system;
    TLanguage start;
    QString point; // of the numbers in the start language
  } cases[] = {{german, TLanguage::German, ","},
               {QLocale::c(), TLanguage::German, "."},
               {english, TLanguage::English, "."},
               {french, TLanguage::English, "."}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.system.name().toStdString());
    EXPECT_EQ(StartLanguage(settings, c.system), c.start);
    const QLocale numbers = NumberLocale(c.start, c.system, c.system);
    EXPECT_EQ(numbers.decimalPoint(), c.point);
    if (c.system.language() != QLocale::French) {
      EXPECT_EQ(numbers, c.system);
    }
  }
  // A switch and back: the system's own format again.
  const QLocale toEnglish = NumberLocale(TLanguage::English, german, german);
  EXPECT_EQ(toEnglish.decimalPoint(), ".");
  EXPECT_EQ(NumberLocale(TLanguage::German, toEnglish, german), german);
  EXPECT_EQ(NumberLocale(TLanguage::German, english, english).decimalPoint(), ",");

  for (const TLanguage kept : {TLanguage::English, TLanguage::German}) {
    KeepLanguage(settings, kept);
    for (const QLocale &system : {german, english, french, QLocale::c()})
      EXPECT_EQ(StartLanguage(settings, system), kept);
  }
  settings.setValue(QStringLiteral("Sprache"), QStringLiteral("xx"));
  EXPECT_EQ(StartLanguage(settings, french), TLanguage::English)
      << "a damaged choice counts as none";
}

// Qt's own texts (standard buttons, key names) and the program's follow the switch, whatever
// the number format, and are gone with it.
TEST(LanguageTest, TheSwitchInstallsQtsAndTheProgramsTexts) {
  const QLocale previous;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  const auto texts = [] {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return QStringList{
        box.button(QMessageBox::Yes)->text(), box.button(QMessageBox::No)->text(),
        box.button(QMessageBox::Cancel)->text(),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S).toString(QKeySequence::NativeText),
        QCoreApplication::translate("TForm1", "Beenden")};
  };
  const QStringList german{"&Ja", "&Nein", "Abbrechen", "Strg+Umschalt+S", "Beenden"};
  const QStringList english{"&Yes", "&No", "Cancel", "Ctrl+Shift+S", "Exit"};
  {
    TLanguageSwitch language;
    language.Apply(TLanguage::German);
    EXPECT_EQ(texts(), german) << "Qt's translations are installed by qt6-translations-l10n";
    language.Apply(TLanguage::English);
    EXPECT_EQ(language.Current(), TLanguage::English);
    EXPECT_EQ(texts(), english);
    language.Apply(TLanguage::German);
    EXPECT_EQ(texts(), german);
  }
  // Gone with the switch, so that nothing else in this process sees them.
  EXPECT_EQ(texts(), (QStringList{"&Yes", "&No", "Cancel", "Ctrl+Shift+S", "Beenden"}));
  QLocale::setDefault(previous);
}

using LanguageMenuTest = ProgramTest;

QStringList MenuTitles(const TForm1 *form) {
  QStringList titles;
  for (const QAction *menu : form->menuBar()->actions())
    titles << menu->text();
  return titles;
}

// Every text of the main window follows "Extras > Sprache" at run time, with its own
// Alt+letter keys, and the way back gives the German texts exactly; the choice is reported.
TEST_F(LanguageMenuTest, TheMainWindowSwitchesAtRunTimeAndBack) {
  Doc().ZoomAbout(2, {100, 100}); // an undo entry with a step name
  const QStringList german = MenuTitles(Form1);
  const QString undo = Form1->MenuItem_Undo->text();
  EXPECT_EQ(TextsNotFollowingTheSwitch(Form1, {"Deutsch", "English", "Das Kraftbild[*]"})
                .join('\n')
                .toStdString(),
            "");

  std::vector<TLanguage> reported;
  program->LanguageSwitched = [&reported](TLanguage language) { reported.push_back(language); };
  Form1->MenuItem_English->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
  const QStringList english = MenuTitles(Form1);
  EXPECT_EQ(english, (QStringList{"&File", "&Edit", "&View", "&Insert", "&Particles", "E&xamples",
                                  "&Tools", "&?"}));
  QStringList keys = MnemonicKeys(english);
  EXPECT_EQ(keys.removeDuplicates(), 0);
  EXPECT_EQ(Form1->MenuItem_End->text(), "Exit");
  EXPECT_TRUE(Form1->MenuItem_Undo->text().startsWith("Undo: "));
  EXPECT_TRUE(Form1->MenuItem_English->isChecked());
  EXPECT_EQ(QLocale().decimalPoint(), ".");

  Form1->MenuItem_German->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
  EXPECT_EQ(MenuTitles(Form1), german);
  EXPECT_EQ(Form1->MenuItem_Undo->text(), undo);
  EXPECT_EQ(reported, (std::vector{TLanguage::English, TLanguage::German}));
}

} // namespace
