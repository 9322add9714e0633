// The main window's "Datei" commands: new, open, save, save as, and the question whether
// unsaved changes should be saved first.
#include "app/MainWindow.h"
#include "app/ProjectCommands.h"
#include "model/Document.h"
#include "widgets/Dialogs.h"

void TForm1::MenuItem_NewClick() {
  if (QuerySave())
    NewProject();
}

void TForm1::MenuItem_OpenClick() {
  if (!QuerySave())
    return;
  const std::optional<QString> name =
      Dialogs().OpenFileName(this, kProjectFilter, kProjectExtension, openDialogName_);
  if (!name)
    return;
  openDialogName_ = *name;
  LoadProject(*name);
}

void TForm1::OpenExample(const QString &resource) {
  if (!QuerySave())
    return;
  // "Speichern" asks for a name, as for a new project, whether the example loads or not.
  try {
    LoadProject(resource);
  } catch (...) {
    SetFileName(QString());
    throw;
  }
  SetFileName(QString());
}

void TForm1::MenuItem_SaveClick() {
  if (!FileName().isEmpty())
    SaveProject(FileName());
  else
    MenuItem_SaveAsClick();
}

void TForm1::MenuItem_SaveAsClick() {
  const std::optional<QString> name =
      Dialogs().SaveFileName(this, kProjectFilter, kProjectExtension, FileName());
  if (!name)
    return;
  SetFileName(*name);
  SaveProject(FileName());
}

bool TForm1::QuerySave() {
  if (!document_.Modified())
    return true;
  switch (Dialogs().AskYesNoCancel(this, kSaveQuestionTitle, kSaveQuestion)) {
  case TQuestionAnswer::Yes:
    MenuItem_SaveClick();
    // A cancelled save dialog leaves an untitled project without a name.
    return !FileName().isEmpty();
  case TQuestionAnswer::No:
    return true;
  case TQuestionAnswer::Cancel:
    break;
  }
  return false;
}

void TForm1::FormCloseQuery(bool &canClose) { canClose = QuerySave(); }
