#pragma once
// What the program does at start besides creating its windows: the project named on the
// command line.

#include <QString>
#include <QStringList>

class TProject;

// The project file named on the command line (the first argument after the program), or
// empty.
QString StartProjectName(const QStringList &arguments);

// Opens the project file at start, as "Öffnen" would. A file that cannot be opened is
// reported in the error box, and the program goes on with a new, empty project.
void OpenStartProject(TProject &project, const QString &fileName);
