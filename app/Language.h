#pragma once
// The program's language: German, the texts of the sources, or English, the translations in
// the libraries' resources. Qt's own dialogs and the numbers' format follow the choice.

#include <QLocale>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QSettings;
class QTranslator;

enum class TLanguage { German, English };

// The language a program starting for the first time speaks: German on a German system and
// on one without a language (the C locale), English on any other.
TLanguage SystemLanguage(const QLocale &system);
// The language kept by KeepLanguage, else the system's.
TLanguage StartLanguage(const QSettings &settings, const QLocale &system);
void KeepLanguage(QSettings &settings, TLanguage language);
// The format of numbers in that language: the current one where it speaks the language or no
// language at all (the C locale), else the system's where that does, else the language's
// usual one.
QLocale NumberLocale(TLanguage language, const QLocale &current, const QLocale &system);

// Installs the translators of one language and removes them when another is applied or the
// switch goes.
class TLanguageSwitch {
public:
  TLanguageSwitch();
  ~TLanguageSwitch();
  TLanguageSwitch(const TLanguageSwitch &) = delete;
  TLanguageSwitch &operator=(const TLanguageSwitch &) = delete;

  TLanguage Current() const { return current_; }
  // Every open window receives QEvent::LanguageChange before this returns.
  void Apply(TLanguage language);

private:
  void RemoveAll();

  TLanguage current_ = TLanguage::German;
  std::vector<std::unique_ptr<QTranslator>> translators_;
};
