#include "widgets/CalibrationDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kMmPerInch = 25.4;
constexpr double kRulerMm = 100;
} // namespace

double CalibrationStep(double factor) {
  if (!std::isfinite(factor))
    return 1;
  return std::clamp(std::round(factor * 1000) / 1000, kCalibrationMin, kCalibrationMax);
}

// A black bar with its length in logical pixels, drawn at the device's pixels and ticked
// every centimetre so that a ruler can be laid along it.
class TCalibrationBar : public QWidget {
public:
  explicit TCalibrationBar(QWidget *parent) : QWidget(parent) { setMinimumHeight(48); }
  void Set(double length, double pixelsPerMm) {
    length_ = length;
    pixelsPerMm_ = pixelsPerMm;
    setMinimumWidth(static_cast<int>(std::ceil(length)) + 20);
    update();
  }

protected:
  void paintEvent(QPaintEvent *) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QRectF bar(10, 8, length_, 16);
    painter.fillRect(bar, Qt::black);
    QPen pen(Qt::black);
    pen.setWidth(0); // one device pixel
    painter.setPen(pen);
    for (double mm = 0; mm * pixelsPerMm_ <= length_ + 1e-9; mm += 10) {
      const double x = bar.left() + mm * pixelsPerMm_;
      painter.drawLine(QPointF(x, bar.bottom()), QPointF(x, bar.bottom() + 12));
    }
    painter.drawLine(QPointF(bar.right(), bar.top()), QPointF(bar.right(), bar.bottom() + 16));
  }

private:
  double length_ = 0;
  double pixelsPerMm_ = 1;
};

TCalibrationDialog::TCalibrationDialog(double ppi, double factor, QWidget *parent)
    : QDialog(parent), ppi_(ppi) {
  setWindowTitle(tr("Bildschirm kalibrieren"));
  auto *layout = new QVBoxLayout(this);
  auto *hint =
      new QLabel(tr("Halten Sie eine Bankkarte oder ein Lineal an den Balken und ändern Sie den "
                    "Maßstab, bis beide gleich lang sind."),
                 this);
  hint->setWordWrap(true);
  layout->addWidget(hint);
  auto *form = new QFormLayout;
  reference_ = new QComboBox(this);
  reference_->addItem(tr("Bankkarte (85,60 mm)"), kBankCardWidthMm);
  reference_->addItem(tr("Lineal (10 cm)"), kRulerMm);
  form->addRow(tr("&Vergleich mit:"), reference_);
  percent_ = new QDoubleSpinBox(this);
  percent_->setDecimals(1);
  percent_->setSingleStep(0.1);
  percent_->setRange(kCalibrationMin * 100, kCalibrationMax * 100);
  percent_->setSuffix(QStringLiteral(" %"));
  form->addRow(tr("&Maßstab:"), percent_);
  layout->addLayout(form);
  bar_ = new TCalibrationBar(this);
  layout->addWidget(bar_);
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(reference_, &QComboBox::currentIndexChanged, this, [this] { Changed(); });
  connect(percent_, &QDoubleSpinBox::valueChanged, this, [this] { Changed(); });
  SetFactor(factor);
  Changed();
}

double TCalibrationDialog::Factor() const { return CalibrationStep(percent_->value() / 100); }

void TCalibrationDialog::SetFactor(double factor) {
  percent_->setValue(CalibrationStep(factor) * 100);
}

double TCalibrationDialog::BarLength() const {
  return reference_->currentData().toDouble() * ppi_ * Factor() / kMmPerInch;
}

void TCalibrationDialog::Changed() {
  bar_->Set(BarLength(), ppi_ * Factor() / kMmPerInch);
  adjustSize();
}
