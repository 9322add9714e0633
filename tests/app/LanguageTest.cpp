#include "app/Language.h"

#include <QAbstractButton>
#include <QKeySequence>
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
    const QLocale numbers = NumberLocale(c.start, c.system);
    EXPECT_EQ(numbers.decimalPoint(), c.point);
    if (c.system.language() != QLocale::French) {
      EXPECT_EQ(numbers, c.system);
    }
  }
  EXPECT_EQ(NumberLocale(TLanguage::German, english).decimalPoint(), ",");
  EXPECT_EQ(NumberLocale(TLanguage::English, german).decimalPoint(), ".");

  for (const TLanguage kept : {TLanguage::English, TLanguage::German}) {
    KeepLanguage(settings, kept);
    for (const QLocale &system : {german, english, french, QLocale::c()})
      EXPECT_EQ(StartLanguage(settings, system), kept);
  }
  settings.setValue(QStringLiteral("Sprache"), QStringLiteral("xx"));
  EXPECT_EQ(StartLanguage(settings, french), TLanguage::English)
      << "a damaged choice counts as none";
}

// Qt's own texts (standard buttons, key names) follow the switch, whatever
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
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S).toString(QKeySequence::NativeText)};
  };
  const QStringList german{"&Ja", "&Nein", "Abbrechen", "Strg+Umschalt+S"};
  const QStringList english{"&Yes", "&No", "Cancel", "Ctrl+Shift+S"};
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
  EXPECT_EQ(texts(), english);
  QLocale::setDefault(previous);
}

} // namespace
