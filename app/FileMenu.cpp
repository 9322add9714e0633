// The main window's "Datei" commands: new, open, save, save as, and the question whether
// unsaved changes should be saved first.
#include "app/Examples.h"
#include "app/MainWindow.h"
#include "app/ProjectCommands.h"
#include "model/Document.h"
#include "widgets/Dialogs.h"

void TForm1::MenuItem_NewClick() {
  if (QuerySave())
    project_->New();
}

void TForm1::MenuItem_OpenClick() {
  if (!QuerySave())
    return;
  const std::optional<QString> name =
      Dialogs().OpenFileName(this, ProjectFilter(), kProjectExtension, openDialogName_);
  if (!name)
    return;
  openDialogName_ = *name;
  project_->Load(*name);
}

void TForm1::OpenExample(const QString &resource) {
  if (!QuerySave())
    return;
  // "Speichern" asks for a name, as for a new project, whether the example loads or not.
  try {
    project_->Load(resource);
  } catch (...) {
    SetFileName(QString());
    throw;
  }
  SetFileName(QString());
  // A lesson's note speaks the program's language; the example stays unmodified.
  const std::string note = document_.Scene().ParticleSetup.Note;
  const std::string spoken = ExampleNote(note).toStdString();
  if (spoken != note) {
    TScene scene = document_.Scene();
    scene.ParticleSetup.Note = spoken;
    document_.Reset(scene);
  }
}

void TForm1::MenuItem_SaveClick() {
  if (FileName().isEmpty()) {
    MenuItem_SaveAsClick();
    return;
  }
  // Another program that saved to this file since would lose its work without a word.
  if (project_->ChangedOnDisk()) {
    const std::optional<int> answer = Dialogs().AskChoice(
        this, tr("Datei geändert"),
        tr("Die Datei \"%1\" wurde seit dem Öffnen von einem anderen Programm geändert. "
           "Überschreiben?")
            .arg(FileName()),
        {tr("Überschreiben"), tr("Speichern unter …"), tr("Abbrechen")});
    if (answer == 1)
      MenuItem_SaveAsClick();
    if (answer != 0)
      return;
  }
  project_->Save(FileName());
}

void TForm1::MenuItem_SaveAsClick() {
  const std::optional<QString> name =
      Dialogs().SaveFileName(this, ProjectFilter(), kProjectExtension, FileName(), QString());
  if (!name)
    return;
  SetFileName(*name);
  project_->Save(FileName());
}

bool TForm1::QuerySave() {
  if (!document_.Modified())
    return true;
  switch (Dialogs().AskYesNoCancel(this, SaveQuestionTitle(), SaveQuestion())) {
  case TQuestionAnswer::Yes:
    MenuItem_SaveClick();
    // A cancelled save dialog or question leaves the changes unsaved.
    return !document_.Modified();
  case TQuestionAnswer::No:
    return true;
  case TQuestionAnswer::Cancel:
    break;
  }
  return false;
}

void TForm1::FormCloseQuery(bool &canClose) { canClose = QuerySave(); }
