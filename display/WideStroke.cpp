#include "display/WideStroke.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

// Liang-Barsky: cuts the segment to the rectangle; false when nothing of it is inside. Keeps
// the coordinates QPainter sees small, however far off the device the ends lie.
bool ClipSegment(QPointF &a, QPointF &b, const QRectF &r) {
  const double dx = b.x() - a.x();
  const double dy = b.y() - a.y();
  double t0 = 0.0;
  double t1 = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0)
        return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1)
      return false;
  }
  const QPointF start = a;
  a = start + QPointF(dx, dy) * t0;
  b = start + QPointF(dx, dy) * t1;
  return true;
}

} // namespace

void StrokeWideSegment(QImage &device, TPoint from, TPoint to, int width, QRgb color,
                       raster::TPixelOp op, std::optional<TPoint> previous) {
  if (from == to || device.isNull())
    return;
  const double margin = width + 2.0;
  QPointF a(from.X, from.Y);
  QPointF b(to.X, to.Y);
  const QRectF area(-margin, -margin, device.width() + 2 * margin, device.height() + 2 * margin);
  if (!ClipSegment(a, b, area))
    return;
  QPen pen(QColor::fromRgb(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

  if (op == raster::TPixelOp::Copy) {
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen);
    painter.drawLine(a, b);
    return;
  }

  // Inverting: render the coverage on a mask over the touched part of the device.
  const QRect bounds = QRectF(a, b)
                           .normalized()
                           .adjusted(-margin, -margin, margin, margin)
                           .toAlignedRect()
                           .intersected(device.rect());
  if (bounds.isEmpty())
    return;
  QImage mask(bounds.size(), QImage::Format_ARGB32_Premultiplied);
  mask.fill(Qt::transparent);
  {
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing, false);
    pen.setColor(Qt::black);
    painter.setPen(pen);
    painter.translate(-bounds.left(), -bounds.top());
    painter.drawLine(a, b);
    QPointF c(previous ? previous->X : 0, previous ? previous->Y : 0);
    QPointF d(from.X, from.Y);
    if (previous && *previous != from && ClipSegment(c, d, area)) {
      painter.setCompositionMode(QPainter::CompositionMode_Clear);
      painter.drawLine(c, d);
    }
  }
  for (int y = 0; y < bounds.height(); ++y) {
    const auto *cover = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
    auto *row = reinterpret_cast<QRgb *>(device.scanLine(bounds.top() + y)) + bounds.left();
    for (int x = 0; x < bounds.width(); ++x)
      if (qAlpha(cover[x]) != 0)
        row[x] ^= 0x00FFFFFFu;
  }
}
