#include "app/ChargeRowWindow.h"

#include "base/Errors.h"
#include "model/NumberText.h"
#include "model/ViewLimits.h"
#include "model/Zoom.h"
#include "widgets/ErrorGuard.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <cmath>

namespace {

// The charge tab's names of the units, by index.
constexpr const char *kUnitNames[] = {"1 Elementarladung", "1 Coulomb"};

} // namespace

TChargeRowWindow::TChargeRowWindow(QWidget *parent) : QDialog(parent) {
  Edit_FromX = new QLineEdit(this);
  Edit_FromY = new QLineEdit(this);
  Edit_ToX = new QLineEdit(this);
  Edit_ToY = new QLineEdit(this);
  Button_Drag = new QPushButton(this);
  SpinEdit_Count = new QSpinBox(this);
  SpinEdit_Count->setRange(1, kMaxRowCharges);
  SpinEdit_Count->setValue(TChargeRow{}.Count);
  Radio_Each = new QRadioButton(this);
  Radio_Total = new QRadioButton(this);
  Radio_Each->setChecked(true);
  Edit_Charge = new QLineEdit(QStringLiteral("1"), this);
  ComboBox_Unit = new QComboBox(this);
  for (size_t i = 0; i < std::size(kUnitNames); ++i)
    ComboBox_Unit->addItem(QString());
  Button_Insert = new QPushButton(this);
  Button_Insert->setDefault(true);
  Button_Close = new QPushButton(this);
  fromLabel_ = new QLabel(this);
  toLabel_ = new QLabel(this);
  countLabel_ = new QLabel(this);
  fromLabel_->setBuddy(Edit_FromX);
  toLabel_->setBuddy(Edit_ToX);
  countLabel_->setBuddy(SpinEdit_Count);

  auto *grid = new QGridLayout(this);
  // Units and coordinates' names read the same in every language.
  grid->addWidget(fromLabel_, 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("x"), this), 0, 1);
  grid->addWidget(Edit_FromX, 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("y"), this), 0, 3);
  grid->addWidget(Edit_FromY, 0, 4);
  grid->addWidget(new QLabel(QStringLiteral("m"), this), 0, 5);
  grid->addWidget(toLabel_, 1, 0);
  grid->addWidget(new QLabel(QStringLiteral("x"), this), 1, 1);
  grid->addWidget(Edit_ToX, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("y"), this), 1, 3);
  grid->addWidget(Edit_ToY, 1, 4);
  grid->addWidget(new QLabel(QStringLiteral("m"), this), 1, 5);
  grid->addWidget(Button_Drag, 2, 2, 1, 4);
  grid->addWidget(countLabel_, 3, 0);
  grid->addWidget(SpinEdit_Count, 3, 2);
  grid->addWidget(Radio_Each, 4, 0, 1, 2);
  grid->addWidget(Radio_Total, 4, 2, 1, 3);
  grid->addWidget(Edit_Charge, 5, 0, 1, 3);
  grid->addWidget(ComboBox_Unit, 5, 3, 1, 3);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(Button_Insert);
  buttons->addWidget(Button_Close);
  grid->addLayout(buttons, 6, 0, 1, 6);

  ConnectGuarded(Button_Drag, &QPushButton::clicked, this, [this] { emit DragRequested(); });
  ConnectGuarded(Button_Insert, &QPushButton::clicked, this, [this] { emit InsertRequested(); });
  connect(Button_Close, &QPushButton::clicked, this, &QDialog::close);
  RetranslateUi();
}

void TChargeRowWindow::RetranslateUi() {
  setWindowTitle(tr("Ladungsreihe"));
  fromLabel_->setText(tr("&Von:"));
  toLabel_->setText(tr("&Bis:"));
  countLabel_->setText(tr("&Anzahl:"));
  Button_Drag->setText(tr("Auf der Zeichenfläche &ziehen"));
  Radio_Each->setText(tr("Ladung &je Ladung"));
  Radio_Total->setText(tr("Ladung &insgesamt"));
  for (int i = 0; i < ComboBox_Unit->count(); ++i)
    ComboBox_Unit->setItemText(i, QCoreApplication::translate("TChargeTab", kUnitNames[i]));
  Button_Insert->setText(tr("&Einfügen"));
  Button_Close->setText(tr("Schli&eßen"));
  Button_Drag->setToolTip(tr("Die Strecke mit der linken Maustaste auf der Zeichenfläche ziehen"));
  SpinEdit_Count->setToolTip(tr("So viele Ladungen stehen gleichmäßig auf der Strecke, die "
                                "erste und die letzte an ihren Enden"));
  Edit_Charge->setToolTip(tr("Die Ladung jeder einzelnen oder aller zusammen"));
}

void TChargeRowWindow::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange)
    RetranslateUi();
  QDialog::changeEvent(event);
}

void TChargeRowWindow::ShowSegment(const TWorldPoint &from, const TWorldPoint &to) {
  Edit_FromX->setText(FormatShortest(from.X));
  Edit_FromY->setText(FormatShortest(from.Y));
  Edit_ToX->setText(FormatShortest(to.X));
  Edit_ToY->setText(FormatShortest(to.Y));
}

TChargeRow TChargeRowWindow::ReadRow(const TScene &scene) const {
  TChargeRow row;
  row.From = {StrToNumber(Edit_FromX->text()), StrToNumber(Edit_FromY->text())};
  row.To = {StrToNumber(Edit_ToX->text()), StrToNumber(Edit_ToY->text())};
  // As for one charge: a position the view could not centre could never be shown.
  for (const TWorldPoint &end : {row.From, row.To}) {
    long double px = 0;
    long double py = 0;
    scene.WorldToScreen(end, px, py);
    if (!PixelOffsetCentrable(px - scene.Origin.X) || !PixelOffsetCentrable(py - scene.Origin.Y))
      throw EInvalidInput(tr("Ungültige Koordinate"));
  }
  row.Count = SpinEdit_Count->value();
  row.Unit = static_cast<uint8_t>(std::max(0, ComboBox_Unit->currentIndex()));
  const long double value = StrToNumber(Edit_Charge->text()) * UnitFactorOf(row.Unit);
  row.Each = Radio_Total->isChecked() ? value / row.Count : value;
  TChargeExtent extent = ChargeExtentOf(scene);
  for (int i = 0; i < row.Count; ++i)
    extent.Include(row.Each, true);
  if (!std::isfinite(row.Each) || !ChargesUsable(extent, scene.PixelsPerMetre))
    throw EInvalidInput(tr("Ungültige Ladungsangabe"));
  return row;
}
