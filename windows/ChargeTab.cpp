#include "windows/ChargeTab.h"

#include "model/Document.h"
#include "model/NumberText.h"
#include "model/PointCharge.h"
#include "model/ViewLimits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>
#include <iterator>

namespace {

// Coulombs per unit. A unit the list does not know (only a damaged project file holds one)
// counts as coulombs, so that showing and applying such a charge never changes its value.
long double FactorOf(int unit) {
  return unit >= 0 && unit < static_cast<int>(std::size(UnitFactor)) ? UnitFactor[unit] : 1.0L;
}

QLabel *Label(const QString &text, QWidget *parent) { return new QLabel(text, parent); }

} // namespace

TChargeTab::TChargeTab(QWidget *parent) : QWidget(parent) {
  Edit_X = new QLineEdit(this);
  Edit_Y = new QLineEdit(this);
  Edit_Charge = new QLineEdit(this);
  ComboBox_Unit = new QComboBox(this);
  ComboBox_Unit->addItems({QStringLiteral("1 Elementarladung"), QStringLiteral("1 Coulomb")});
  SpinEdit_CountLines = new QSpinBox(this);
  SpinEdit_CountLines->setRange(0, kMaxFieldLines);
  CheckBox_TestCharge = new QCheckBox(QStringLiteral("Probeladung (Kraftpfeil)"), this);
  Button_Apply = new QPushButton(QStringLiteral("Übernehmen"), this);
  Button_Center = new QPushButton(QStringLiteral("Zentrieren"), this);
  Button_Delete = new QPushButton(QStringLiteral("Löschen"), this);

  auto *grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setVerticalSpacing(3);
  grid->addWidget(Label(QStringLiteral("X:"), this), 0, 0);
  grid->addWidget(Edit_X, 0, 1);
  grid->addWidget(Label(QStringLiteral("m"), this), 0, 2);
  grid->addWidget(Label(QStringLiteral("Y:"), this), 1, 0);
  grid->addWidget(Edit_Y, 1, 1);
  grid->addWidget(Label(QStringLiteral("m"), this), 1, 2);
  grid->addWidget(Label(QStringLiteral("Ladung:"), this), 2, 0);
  grid->addWidget(Edit_Charge, 2, 1);
  grid->addWidget(Label(QStringLiteral("Einheit:"), this), 3, 0);
  grid->addWidget(ComboBox_Unit, 3, 1);
  grid->addWidget(Label(QStringLiteral("Anzahl Feldlinien:"), this), 4, 0);
  grid->addWidget(SpinEdit_CountLines, 4, 1);
  grid->addWidget(CheckBox_TestCharge, 5, 0, 1, 3);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(Button_Apply);
  buttons->addWidget(Button_Center);
  buttons->addWidget(Button_Delete);
  grid->addLayout(buttons, 6, 0, 1, 3);

  ShowCharge(nullptr);
}

void TChargeTab::ShowCharge(const TPointCharge *charge) {
  const bool selected = charge != nullptr;
  Button_Apply->setEnabled(selected);
  Button_Center->setEnabled(Button_Apply->isEnabled());
  Button_Delete->setEnabled(Button_Apply->isEnabled());
  if (!selected) {
    Edit_X->clear();
    Edit_Y->clear();
    Edit_Charge->clear();
    ComboBox_Unit->setCurrentIndex(-1);
    SpinEdit_CountLines->setValue(0);
    CheckBox_TestCharge->setChecked(false);
    return;
  }
  const TWorldPoint position = ChargeWorldPosition(*charge);
  Edit_X->setText(FormatFixed(position.X, 4));
  Edit_Y->setText(FormatFixed(position.Y, 4));
  Edit_Charge->setText(FormatShortest(charge->ChargeValue / FactorOf(charge->ChargeUnit)));
  ComboBox_Unit->setCurrentIndex(charge->ChargeUnit < ComboBox_Unit->count() ? charge->ChargeUnit : -1);
  SpinEdit_CountLines->setValue(
      static_cast<int>(std::min<uint32_t>(charge->FieldLineCount, kMaxFieldLines)));
  CheckBox_TestCharge->setChecked(charge->IsTestCharge);
}

TChargeInput TChargeTab::ReadInput() const {
  TChargeInput input;
  const auto x = ParseNumber(Edit_X->text());
  if (!x) {
    input.Error = QStringLiteral("Ungültige x-Koordinate");
    return input;
  }
  const auto y = ParseNumber(Edit_Y->text());
  if (!y) {
    input.Error = QStringLiteral("Ungültige y-Koordinate");
    return input;
  }
  const auto q = ParseNumber(Edit_Charge->text());
  if (!q) {
    input.Error = QStringLiteral("Ungültige Ladungsangabe");
    return input;
  }
  // A position is kept in pixels: metres beyond their range could never be saved.
  long double px = 0;
  long double py = 0;
  WorldToScreen({*x, *y}, px, py);
  if (!PixelPositionUsable(px - 10)) {
    input.Error = QStringLiteral("Ungültige x-Koordinate");
    return input;
  }
  if (!PixelPositionUsable(py - 10)) {
    input.Error = QStringLiteral("Ungültige y-Koordinate");
    return input;
  }
  input.X = *x;
  input.Y = *y;
  input.Value = *q;
  input.Unit = ComboBox_Unit->currentIndex();
  // Text that is not a whole number counts as the minimum; the range holds in any case.
  bool isNumber = false;
  const int lines = SpinEdit_CountLines->cleanText().toInt(&isNumber);
  input.FieldLines = isNumber ? static_cast<uint32_t>(std::clamp(lines, 0, kMaxFieldLines)) : 0;
  input.TestCharge = CheckBox_TestCharge->isChecked();
  return input;
}

void TChargeTab::ApplyInput(TPointCharge &charge, const TChargeInput &input) {
  PlaceChargeAtWorld(charge, {input.X, input.Y});
  // With no unit chosen the charge keeps the one it has.
  if (input.Unit >= 0)
    charge.ChargeUnit = static_cast<uint8_t>(input.Unit);
  charge.ChargeValue = input.Value * FactorOf(charge.ChargeUnit);
  charge.FieldLineCount = input.FieldLines;
  charge.IsTestCharge = input.TestCharge;
}
