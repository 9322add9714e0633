#pragma once
// Where the handbook's pages are: one folder of HTML pages per language in the program's
// resources (app/handbook/), the pictures shared by both.

#include <QString>
#include <QUrl>

class QWidget;

enum class THandbookPage { Start, MainWindow, Settings, Voltage, Projects };

// The language the program speaks ("de" or "en"): the handbook shows that language's pages.
QString ProgramLanguage();

// The resource folder of a language's pages, e.g. ":/handbook/de".
QString HandbookFolder(const QString &language);

// The address of a page in the program's language.
QUrl HandbookUrl(THandbookPage page);
// The same page of the handbook in the program's language.
QUrl HandbookPageInProgramLanguage(const QUrl &page);
