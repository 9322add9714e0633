#include "windows/SettingsWindow.h"

#include "widgets/Dialogs.h"
#include "widgets/ErrorGuard.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "base/PixelMath.h"
#include "model/Background.h"
#include "model/Document.h"
#include "model/NumberText.h"
#include "model/Readouts.h"
#include "model/Zoom.h"
#include "windows/VoltageWindow.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kClientWidth = 249;  // px
constexpr int kClientHeight = 228; // px

// Connects a signal to a handler that runs inside the error guard.
template <typename Sender, typename Signal, typename Handler>
void OnSignal(Sender *sender, Signal signal, QObject *context, Handler handler) {
  QObject::connect(sender, signal, context, [handler] { Guarded(handler); });
}

} // namespace

TForm2::TForm2() {
  setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
  setWindowTitle(QStringLiteral("Einstellungen"));
  // An 8-point window: the about dialog gives it the message font's face at start-up.
  QFont font = this->font();
  font.setPointSize(8);
  setFont(font);

  ComboBox_Charges = new TChargeComboBox(this);
  PageControl = new QTabWidget(this);
  TabSheet_Charge = new TChargeTab;
  TabSheet_Data = new TDataTab;
  TabSheet_View = new TViewTab;
  PageControl->addTab(TabSheet_Charge, QStringLiteral("Ladung"));
  PageControl->addTab(TabSheet_Data, QStringLiteral("Daten"));
  PageControl->addTab(TabSheet_View, QStringLiteral("Anzeige"));
  PageControl->setCurrentIndex(0);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(ComboBox_Charges);
  layout->addWidget(PageControl, 1);
  resize(kClientWidth, kClientHeight);

  OnSignal(ComboBox_Charges, &QComboBox::activated, this, [this] { ComboBox_ChargesClick(); });
  OnSignal(PageControl, &QTabWidget::currentChanged, this, [this] { PageControlChange(); });
  OnSignal(TabSheet_Charge->Button_Apply, &QPushButton::clicked, this,
           [this] { Button_ApplyClick(); });
  OnSignal(TabSheet_Charge->Button_Center, &QPushButton::clicked, this,
           [this] { Button_CenterClick(); });
  OnSignal(TabSheet_Charge->Button_Delete, &QPushButton::clicked, this,
           [this] { Button_DeleteClick(); });
  OnSignal(TabSheet_View->Button_ApplyView, &QPushButton::clicked, this,
           [this] { Button_ApplyViewClick(); });

  // FormCreate
  TabSheet_View->ShowInitialView();
}

TPointCharge *TForm2::SelectedCharge() const {
  return Charges.At(ComboBox_Charges->currentIndex());
}

void TForm2::ComboBox_ChargesClick() {
  TabSheet_Charge->ShowCharge(SelectedCharge());
  PageControlChange();
  if (DragCharge == nullptr && Form1 != nullptr)
    Form1->RenderFrame(true);
}

void TForm2::PageControlChange() {
  switch (PageControl->currentIndex()) {
  case 1:
    FillDataList();
    break;
  case 2:
    TabSheet_View->ShowView();
    break;
  default:
    break;
  }
}

void TForm2::FillDataList() {
  // The apply button is enabled exactly while a charge is selected.
  TabSheet_Data->ShowRows(
      DataRowsFor(TabSheet_Charge->Button_Apply->isEnabled() ? SelectedCharge() : nullptr));
}

void TForm2::Button_ApplyClick() {
  TPointCharge *charge = SelectedCharge();
  if (charge == nullptr)
    return;
  const TChargeInput input = TabSheet_Charge->ReadInput();
  if (!input.Error.isEmpty()) {
    Dialogs().ShowError(this, kInvalidInputTitle, input.Error);
    return;
  }
  TChargeTab::ApplyInput(*charge, input);
  ComboBox_Charges->RepaintEntries();
  Form3->ChargeChanged(charge);
  Modified = true;
  DrawBackground();
  Form1->RenderFrame(true);
}

void TForm2::Button_CenterClick() {
  const TPointCharge *charge = SelectedCharge();
  if (charge == nullptr)
    return;
  const int halfWidth = Form1->DXDraw->width() / 2;
  const int halfHeight = Form1->DXDraw->height() / 2;
  ShiftView(pixel::Round(halfWidth + Origin.X - charge->X - 10),
            pixel::Round(halfHeight + Origin.Y - charge->Y - 10));
  DrawBackground();
  Form1->RenderFrame(true);
}

void TForm2::Button_DeleteClick() {
  const int index = ComboBox_Charges->currentIndex();
  TPointCharge *charge = SelectedCharge();
  if (charge == nullptr)
    return;
  // The voltage window lets go of the charge while it still exists.
  Form3->ChargeRemoved(charge);
  Charges.Delete(index);
  ComboBox_Charges->removeItem(index);
  ComboBox_Charges->setCurrentIndex(-1);
  ComboBox_ChargesClick();
  Modified = true;
  DrawBackground();
  Form1->RenderFrame(true);
}

void TForm2::Button_ApplyViewClick() {
  const TViewInput input = TabSheet_View->ReadInput();
  ArrowScale = input.ArrowScale;
  TabSheet_View->Edit_ArrowLength->setText(FormatShortest(ArrowScale));
  ArrowColor = input.ArrowColor;
  ShowCursorLine = input.ShowCursorLine;
  StepLength = input.StepLength;
  // Only a new zoom moves field lines; the others reach the background at its next redraw.
  if (SetZoomFactor(input.Zoom))
    DrawBackground();
  Modified = true;
  Form1->RenderFrame(true);
}

void TForm2::closeEvent(QCloseEvent *event) {
  if (ApplicationTerminated())
    event->accept();
  else
    event->ignore();
}
