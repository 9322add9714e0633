#include "windows/EnergyPlot.h"

#include "model/NumberText.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// One curve: its energy of a sample, its colour and its legend's name (a symbol, the same
// in every language).
struct TCurve {
  long double TEnergySample::*Energy;
  QColor Color;
  const char *Name;
};
const TCurve kCurves[] = {{&TEnergySample::Kinetic, QColor(200, 0, 0), "Ekin"},
                          {&TEnergySample::Potential, QColor(0, 0, 200), "Epot"},
                          {&TEnergySample::Total, QColor(0, 0, 0), "Eges"}};

constexpr int kMargin = 4; // px around the plot area

} // namespace

TEnergyPlot::TEnergyPlot(QWidget *parent) : QWidget(parent) {
  setMinimumHeight(70);
  RetranslateUi();
}

void TEnergyPlot::RetranslateUi() {
  setToolTip(tr("Kinetische, potenzielle und gesamte Energie des Teilchens über der Zeit"));
}

void TEnergyPlot::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange) {
    RetranslateUi();
    update();
  }
  QWidget::changeEvent(event);
}

QSize TEnergyPlot::sizeHint() const { return {230, 110}; }

void TEnergyPlot::SetSamples(std::vector<TEnergySample> samples) {
  samples_ = std::move(samples);
  update();
}

void TEnergyPlot::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  const QFontMetrics metrics = painter.fontMetrics();
  const int line = metrics.height();

  // Energies in eV: the size of the numbers this plot is for.
  long double low = 0;
  long double high = 0;
  for (const TEnergySample &sample : samples_)
    for (const TCurve &curve : kCurves) {
      const long double eV = sample.*curve.Energy / kJoulesPerElectronVolt;
      low = std::min(low, eV);
      high = std::max(high, eV);
    }
  if (high - low <= 0)
    high = low + 1;
  const long double duration = samples_.empty() ? 0 : samples_.back().T - samples_.front().T;
  const long double start = samples_.empty() ? 0 : samples_.front().T;

  const QString highText = FormatLabel(high);
  const QString lowText = FormatLabel(low);
  const int labelWidth =
      std::max(metrics.horizontalAdvance(highText), metrics.horizontalAdvance(lowText));
  // The legend on top, the time axis's labels below, the energy's on the left.
  const QRect area(kMargin + labelWidth + 2, kMargin + line, width() - 2 * kMargin - labelWidth - 2,
                   height() - 2 * kMargin - 2 * line);
  if (area.width() < 10 || area.height() < 10)
    return;

  painter.setPen(Qt::black);
  // Inside the axis's ends, so that they stay clear of the legend's row and the time's.
  painter.drawText(QRect(kMargin, area.top(), labelWidth, line), Qt::AlignRight | Qt::AlignTop,
                   highText);
  painter.drawText(QRect(kMargin, area.bottom() - line + 1, labelWidth, line),
                   Qt::AlignRight | Qt::AlignBottom, lowText);
  painter.drawText(QRect(area.left(), area.bottom() + 1, area.width(), line),
                   Qt::AlignLeft | Qt::AlignTop, QStringLiteral("0"));
  painter.drawText(QRect(area.left(), area.bottom() + 1, area.width(), line),
                   Qt::AlignRight | Qt::AlignTop, tr("t = %1 s").arg(FormatGeneral(duration, 3)));
  painter.drawText(QRect(kMargin, kMargin, labelWidth + 40, line), Qt::AlignLeft | Qt::AlignTop,
                   tr("E in eV"));
  painter.setPen(Qt::gray);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
  // The zero of energy, where it lies inside.
  const auto toY = [&](long double eV) {
    return area.bottom() - static_cast<double>((eV - low) / (high - low)) * (area.height() - 1);
  };
  if (low < 0 && high > 0)
    painter.drawLine(QPointF(area.left(), toY(0)), QPointF(area.right(), toY(0)));

  // The legend, right-aligned above the plot.
  int legendRight = area.right();
  for (auto it = std::rbegin(kCurves); it != std::rend(kCurves); ++it) {
    const QString name = QString::fromLatin1(it->Name);
    const int w = metrics.horizontalAdvance(name);
    painter.setPen(it->Color);
    painter.drawText(QRect(legendRight - w, kMargin, w, line), Qt::AlignLeft | Qt::AlignTop, name);
    painter.drawLine(legendRight - w - 14, kMargin + line / 2, legendRight - w - 4,
                     kMargin + line / 2);
    legendRight -= w + 20;
  }

  if (samples_.size() < 2)
    return;
  painter.setRenderHint(QPainter::Antialiasing);
  for (const TCurve &curve : kCurves) {
    QPainterPath path;
    for (size_t i = 0; i < samples_.size(); ++i) {
      const TEnergySample &sample = samples_[i];
      const double x =
          area.left() + (duration > 0 ? static_cast<double>((sample.T - start) / duration) : 0) *
                            (area.width() - 1);
      const QPointF point(x, toY(sample.*curve.Energy / kJoulesPerElectronVolt));
      if (i == 0)
        path.moveTo(point);
      else
        path.lineTo(point);
    }
    painter.setPen(QPen(curve.Color, 1.5));
    painter.drawPath(path);
  }
}
