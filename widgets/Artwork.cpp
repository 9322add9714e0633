#include "widgets/Artwork.h"

#include "model/FieldLineTracer.h"
#include "model/Scene.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <numbers>
#include <utility>

namespace {

// The logo's lines are traced by the program's own tracer, on a dipole drawn this many
// times larger than the logo, so that its whole-pixel steps are fine on the logo.
constexpr double kTraceScale = 16;
constexpr uint64_t kLogoStepCap = 1'000'000;

// Field lines of +1 at `plus` and -1 at `minus` (logo px), count lines leaving the positive
// charge at equal angles, the first one straight towards the negative charge; the first is
// drawn in axisColor. Lines end at the negative charge or far outside bounds.
void DrawFieldLines(QPainter &painter, QPointF plus, QPointF minus, double radius, int count,
                    const QRectF &bounds, const QColor &color, const QColor &axisColor,
                    double penWidth) {
  TScene dipole;
  dipole.StepLength = 2;
  for (const auto &[centre, value] : {std::pair{plus, 1.0L}, std::pair{minus, -1.0L}}) {
    TPointCharge charge;
    charge.X = centre.x() * kTraceScale - kChargeHalfSize;
    charge.Y = centre.y() * kTraceScale - kChargeHalfSize;
    charge.ChargeValue = value;
    dipole.Charges.Add(charge);
  }
  const QRectF traced(bounds.topLeft() * kTraceScale, bounds.size() * kTraceScale);
  // Cut by steps, never by the clock: the logo is the same on every machine. No line of the
  // dipole comes near the cap before it ends or leaves the bounds.
  TTraceLimits limits;
  limits.StepCap = kLogoStepCap;
  const TFieldLineTracer tracer(
      dipole, {TSize{static_cast<int32_t>(traced.right()), static_cast<int32_t>(traced.bottom())},
               QString(), limits});
  const double toward = std::atan2(minus.y() - plus.y(), minus.x() - plus.x());
  for (int k = 0; k < count; ++k) {
    const double angle = toward + 2 * std::numbers::pi * k / count;
    TPolyline line;
    uint64_t steps = 0;
    tracer.TraceHalf(+1, (plus.x() + radius * std::cos(angle)) * kTraceScale,
                     (plus.y() + radius * std::sin(angle)) * kTraceScale, line, steps);
    QPolygonF polygon;
    for (const TPolyline::Op &op : line.Ops()) {
      if (op.Move && polygon.size() > 1) {
        painter.setPen(QPen(k == 0 ? axisColor : color, penWidth));
        painter.drawPolyline(polygon);
      }
      if (op.Move)
        polygon.clear();
      polygon << QPointF(op.X, op.Y) / kTraceScale;
    }
    painter.setPen(QPen(k == 0 ? axisColor : color, penWidth));
    painter.drawPolyline(polygon);
  }
}

void DrawCharge(QPainter &painter, QPointF centre, double radius, const QColor &fill, bool positive,
                double strokeWidth) {
  QRadialGradient shade(centre - QPointF(radius, radius) * 0.35, radius * 1.4);
  shade.setColorAt(0, fill.lighter(150));
  shade.setColorAt(1, fill);
  painter.setPen(QPen(fill.darker(160), strokeWidth * 0.6));
  painter.setBrush(shade);
  painter.drawEllipse(centre, radius, radius);
  painter.setPen(QPen(Qt::white, strokeWidth, Qt::SolidLine, Qt::RoundCap));
  const double arm = radius * 0.5;
  painter.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
  if (positive)
    painter.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
}

} // namespace

QImage KraftbildLogo() {
  QImage logo(LogoWidth, LogoHeight, QImage::Format_RGB32);
  logo.fill(Qt::white);
  QPainter painter(&logo);
  painter.setRenderHint(QPainter::Antialiasing);

  const QPointF plus(46, 22);
  const QPointF minus(96, 22);
  const double radius = 8;
  painter.save();
  painter.setClipRect(QRectF(0, 0, LogoWidth, 44));
  DrawFieldLines(painter, plus, minus, radius, 16, QRectF(-40, -40, LogoWidth + 80, 130),
                 QColor(120, 120, 120), Qt::black, 1.0);
  painter.restore();
  DrawCharge(painter, plus, radius, QColor(220, 30, 30), true, 2.0);
  DrawCharge(painter, minus, radius, QColor(30, 60, 220), false, 2.0);

  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(16);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QRectF(0, 43, LogoWidth, 20), Qt::AlignCenter, QStringLiteral("Kraftbild"));
  return logo;
}

QImage KraftbildIconImage(int size) {
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  const double s = size;

  const QRectF tile(0.5, 0.5, s - 1, s - 1);
  painter.setPen(QPen(QColor(90, 100, 120), s / 32));
  painter.setBrush(QColor(246, 248, 252));
  painter.drawRoundedRect(tile, s * 0.18, s * 0.18);

  const QPointF plus(s * 0.27, s * 0.5);
  const QPointF minus(s * 0.73, s * 0.5);
  const double radius = s * 0.13;
  painter.save();
  QPainterPath inside;
  inside.addRoundedRect(tile.adjusted(1, 1, -1, -1), s * 0.16, s * 0.16);
  painter.setClipPath(inside);
  DrawFieldLines(painter, plus, minus, radius, 8, tile, QColor(110, 110, 110), QColor(40, 40, 40),
                 s / 28);
  painter.restore();
  DrawCharge(painter, plus, radius, QColor(220, 30, 30), true, s / 20);
  DrawCharge(painter, minus, radius, QColor(30, 60, 220), false, s / 20);
  return icon;
}

std::vector<QImage> KraftbildIconImages() {
  return {KraftbildIconImage(32), KraftbildIconImage(48)};
}

QIcon KraftbildIcon(const std::vector<QImage> &images) {
  QIcon icon;
  for (const QImage &image : images)
    icon.addPixmap(QPixmap::fromImage(image));
  return icon;
}

QIcon KraftbildIcon() { return KraftbildIcon(KraftbildIconImages()); }
