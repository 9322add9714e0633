#include "app/PictureStyleWindow.h"

#include "widgets/PellColorComboBox.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

TPictureStyleWindow::TPictureStyleWindow(QWidget *parent) : QDialog(parent) {
  SpinEdit_LineWidth = new QSpinBox(this);
  SpinEdit_LineWidth->setRange(kMinLineWidth, kMaxLineWidth);
  SpinEdit_LineWidth->setSuffix(QStringLiteral(" px"));
  SpinEdit_LabelSize = new QSpinBox(this);
  SpinEdit_LabelSize->setRange(kMinLabelSize, kMaxLabelSize);
  SpinEdit_LabelSize->setSuffix(QStringLiteral(" pt"));
  PellColorComboBox_FieldLines = new TPellColorComboBox(this);
  CheckBox_FitPage = new QCheckBox(this);
  Button_Projector = new QPushButton(this);
  Button_Standard = new QPushButton(this);
  Button_Close = new QPushButton(this);
  lineWidthLabel_ = new QLabel(this);
  labelSizeLabel_ = new QLabel(this);
  colorLabel_ = new QLabel(this);
  lineWidthLabel_->setBuddy(SpinEdit_LineWidth);
  labelSizeLabel_->setBuddy(SpinEdit_LabelSize);
  colorLabel_->setBuddy(PellColorComboBox_FieldLines);

  auto *grid = new QGridLayout(this);
  grid->addWidget(lineWidthLabel_, 0, 0);
  grid->addWidget(SpinEdit_LineWidth, 0, 1);
  grid->addWidget(labelSizeLabel_, 1, 0);
  grid->addWidget(SpinEdit_LabelSize, 1, 1);
  grid->addWidget(colorLabel_, 2, 0);
  grid->addWidget(PellColorComboBox_FieldLines, 2, 1);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(Button_Projector);
  buttons->addWidget(Button_Standard);
  buttons->addStretch(1);
  buttons->addWidget(Button_Close);
  grid->addWidget(CheckBox_FitPage, 3, 0, 1, 2);
  grid->addLayout(buttons, 4, 0, 1, 2);

  const auto edited = [this] {
    if (!showing_)
      emit StyleChanged(Style());
  };
  connect(SpinEdit_LineWidth, &QSpinBox::valueChanged, this, edited);
  connect(SpinEdit_LabelSize, &QSpinBox::valueChanged, this, edited);
  connect(PellColorComboBox_FieldLines, &TPellColorComboBox::OnColorChange, this, edited);
  connect(CheckBox_FitPage, &QCheckBox::toggled, this, edited);
  // The presets are of the picture; the print's fit stays as chosen.
  const auto preset = [this](TPictureStyle style) {
    style.FitPage = CheckBox_FitPage->isChecked();
    ShowAndTell(style);
  };
  connect(Button_Projector, &QPushButton::clicked, this, [preset] { preset(kProjectorStyle); });
  connect(Button_Standard, &QPushButton::clicked, this, [preset] { preset({}); });
  connect(Button_Close, &QPushButton::clicked, this, &QDialog::close);
  ShowStyle({});
  RetranslateUi();
}

void TPictureStyleWindow::RetranslateUi() {
  setWindowTitle(tr("Darstellung"));
  lineWidthLabel_->setText(tr("&Linienbreite:"));
  labelSizeLabel_->setText(tr("&Schriftgröße:"));
  colorLabel_->setText(tr("&Feldlinienfarbe:"));
  CheckBox_FitPage->setText(tr("Druck an Seite &anpassen"));
  Button_Projector->setText(tr("&Projektor"));
  Button_Standard->setText(tr("S&tandard"));
  Button_Close->setText(tr("Schli&eßen"));
  SpinEdit_LineWidth->setToolTip(tr("Breite der Feldlinien und Achsen in Pixeln"));
  SpinEdit_LabelSize->setToolTip(tr("Schriftgröße der Achsenbeschriftung in Punkten"));
  PellColorComboBox_FieldLines->setToolTip(tr("Farbe der Feldlinien und ihrer Pfeile"));
  Button_Projector->setToolTip(
      tr("Breite, dunkle Linien und große Schrift, die ein Beamer nicht verblassen lässt"));
  Button_Standard->setToolTip(tr("Die Darstellung, mit der das Programm ausgeliefert wird"));
  CheckBox_FitPage->setToolTip(tr("Das Bild beim Drucken so groß wie die Seite, sonst in "
                                  "wahrer Größe, beides mittig"));
}

void TPictureStyleWindow::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange)
    RetranslateUi();
  QDialog::changeEvent(event);
}

void TPictureStyleWindow::ShowStyle(const TPictureStyle &style) {
  showing_ = true;
  SpinEdit_LineWidth->setValue(style.LineWidth);
  SpinEdit_LabelSize->setValue(style.LabelSize);
  PellColorComboBox_FieldLines->SetColor(style.FieldLineColor);
  CheckBox_FitPage->setChecked(style.FitPage);
  showing_ = false;
}

void TPictureStyleWindow::ShowAndTell(const TPictureStyle &style) {
  ShowStyle(style);
  emit StyleChanged(Style());
}

TPictureStyle TPictureStyleWindow::Style() const {
  TPictureStyle style;
  style.LineWidth = SpinEdit_LineWidth->value();
  style.LabelSize = SpinEdit_LabelSize->value();
  style.FieldLineColor = PellColorComboBox_FieldLines->Color();
  style.FitPage = CheckBox_FitPage->isChecked();
  return style;
}
