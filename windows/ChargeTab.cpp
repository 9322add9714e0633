#include "windows/ChargeTab.h"

#include "base/Errors.h"
#include "model/Document.h"
#include "model/NumberText.h"
#include "model/PointCharge.h"
#include "model/ViewLimits.h"
#include "model/Zoom.h"
#include "widgets/ClampSpinBox.h"
#include "widgets/EnterKey.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>
#include <iterator>

namespace {

// The entries of the unit list, by the unit's index in a charge.
constexpr const char *kUnitNames[] = {QT_TRANSLATE_NOOP("TChargeTab", "1 Elementarladung"),
                                      QT_TRANSLATE_NOOP("TChargeTab", "1 Coulomb")};

} // namespace

TChargeTab::TChargeTab(QWidget *parent) : QWidget(parent) {
  Edit_X = new QLineEdit(this);
  Edit_Y = new QLineEdit(this);
  Edit_Charge = new QLineEdit(this);
  ComboBox_Unit = new QComboBox(this);
  for (int i = 0; i < static_cast<int>(std::size(kUnitNames)); ++i)
    ComboBox_Unit->addItem(QString());
  SpinEdit_CountLines = new TClampSpinBox(this);
  SpinEdit_CountLines->setRange(0, kMaxFieldLines);
  CheckBox_TestCharge = new QCheckBox(this);
  Button_Apply = new QPushButton(this);
  Button_Center = new QPushButton(this);
  Button_Delete = new QPushButton(this);
  chargeLabel_ = new QLabel(this);
  unitLabel_ = new QLabel(this);
  countLinesLabel_ = new QLabel(this);

  auto *grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setVerticalSpacing(3);
  // Axis names and units read the same in every language.
  grid->addWidget(new QLabel(QStringLiteral("X:"), this), 0, 0);
  grid->addWidget(Edit_X, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("m"), this), 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("Y:"), this), 1, 0);
  grid->addWidget(Edit_Y, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("m"), this), 1, 2);
  grid->addWidget(chargeLabel_, 2, 0);
  grid->addWidget(Edit_Charge, 2, 1);
  grid->addWidget(unitLabel_, 3, 0);
  grid->addWidget(ComboBox_Unit, 3, 1);
  grid->addWidget(countLinesLabel_, 4, 0);
  grid->addWidget(SpinEdit_CountLines, 4, 1);
  grid->addWidget(CheckBox_TestCharge, 5, 0, 1, 3);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(Button_Apply);
  buttons->addWidget(Button_Center);
  buttons->addWidget(Button_Delete);
  grid->addLayout(buttons, 6, 0, 1, 3);

  ShowNoCharge();
  RetranslateUi();
}

void TChargeTab::RetranslateUi() {
  for (int i = 0; i < static_cast<int>(std::size(kUnitNames)); ++i)
    ComboBox_Unit->setItemText(i, tr(kUnitNames[i]));
  CheckBox_TestCharge->setText(tr("&Probeladung (Kraftpfeil)"));
  Button_Apply->setText(tr("Ü&bernehmen"));
  Button_Center->setText(tr("&Zentrieren"));
  Button_Delete->setText(tr("&Löschen"));
  chargeLabel_->setText(tr("Ladung:"));
  unitLabel_->setText(tr("Einheit:"));
  countLinesLabel_->setText(tr("Anzahl Feldlinien:"));

  Edit_X->setToolTip(tr("x-Koordinate der Ladung in Metern"));
  Edit_Y->setToolTip(tr("y-Koordinate der Ladung in Metern"));
  Edit_Charge->setToolTip(
      tr("Ladung als Vielfaches der Einheit; negativ für eine negative Ladung"));
  ComboBox_Unit->setToolTip(tr("Einheit der Ladung: Elementarladungen oder Coulomb"));
  SpinEdit_CountLines->setToolTip(
      tr("Feldlinien: Anzahl der Feldlinien, die von dieser Ladung ausgehen"));
  CheckBox_TestCharge->setToolTip(
      tr("Probeladung: erzeugt kein Feld, zeigt aber die Kraft auf sie als Pfeil"));
  Button_Apply->setToolTip(tr("Die Werte dieser Seite für die Ladung übernehmen"));
  Button_Center->setToolTip(
      tr("Die Ansicht so verschieben, dass die Ladung in der Mitte der Zeichenfläche steht"));
  Button_Delete->setToolTip(tr("Die gewählte Ladung löschen"));
}

void TChargeTab::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange)
    RetranslateUi();
  QWidget::changeEvent(event);
}

