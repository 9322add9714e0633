#pragma once
// What the program does at start besides creating its windows: Qt's own texts in German,
// and the project named on the command line.

#include <QString>
#include <QStringList>

#include <memory>

class QTranslator;
class TProject;

// Installs Qt's German translation of its own texts (standard buttons, file and colour
// dialogs, shortcut names), whatever the system's language: the program speaks only German.
// The texts stay installed while the returned translator lives; null when Qt's translations
// are not installed, and Qt's texts stay English.
std::unique_ptr<QTranslator> InstallQtGermanTexts();

// The project file named on the command line (the first argument after the program), or
// empty.
QString StartProjectName(const QStringList &arguments);

// Opens the project file at start, as "Öffnen" would. A file that cannot be opened is
// reported in the error box, and the program goes on with a new, empty project.
void OpenStartProject(TProject &project, const QString &fileName);
