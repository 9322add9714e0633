#include "windows/SettingsWindow.h"

#include "app/Dialogs.h"
#include "app/ErrorGuard.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "display/PixelMath.h"
#include "model/Background.h"
#include "model/Document.h"
#include "windows/VoltageWindow.h"

#include <QCloseEvent>
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

  ComboBox_Charges = new TChargeComboBox(this);
  PageControl = new QTabWidget(this);
  TabSheet_Charge = new TChargeTab;
  TabSheet_Data = new QWidget;
  TabSheet_View = new QWidget;
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
  OnSignal(TabSheet_Charge->Button_Apply, &QPushButton::clicked, this, [this] { Button_ApplyClick(); });
  OnSignal(TabSheet_Charge->Button_Center, &QPushButton::clicked, this,
           [this] { Button_CenterClick(); });
  OnSignal(TabSheet_Charge->Button_Delete, &QPushButton::clicked, this,
           [this] { Button_DeleteClick(); });
}

TPointCharge *TForm2::SelectedCharge() const {
  const int index = ComboBox_Charges->currentIndex();
  return index >= 0 && index < Charges.Count() ? Charges[index] : nullptr;
}

void TForm2::ComboBox_ChargesClick() {
  TabSheet_Charge->ShowCharge(SelectedCharge());
  PageControlChange();
  if (DragCharge == nullptr && Form1 != nullptr)
    Form1->RenderFrame(true);
}

void TForm2::PageControlChange() {}

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

void TForm2::closeEvent(QCloseEvent *event) {
  if (ApplicationTerminated())
    event->accept();
  else
    event->ignore();
}
