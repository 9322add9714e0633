#include "windows/VoltageWindow.h"

#include "model/Document.h"
#include "model/Readouts.h"
#include "widgets/ErrorGuard.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>

namespace {

constexpr int kClientWidth = 233;  // px
constexpr int kClientHeight = 178; // px

} // namespace

TForm3::TForm3(TDocument &document) : document_(document) {
  // The program makes it a tool window of the main window (MakeToolWindow).
  setWindowFlags(Qt::Tool);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);
  // 8 points, 11 pixels at 96 pixels per inch; as an 8-point window it takes the message
  // font face at start-up like the other windows.
  setFont(QFont(QStringLiteral("Arial"), 8));

  Panel_Pos1 = new TPositionPanel(this);
  Panel_Pos2 = new TPositionPanel(this);
  for (TPositionPanel *panel : {Panel_Pos1, Panel_Pos2}) {
    panel->setFixedSize(177, 41);
    ConnectGuarded(panel, &TPositionPanel::Clicked, this,
                   [this](TPositionPanel *p) { Panel_PosClick(p); });
    ConnectGuarded(panel, &TPositionPanel::MouseDown, this,
                   [this](TPositionPanel *p, Qt::MouseButton b) { Panel_PosMouseDown(p, b); });
  }
  auto *separator = new QFrame(this);
  separator->setFrameShape(QFrame::HLine);
  separator->setFrameShadow(QFrame::Sunken);
  ComboBox_Value = new QComboBox(this);
  // One entry per value index (kValueVoltage, kValueWork); RetranslateUi names them.
  ComboBox_Value->addItems({QString(), QString()});
  ComboBox_Value->setCurrentIndex(-1);
  ConnectGuarded(ComboBox_Value, &QComboBox::activated, this, [this] { ComboBox_ValueClick(); });
  Label_Value = new QLabel(this);
  QFont bold = Label_Value->font();
  bold.setBold(true);
  Label_Value->setFont(bold);
  Label_Value->setWordWrap(true);
  Label_Value->setFixedSize(217, 33);

  auto *grid = new QGridLayout(this);
  grid->setContentsMargins(8, 8, 8, 8);
  // Alt+V and Alt+N reach the panels, which a keyboard user then picks with Space.
  fromLabel_ = new QLabel(this);
  fromLabel_->setBuddy(Panel_Pos1);
  toLabel_ = new QLabel(this);
  toLabel_->setBuddy(Panel_Pos2);
  grid->addWidget(fromLabel_, 0, 0);
  grid->addWidget(Panel_Pos1, 0, 1);
  grid->addWidget(toLabel_, 1, 0);
  grid->addWidget(Panel_Pos2, 1, 1);
  grid->addWidget(separator, 2, 0, 1, 2);
  grid->addWidget(ComboBox_Value, 3, 0, 1, 2);
  grid->addWidget(Label_Value, 4, 0, 1, 2);
  resize(kClientWidth, kClientHeight);

  // Moved, edited, created or deleted charges change captions and value alike.
  for (const auto signal :
       {&TDocument::ChargesChanged, &TDocument::VoltageChanged, &TDocument::Restored})
    ConnectGuarded(&document_, signal, this, [this] { ShowChoices(); });
  // A new or loaded project: the caller shows the window again where its file says so.
  ConnectGuarded(&document_, &TDocument::Replaced, this, [this] { Reset(); });
  ConnectGuarded(&document_, &TDocument::ChargeChanged, this, [this] { ShowChoices(); });
  ConnectGuarded(&document_, &TDocument::SeveralChargesChanged, this, [this] { ShowChoices(); });

  // FormCreate
  ShowChoices();
  RetranslateUi();
}

TForm3::~TForm3() = default;

