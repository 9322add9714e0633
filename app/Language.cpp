#include "app/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace {

const QString kLanguageKey = QStringLiteral("Sprache");

QString CodeOf(TLanguage language) {
  return language == TLanguage::English ? QStringLiteral("en") : QStringLiteral("de");
}

} // namespace

TLanguage SystemLanguage(const QLocale &system) {
  switch (system.language()) {
  case QLocale::German:
  case QLocale::C:
    return TLanguage::German;
  default:
    return TLanguage::English;
  }
}

TLanguage StartLanguage(const QSettings &settings, const QLocale &system) {
  const QString kept = settings.value(kLanguageKey).toString();
  if (kept == CodeOf(TLanguage::German))
    return TLanguage::German;
  if (kept == CodeOf(TLanguage::English))
    return TLanguage::English;
  return SystemLanguage(system);
}

void KeepLanguage(QSettings &settings, TLanguage language) {
  settings.setValue(kLanguageKey, CodeOf(language));
}

QLocale NumberLocale(TLanguage language, const QLocale &current, const QLocale &system) {
  const QLocale::Language spoken =
      language == TLanguage::English ? QLocale::English : QLocale::German;
  for (const QLocale &locale : {current, system})
    if (locale.language() == spoken || locale.language() == QLocale::C)
      return locale;
  return language == TLanguage::English ? QLocale(QLocale::English, QLocale::UnitedStates)
                                        : QLocale(QLocale::German, QLocale::Germany);
}

TLanguageSwitch::TLanguageSwitch() = default;

TLanguageSwitch::~TLanguageSwitch() { RemoveAll(); }

void TLanguageSwitch::RemoveAll() {
  for (const auto &translator : translators_)
    QCoreApplication::removeTranslator(translator.get());
  translators_.clear();
}

void TLanguageSwitch::Apply(TLanguage language) {
  RemoveAll();
  current_ = language;
  const QString code = CodeOf(language);
  QStringList files;
  // One file per library; German is the sources' own language and has none.
  const QDir resources(QStringLiteral(":/i18n"));
  for (const QString &name :
       resources.entryList({QStringLiteral("*_") + code + QStringLiteral(".qm")}, QDir::Files))
    files << resources.filePath(name);
  // Qt's own texts are English; German ones come with Qt.
  if (language == TLanguage::German)
    files << QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath))
                 .filePath(QStringLiteral("qtbase_de.qm"));
  for (const QString &file : files) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file))
      continue; // a missing file leaves its texts in the sources' language
    QCoreApplication::installTranslator(translator.get());
    translators_.push_back(std::move(translator));
  }
  // installTranslator told the windows of each translator; a switch to German with nothing
  // to install must tell them too.
  if (translators_.empty()) {
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &change);
  }
}