void TChargeTab::ShowNoCharge() {
  Button_Apply->setEnabled(false);
  Button_Center->setEnabled(false);
  Button_Delete->setEnabled(false);
  Edit_X->clear();
  Edit_Y->clear();
  Edit_Charge->clear();
  ComboBox_Unit->setCurrentIndex(-1);
  SpinEdit_CountLines->setValue(0);
  CheckBox_TestCharge->setChecked(false);
}

void TChargeTab::ShowCharge(const TScene &scene, const TPointCharge *charge) {
  if (charge == nullptr) {
    ShowNoCharge();
    return;
  }
  Button_Apply->setEnabled(true);
  Button_Center->setEnabled(true);
  Button_Delete->setEnabled(true);
  const TWorldPoint position = scene.ChargeWorldPosition(*charge);
  Edit_X->setText(FormatFixed(position.X, 4));
  Edit_Y->setText(FormatFixed(position.Y, 4));
  Edit_Charge->setText(FormatShortest(charge->ChargeValue / UnitFactorOf(charge->ChargeUnit)));
  ComboBox_Unit->setCurrentIndex(charge->ChargeUnit < ComboBox_Unit->count() ? charge->ChargeUnit
                                                                             : -1);
  SpinEdit_CountLines->setValue(
      static_cast<int>(std::min<uint32_t>(charge->FieldLineCount, kMaxFieldLines)));
  CheckBox_TestCharge->setChecked(charge->IsTestCharge);
  MarkApplied();
}

void TChargeTab::MarkApplied() {
  shown_ = {Edit_X->text(),
            Edit_Y->text(),
            Edit_Charge->text(),
            ComboBox_Unit->currentIndex(),
            SpinEdit_CountLines->value(),
            CheckBox_TestCharge->isChecked()};
}

TChargeFields TChargeTab::ChangedFields() const {
  TChargeFields fields;
  fields.Position = Edit_X->text() != shown_.X || Edit_Y->text() != shown_.Y;
  fields.Value = Edit_Charge->text() != shown_.Charge;
  fields.Unit = ComboBox_Unit->currentIndex() != shown_.Unit;
  fields.FieldLines = SpinEdit_CountLines->value() != shown_.FieldLines;
  fields.TestCharge = CheckBox_TestCharge->isChecked() != shown_.TestCharge;
  return fields;
}

TChargeInput TChargeTab::ReadInput(const TScene &scene) const {
  TChargeInput input;
  const auto x = ParseNumber(Edit_X->text());
  if (!x) {
    throw EInvalidInput(tr("Ungültige x-Koordinate"));
  }
  const auto y = ParseNumber(Edit_Y->text());
  if (!y) {
    throw EInvalidInput(tr("Ungültige y-Koordinate"));
  }
  const auto q = ParseNumber(Edit_Charge->text());
  if (!q) {
    throw EInvalidInput(tr("Ungültige Ladungsangabe"));
  }
  // A position is kept in pixels: metres beyond their range could never be saved, and a
  // charge farther away than the view can move could never be centred and shown.
  long double px = 0;
  long double py = 0;
  scene.WorldToScreen({*x, *y}, px, py);
  // A centrable offset is also a finite pixel position: the stricter of the two rules.
  if (!PixelOffsetCentrable(px - scene.Origin.X))
    throw EInvalidInput(tr("Ungültige x-Koordinate"));
  if (!PixelOffsetCentrable(py - scene.Origin.Y))
    throw EInvalidInput(tr("Ungültige y-Koordinate"));
  input.X = *x;
  input.Y = *y;
  input.Value = *q;
  input.Unit = ComboBox_Unit->currentIndex();
  input.TestCharge = CheckBox_TestCharge->isChecked();
  // A charge whose forces overflow could be neither drawn nor saved.
  const TPointCharge *selected = scene.SelectedCharge();
  const int unit = input.Unit >= 0 || selected == nullptr ? input.Unit : selected->ChargeUnit;
  if (!ChargesUsable(
          ChargeExtentOf(scene, scene.Selected, *q * UnitFactorOf(unit), !input.TestCharge),
          scene.PixelsPerMetre))
    throw EInvalidInput(tr("Ungültige Ladungsangabe"));
  // Text that is not a whole number counts as the minimum; the range holds in any case.
  bool isNumber = false;
  const int lines = SpinEdit_CountLines->cleanText().toInt(&isNumber);
  input.FieldLines = isNumber ? static_cast<uint32_t>(std::clamp(lines, 0, kMaxFieldLines)) : 0;
  return input;
}

void TChargeTab::keyPressEvent(QKeyEvent *event) {
  if (!PressOnEnter(event, this, Button_Apply))
    QWidget::keyPressEvent(event);
}
