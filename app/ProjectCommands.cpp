#include "app/ProjectCommands.h"

#include "app/MainWindow.h"
#include "app/Program.h"
#include "file/ProjectDocument.h"
#include "model/Background.h"
#include "model/Document.h"
#include "windows/SettingsWindow.h"
#include "windows/VoltageWindow.h"

#include <QComboBox>
#include <QStringList>
#include <QTabWidget>

#include <exception>

namespace {

TSaveFileFactory &SaveFileFactory() {
  static TSaveFileFactory factory;
  return factory;
}

// The charge list does not repaint while it grows, on every path out of the scope.
class TSuspendedUpdates {
public:
  explicit TSuspendedUpdates(QWidget *widget) : widget_(widget) {
    widget_->setUpdatesEnabled(false);
  }
  ~TSuspendedUpdates() { widget_->setUpdatesEnabled(true); }
  TSuspendedUpdates(const TSuspendedUpdates &) = delete;
  TSuspendedUpdates &operator=(const TSuspendedUpdates &) = delete;

private:
  QWidget *widget_;
};

int IndexOrNone(const TPointCharge *charge) {
  return charge != nullptr ? Charges.IndexOf(charge) : -1;
}

// Puts the file's charges and the voltage window's state into the windows. Fields the read
// did not reach hold the values of a new project.
void ApplyProject(const TProjectData &data) {
  ApplyViewOf(data);
  {
    TSuspendedUpdates suspended(Form2->ComboBox_Charges);
    AppendChargesOf(data);
    // All entries in one insertion: the list's model tells its views once, not per charge.
    Form2->ComboBox_Charges->addItems(QStringList(static_cast<qsizetype>(data.Charges.size())));
    // The list selects its first item by itself; after loading nothing is selected.
    Form2->ComboBox_Charges->setCurrentIndex(-1);
  }
  Form3->Panel_Pos1->Tag = Charges.At(data.FirstChosen);
  Form3->Panel_Pos2->Tag = Charges.At(data.SecondChosen);
  const bool known = data.ValueIndex >= 0 && data.ValueIndex < Form3->ComboBox_Value->count();
  Form3->ComboBox_Value->setCurrentIndex(known ? data.ValueIndex : -1);
  Form3->setVisible(data.VoltageWindowVisible);
  Form3->UpdatePanel(Form3->Panel_Pos1);
  Form3->UpdatePanel(Form3->Panel_Pos2);
}

} // namespace

void ResetProject(bool redraw) {
  FreeCharges(false);
  // No grab may outlive the charges.
  DragCharge = nullptr;
  DragStarted = false;
  PanAnchor = {-1, -1};

  Form3->Panel_Pos1->Tag = nullptr;
  Form3->Panel_Pos2->Tag = nullptr;
  Form3->SetPotentialSearching(nullptr);
  Form3->ComboBox_Value->setCurrentIndex(-1);
  Form3->UpdatePanel(Form3->Panel_Pos1);
  Form3->UpdatePanel(Form3->Panel_Pos2);
  Form3->hide();

  Form2->ComboBox_Charges->clear();
  Form2->ComboBox_ChargesClick();
  Form2->PageControl->setCurrentIndex(0);

  ResetView();
  if (redraw) {
    DrawBackground();
    Form1->RenderFrame(true);
    Form1->SetFileName(QString());
  }
  Modified = false;
}

void SaveProject(const QString &fileName) {
  TProjectData data = CaptureDocument();
  data.FirstChosen = IndexOrNone(Form3->Panel_Pos1->Tag);
  data.SecondChosen = IndexOrNone(Form3->Panel_Pos2->Tag);
  data.ValueIndex = Form3->ComboBox_Value->currentIndex();
  data.VoltageWindowVisible = Form3->isVisible();
  SaveProjectFile(fileName, data, SaveFileFactory());
  Modified = false;
}

void LoadProject(const QString &fileName) {
  ResetProject(false);
  Form1->SetFileName(fileName);

  // What the file does not reach keeps the new project's values.
  TProjectData data;
  data.OriginX = Origin.X;
  data.OriginY = Origin.Y;
  data.ArrowScale = ArrowScale;
  std::exception_ptr failure;
  try {
    LoadProjectFile(fileName, data);
  } catch (...) {
    failure = std::current_exception();
  }
  ApplyProject(data);
  if (!failure)
    Modified = false;
  // Also after a failure: the screen shows the document as it now is, not the one before.
  DrawBackground();
  Form1->RenderFrame(true);
  if (failure)
    std::rethrow_exception(failure);
}

void SetProjectSaveFileFactory(TSaveFileFactory factory) { SaveFileFactory() = std::move(factory); }