void TForm3::RetranslateUi() {
  setWindowTitle(tr("Spannung und Arbeit"));
  fromLabel_->setText(tr("&von:"));
  toLabel_->setText(tr("&nach:"));
  ComboBox_Value->setItemText(kValueVoltage, tr("Spannung:"));
  ComboBox_Value->setItemText(kValueWork, tr("Aufzubringende Arbeit:"));
  ComboBox_Value->setToolTip(
      tr("Spannung zwischen den Orten oder Arbeit, um die erste Ladung zur zweiten zu bringen"));
  Panel_Pos1->setToolTip(
      tr("Start: Klicken, dann im Hauptfenster eine Probeladung anklicken; rechte Taste: leeren"));
  Panel_Pos2->setToolTip(
      tr("Ziel: Klicken, dann im Hauptfenster eine Probeladung anklicken; rechte Taste: leeren"));
}

void TForm3::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange) {
    RetranslateUi();
    // Captions and value are readouts: in the new language and number format too.
    Guarded([this] { ShowChoices(); });
  }
  QWidget::changeEvent(event);
}

void TForm3::Reset() {
  SetPotentialSearching(nullptr);
  ShowChoices();
  hide();
}

void TForm3::ChargeClicked(int index) {
  TPositionPanel *waiting = PotentialSearching();
  const TPointCharge *charge = document_.Charges().At(index);
  if (charge != nullptr && charge->IsTestCharge && waiting != nullptr &&
      PanelOfCharge(index) == nullptr) {
    TVoltageChoice choice = document_.Scene().Voltage;
    (waiting == Panel_Pos1 ? choice.Start : choice.End) = index;
    document_.ChooseVoltage(choice, true);
    SetPotentialSearching(nullptr);
  }
}

void TForm3::showEvent(QShowEvent *event) {
  QWidget::showEvent(event);
  Panel_Pos1->SetFontColor(kPanelCaptionColor);
  Panel_Pos2->SetFontColor(kPanelCaptionColor);
}

void TForm3::SetPotentialSearching(TPositionPanel *panel) {
  if (searching_ != nullptr)
    searching_->SetColor(kPanelColor);
  if (panel != searching_) {
    searching_ = panel;
    if (searching_ != nullptr)
      searching_->SetColor(kWaitingPanelColor);
  }
}

int TForm3::ChargeOf(const TPositionPanel *panel) const {
  const TScene &scene = document_.Scene();
  const int index = panel == Panel_Pos1   ? scene.Voltage.Start
                    : panel == Panel_Pos2 ? scene.Voltage.End
                                          : -1;
  return scene.Charges.At(index) != nullptr ? index : -1;
}

TPositionPanel *TForm3::PanelOfCharge(int index) const {
  if (index < 0)
    return nullptr;
  if (ChargeOf(Panel_Pos1) == index)
    return Panel_Pos1;
  if (ChargeOf(Panel_Pos2) == index)
    return Panel_Pos2;
  return nullptr;
}

void TForm3::ShowChoices() {
  const TScene &scene = document_.Scene();
  for (TPositionPanel *panel : {Panel_Pos1, Panel_Pos2})
    panel->setText(PanelCaption(scene, scene.Charges.At(ChargeOf(panel))));
  const int value = scene.Voltage.Value;
  ComboBox_Value->setCurrentIndex(value >= 0 && value < ComboBox_Value->count() ? value : -1);
  Label_Value->setText(VoltageValueText(scene, scene.Charges.At(ChargeOf(Panel_Pos1)),
                                        scene.Charges.At(ChargeOf(Panel_Pos2)), value));
}

void TForm3::Panel_PosClick(TPositionPanel *panel) {
  SetPotentialSearching(panel == searching_ ? nullptr : panel);
}

void TForm3::Panel_PosMouseDown(TPositionPanel *panel, Qt::MouseButton button) {
  if (button != Qt::RightButton)
    return;
  TVoltageChoice choice = document_.Scene().Voltage;
  (panel == Panel_Pos1 ? choice.Start : choice.End) = -1;
  document_.ChooseVoltage(choice, true);
}

void TForm3::ComboBox_ValueClick() {
  TVoltageChoice choice = document_.Scene().Voltage;
  choice.Value = ComboBox_Value->currentIndex();
  // The value shown is no change of the document, but a step all the same.
  document_.ChooseVoltage(choice, false);
  ShowChoices();
}
