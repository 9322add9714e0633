#include "windows/FieldLineGroup.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

TFieldLineGroup::TFieldLineGroup(QWidget *parent) : QGroupBox(parent) {
  CheckBox_Proportional = new QCheckBox(this);
  SpinEdit_Lines = new QSpinBox(this);
  SpinEdit_Lines->setRange(1, static_cast<int>(kMaxProportionalLines));
  SpinEdit_Lines->setKeyboardTracking(false); // a typed number is one change, not one per digit
  CheckBox_Arrows = new QCheckBox(this);
  CheckBox_Accurate = new QCheckBox(this);
  CheckBox_ZeroPoints = new QCheckBox(this);
  Button_Back = new QPushButton(this);
  linesLabel_ = new QLabel(this);
  linesLabel_->setBuddy(SpinEdit_Lines);

  auto *grid = new QGridLayout(this);
  grid->setContentsMargins(6, 2, 6, 2);
  grid->setVerticalSpacing(1);
  // The back button below the switches: beside one of them the group would be wider than
  // the view settings it stands in for.
  grid->addWidget(CheckBox_Proportional, 0, 0, 1, 2);
  grid->addWidget(linesLabel_, 1, 0);
  grid->addWidget(SpinEdit_Lines, 1, 1);
  grid->addWidget(CheckBox_Arrows, 2, 0, 1, 2);
  grid->addWidget(CheckBox_Accurate, 3, 0, 1, 2);
  grid->addWidget(CheckBox_ZeroPoints, 4, 0, 1, 2);
  grid->addWidget(Button_Back, 5, 1, Qt::AlignRight);
  setTabOrder(CheckBox_Proportional, SpinEdit_Lines);
  setTabOrder(SpinEdit_Lines, CheckBox_Arrows);
  setTabOrder(CheckBox_Arrows, CheckBox_Accurate);
  setTabOrder(CheckBox_Accurate, CheckBox_ZeroPoints);
  setTabOrder(CheckBox_ZeroPoints, Button_Back);

  const auto edited = [this] {
    SpinEdit_Lines->setEnabled(CheckBox_Proportional->isChecked());
    if (!showing_)
      emit OptionsEdited();
  };
  for (QCheckBox *box :
       {CheckBox_Proportional, CheckBox_Arrows, CheckBox_Accurate, CheckBox_ZeroPoints})
    connect(box, &QCheckBox::toggled, this, edited);
  connect(SpinEdit_Lines, &QSpinBox::valueChanged, this, edited);
  ShowOptions({});
  RetranslateUi();
}

void TFieldLineGroup::RetranslateUi() {
  setTitle(tr("Feldlinien"));
  CheckBox_Proportional->setText(tr("Feldlinien nach Ladungs&menge"));
  linesLabel_->setText(tr("Linien der gr&ößten Ladung:"));
  CheckBox_Arrows->setText(tr("Pfeile a&uf Feldlinien"));
  CheckBox_Accurate->setText(tr("G&enaue Feldlinien"));
  CheckBox_ZeroPoints->setText(tr("Feldfreie Pun&kte"));
  Button_Back->setText(tr("Zur&ück"));

  CheckBox_Proportional->setToolTip(
      tr("Jeder Ladung so viele Feldlinien geben, wie ihrem Betrag entspricht; jede Linie wird "
         "nur einmal gezeichnet"));
  SpinEdit_Lines->setToolTip(tr("So viele Feldlinien bekommt die Ladung mit dem größten Betrag"));
  CheckBox_Arrows->setToolTip(tr("Auf jeder Feldlinie Pfeile in Richtung des Feldes zeigen"));
  CheckBox_Accurate->setToolTip(
      tr("Feldlinien mit angepasster Schrittweite genau berechnen, auf jedem Rechner gleich"));
  CheckBox_ZeroPoints->setToolTip(tr("Jeden Punkt, an dem das Feld verschwindet, mit einem Kreuz "
                                     "markieren"));
  Button_Back->setToolTip(tr("Zurück zu den übrigen Einstellungen der Anzeige"));
}

void TFieldLineGroup::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange)
    RetranslateUi();
  QGroupBox::changeEvent(event);
}

void TFieldLineGroup::ShowOptions(const TFieldLineOptions &options) {
  showing_ = true;
  CheckBox_Proportional->setChecked(options.Proportional);
  SpinEdit_Lines->setValue(static_cast<int>(options.Lines));
  SpinEdit_Lines->setEnabled(options.Proportional);
  CheckBox_Arrows->setChecked(options.Arrows);
  CheckBox_Accurate->setChecked(options.Accurate);
  CheckBox_ZeroPoints->setChecked(options.ZeroPoints);
  showing_ = false;
}

TFieldLineOptions TFieldLineGroup::ReadOptions() const {
  TFieldLineOptions options;
  options.Proportional = CheckBox_Proportional->isChecked();
  options.Lines = static_cast<uint32_t>(SpinEdit_Lines->value());
  options.Arrows = CheckBox_Arrows->isChecked();
  options.Accurate = CheckBox_Accurate->isChecked();
  options.ZeroPoints = CheckBox_ZeroPoints->isChecked();
  return options;
}
