#include "windows/VoltageWindow.h"

#include "model/Document.h"
#include "model/Readouts.h"
#include "widgets/ErrorGuard.h"

#include <QComboBox>
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
  setWindowTitle(QStringLiteral("Spannung und Arbeit"));
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
  ComboBox_Value->addItems({QStringLiteral("Spannung:"), QStringLiteral("Aufzubringende Arbeit:")});
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
  grid->addWidget(new QLabel(QStringLiteral("von:"), this), 0, 0);
  grid->addWidget(Panel_Pos1, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("nach:"), this), 1, 0);
  grid->addWidget(Panel_Pos2, 1, 1);
  grid->addWidget(separator, 2, 0, 1, 2);
  grid->addWidget(ComboBox_Value, 3, 0, 1, 2);
  grid->addWidget(Label_Value, 4, 0, 1, 2);
  resize(kClientWidth, kClientHeight);

  ConnectGuarded(&document_, &TDocument::ChargeChanged, this,
                 [this](const TPointCharge *charge) { ChargeChanged(charge); });
  ConnectGuarded(&document_, &TDocument::ChargeRemoving, this,
                 [this](const TPointCharge *charge) { ChargeRemoved(charge); });
  // A source more or less changes the value; ChargeRemoving comes before the charge goes.
  ConnectGuarded(&document_, &TDocument::ChargesChanged, this, [this] { UpdateValue(); });

  // FormCreate
  UpdatePanel(Panel_Pos1);
  UpdatePanel(Panel_Pos2);
  document_.SetChoiceHolder(this);
}

TForm3::~TForm3() { document_.SetChoiceHolder(nullptr); }

std::vector<int> TForm3::HeldChoices() const {
  return {document_.Charges.IndexOf(Panel_Pos1->Tag), document_.Charges.IndexOf(Panel_Pos2->Tag),
          ComboBox_Value->currentIndex()};
}

void TForm3::RestoreChoices(const std::vector<int> &choices) {
  if (choices.size() != 3)
    return;
  Panel_Pos1->Tag = document_.Charges.At(choices[0]);
  Panel_Pos2->Tag = document_.Charges.At(choices[1]);
  ComboBox_Value->setCurrentIndex(choices[2]);
  valueShown_ = ComboBox_Value->currentIndex();
  UpdatePanel(Panel_Pos1);
  UpdatePanel(Panel_Pos2);
}

void TForm3::Reset() {
  Panel_Pos1->Tag = nullptr;
  Panel_Pos2->Tag = nullptr;
  SetPotentialSearching(nullptr);
  ComboBox_Value->setCurrentIndex(-1);
  valueShown_ = -1;
  UpdatePanel(Panel_Pos1);
  UpdatePanel(Panel_Pos2);
  hide();
}

TVoltageChoices TForm3::Choices() const {
  return {Panel_Pos1->Tag, Panel_Pos2->Tag, ComboBox_Value->currentIndex(), isVisible()};
}

void TForm3::ShowChoices(const TVoltageChoices &choices) {
  // The panels hold the charges they show, which the document owns.
  Panel_Pos1->Tag = const_cast<TPointCharge *>(choices.Start);
  Panel_Pos2->Tag = const_cast<TPointCharge *>(choices.End);
  const bool known = choices.ValueIndex >= 0 && choices.ValueIndex < ComboBox_Value->count();
  ComboBox_Value->setCurrentIndex(known ? choices.ValueIndex : -1);
  valueShown_ = ComboBox_Value->currentIndex();
  setVisible(choices.Visible);
  UpdatePanel(Panel_Pos1);
  UpdatePanel(Panel_Pos2);
}

void TForm3::ChargeClicked(TPointCharge *charge) {
  TPositionPanel *waiting = PotentialSearching();
  if (charge->IsTestCharge && waiting != nullptr && PanelOfCharge(charge) == nullptr) {
    const std::vector<int> before = HeldChoices();
    waiting->Tag = charge;
    UpdatePanel(waiting);
    document_.ChoicesChanged(before, true);
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

TPositionPanel *TForm3::PanelOfCharge(const TPointCharge *charge) const {
  if (Panel_Pos1->Tag == charge)
    return Panel_Pos1;
  if (Panel_Pos2->Tag == charge)
    return Panel_Pos2;
  return nullptr;
}

void TForm3::UpdatePanel(TPositionPanel *panel) {
  panel->setText(PanelCaption(document_, panel->Tag));
  UpdateValue();
  emit PathChanged(Panel_Pos1->Tag, Panel_Pos2->Tag);
}

void TForm3::UpdateValue() {
  Label_Value->setText(VoltageValueText(document_, Panel_Pos1->Tag, Panel_Pos2->Tag,
                                        ComboBox_Value->currentIndex()));
}

void TForm3::ChargeChanged(const TPointCharge *charge) {
  // Both panels can hold the same charge only after loading a file that says so; each
  // caption must still follow the charge.
  bool held = false;
  for (TPositionPanel *panel : {Panel_Pos1, Panel_Pos2})
    if (charge != nullptr && panel->Tag == charge) {
      UpdatePanel(panel);
      held = true;
    }
  if (!held)
    UpdateValue();
}

void TForm3::ChargeRemoved(const TPointCharge *charge) {
  bool held = false;
  for (TPositionPanel *panel : {Panel_Pos1, Panel_Pos2})
    if (charge != nullptr && panel->Tag == charge) {
      panel->Tag = nullptr;
      UpdatePanel(panel);
      held = true;
    }
  if (!held)
    UpdateValue();
}

void TForm3::Panel_PosClick(TPositionPanel *panel) {
  SetPotentialSearching(panel == searching_ ? nullptr : panel);
}

void TForm3::Panel_PosMouseDown(TPositionPanel *panel, Qt::MouseButton button) {
  if (button != Qt::RightButton)
    return;
  const std::vector<int> before = HeldChoices();
  panel->Tag = nullptr;
  UpdatePanel(panel);
  document_.ChoicesChanged(before, true);
}

void TForm3::ComboBox_ValueClick() {
  UpdateValue();
  std::vector<int> before = HeldChoices();
  before[2] = valueShown_;
  valueShown_ = ComboBox_Value->currentIndex();
  // The value shown is no change of the document, but a step all the same.
  document_.ChoicesChanged(before, false);
}
