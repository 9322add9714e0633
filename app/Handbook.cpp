#include "app/Handbook.h"

#include <QCoreApplication>
#include <QFileInfo>
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

// The handbook speaks the language of the installed translators: the English ones name their
// folder.
QString ProgramLanguage() {
  return QCoreApplication::translate("Handbook", "de", "folder of the handbook's pages: de or en");
}

QString HandbookFolder(const QString &language) {
  // A resource in a static library is registered only when asked for by name.
  static const bool registered = [] {
    InitHandbookResources();
    return true;
  }();
  Q_UNUSED(registered);
  return QStringLiteral(":/handbook/") + language;
}

QUrl HandbookPageInProgramLanguage(const QUrl &page) {
  QUrl same(QStringLiteral("qrc") + HandbookFolder(ProgramLanguage()) + QLatin1Char('/') +
            QFileInfo(page.path()).fileName());
  same.setFragment(page.fragment());
  return same;
}

QUrl HandbookUrl(THandbookPage page) {
  return QUrl(QStringLiteral("qrc") + HandbookFolder(ProgramLanguage()) + QLatin1Char('/') +
              FileOf(page));
}
