#include "app/Handbook.h"

#include <QtGlobal>

// Outside any namespace: the macro declares the resource's initializer globally.
static void InitHandbookResources() { Q_INIT_RESOURCE(handbook); }

namespace {

QString FileOf(THandbookPage page) {
  switch (page) {
  case THandbookPage::MainWindow:
    return QStringLiteral("hauptfenster.html");
  case THandbookPage::Settings:
    return QStringLiteral("einstellungen.html");
  case THandbookPage::Voltage:
    return QStringLiteral("spannung.html");
  case THandbookPage::Projects:
    return QStringLiteral("projekte.html");
  case THandbookPage::Start:
    break;
  }
  return QStringLiteral("index.html");
}

} // namespace

// German until the program can switch languages; then this alone follows the switch.
QString ProgramLanguage() { return QStringLiteral("de"); }

QString HandbookFolder(const QString &language) {
  // A resource in a static library is registered only when asked for by name.
  static const bool registered = [] {
    InitHandbookResources();
    return true;
  }();
  Q_UNUSED(registered);
  return QStringLiteral(":/handbook/") + language;
}

QUrl HandbookUrl(THandbookPage page) {
  return QUrl(QStringLiteral("qrc") + HandbookFolder(ProgramLanguage()) + QLatin1Char('/') +
              FileOf(page));
}
