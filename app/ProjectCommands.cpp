#include "app/ProjectCommands.h"

#include "app/MainWindow.h"
#include "app/Program.h"
#include "file/ProjectDocument.h"
#include "model/Document.h"
#include "model/ModelHooks.h"
#include "windows/SettingsWindow.h"
#include "windows/VoltageWindow.h"

#include <exception>

namespace {

TSaveFileFactory &SaveFileFactory() {
  static TSaveFileFactory factory;
  return factory;
}

int IndexOrNone(const TPointCharge *charge) {
  return charge != nullptr ? TheDocument().Charges.IndexOf(charge) : -1;
}

// What the windows hold of a project beside the document.
void ResetWindows() {
  // No grab may outlive the charges.
  Form1->ReleaseGrab();
  Form3->Reset();
  Form2->Reset();
}

} // namespace

void NewProject() {
  ResetWindows();
  TheDocument().New(SurfaceSize());
  Form1->SetFileName(QString());
}

void SaveProject(const QString &fileName) {
  TProjectData data = CaptureDocument(TheDocument());
  const TVoltageChoices choices = Form3->Choices();
  data.FirstChosen = IndexOrNone(choices.Start);
  data.SecondChosen = IndexOrNone(choices.End);
  data.ValueIndex = choices.ValueIndex;
  data.VoltageWindowVisible = choices.Visible;
  SaveProjectFile(fileName, data, SaveFileFactory());
  TheDocument().MarkSaved();
}

void LoadProject(const QString &fileName) {
  ResetWindows();
  Form1->SetFileName(fileName);

  TProjectData data;
  std::exception_ptr failure;
  TheDocument().Load(SurfaceSize(), [&](TDocument &document) {
    // What the file does not reach keeps the new project's values.
    data.OriginX = document.Origin.X;
    data.OriginY = document.Origin.Y;
    data.ArrowScale = document.ArrowScale;
    try {
      LoadProjectFile(fileName, data);
    } catch (...) {
      failure = std::current_exception();
    }
    ApplyViewOf(data, document);
    AppendChargesOf(data, document);
  });
  const TChargeList &charges = TheDocument().Charges;
  Form3->ShowChoices({charges.At(data.FirstChosen), charges.At(data.SecondChosen), data.ValueIndex,
                      data.VoltageWindowVisible});
  if (failure)
    std::rethrow_exception(failure);
}

void SetProjectSaveFileFactory(TSaveFileFactory factory) { SaveFileFactory() = std::move(factory); }
