#include "display/PainterCanvas.h"

#include "base/PixelMath.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <utility>

namespace {

// A pixel's centre: a one-pixel line through pixel (x, y) runs through it.
QPointF Centre(TPoint p) { return {p.X + 0.5, p.Y + 0.5}; }

QColor ColorOf(TColor c) { return QColor::fromRgb(ToQRgb(c)); }

// The pixel route's 18 on, 6 off, in pen widths as QPen counts them.
QPen LinePen(const TPen &pen) {
  const int width = std::max(pen.Width, 1);
  QPen result(ColorOf(pen.Color), width, Qt::SolidLine, width > 1 ? Qt::RoundCap : Qt::FlatCap,
              Qt::RoundJoin);
  if (pen.Style == TPenStyle::psDash && width == 1)
    result.setDashPattern({18, 6});
  return result;
}

bool SamePen(const TPen &a, const TPen &b) {
  return a.Color == b.Color && std::max(a.Width, 1) == std::max(b.Width, 1) && a.Style == b.Style &&
         a.Mode == b.Mode;
}

} // namespace

TPainterCanvas::TPainterCanvas(QPainter &painter) : painter_(painter) {}

TPainterCanvas::~TPainterCanvas() { Flush(); }

void TPainterCanvas::Flush() {
  if (path_.isEmpty())
    return;
  const QPen pen = LinePen(pathPen_);
  // Opaque gaps, as the pixel route paints them: the line in the brush colour underneath.
  if (pen.style() != Qt::SolidLine && pathBrush_.Style == TBrushStyle::bsSolid) {
    QPen gaps = pen;
    gaps.setStyle(Qt::SolidLine);
    gaps.setColor(ColorOf(pathBrush_.Color()));
    painter_.strokePath(path_, gaps);
  }
  painter_.strokePath(path_, pen);
  path_.clear();
}

void TPainterCanvas::BeginFigure() {
  Flush();
  inFigure_ = true;
}

void TPainterCanvas::EndFigure() {
  Flush();
  inFigure_ = false;
}

void TPainterCanvas::MoveTo(int x, int y) {
  // Outside a figure, a move ends the line; inside one, the next line starts a new piece.
  if (!inFigure_ && PenPos() != TPoint{x, y})
    Flush();
  TCanvas::MoveTo(x, y);
}

void TPainterCanvas::LineTo(int x, int y) {
  const TPoint from = PenPos();
  TCanvas::LineTo(x, y); // no device: only moves the current point
  // A line without length leaves no pixel (the end pixel is left out), so no dot either.
  if (Pen.Style == TPenStyle::psClear || from == TPoint{x, y})
    return;
  if (!path_.isEmpty() && !SamePen(pathPen_, Pen))
    Flush();
  if (path_.isEmpty()) {
    pathPen_ = Pen;
    pathBrush_ = Brush;
    path_.moveTo(Centre(from));
  } else if (path_.currentPosition() != Centre(from)) {
    path_.moveTo(Centre(from));
  }
  path_.lineTo(Centre({x, y}));
}

void TPainterCanvas::DrawBox(int x1, int y1, int x2, int y2, bool ellipse) {
  Flush();
  if (x2 < x1)
    std::swap(x1, x2);
  if (y2 < y1)
    std::swap(y1, y2);
  const bool fill = Brush.Style == TBrushStyle::bsSolid;
  QRectF box;
  if (Pen.Style == TPenStyle::psClear) {
    if (!fill)
      return;
    // Without a pen the pixel route fills X1..X2-2 by Y1..Y2-2.
    box = QRectF(x1, y1, x2 - x1 - 1.0, y2 - y1 - 1.0);
    painter_.setPen(Qt::NoPen);
  } else {
    // A pen of width w covers the outermost pixels, (w - 1) / 2 of them outside the box;
    // the stroke runs along the middle of that band.
    const int width = std::max(Pen.Width, 1);
    const double inset = width / 2.0 - (width - 1) / 2;
    box = QRectF(x1 + inset, y1 + inset, x2 - x1 - 2 * inset, y2 - y1 - 2 * inset);
    painter_.setPen(LinePen(Pen));
  }
  if (box.width() < 0 || box.height() < 0)
    return;
  painter_.setBrush(fill ? QBrush(ColorOf(Brush.Color())) : QBrush(Qt::NoBrush));
  if (ellipse)
    painter_.drawEllipse(box);
  else
    painter_.drawRect(box);
}

void TPainterCanvas::Rectangle(int x1, int y1, int x2, int y2) { DrawBox(x1, y1, x2, y2, false); }

void TPainterCanvas::Ellipse(int x1, int y1, int x2, int y2) { DrawBox(x1, y1, x2, y2, true); }

void TPainterCanvas::FillRect(const TRect &r) {
  if (Brush.Style == TBrushStyle::bsClear || r.Right <= r.Left || r.Bottom <= r.Top)
    return;
  Flush();
  painter_.fillRect(QRectF(r.Left, r.Top, static_cast<double>(r.Right) - r.Left,
                           static_cast<double>(r.Bottom) - r.Top),
                    ColorOf(Brush.Color()));
}

void TPainterCanvas::FillPolygon(std::span<const QPointF> corners) {
  if (Brush.Style == TBrushStyle::bsClear || corners.size() < 3)
    return;
  Flush();
  QPolygonF polygon;
  for (const QPointF &corner : corners)
    polygon << corner + QPointF(0.5, 0.5); // pixel centres, as Centre places line ends
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(ColorOf(Brush.Color()));
  painter_.drawPolygon(polygon);
}

void TPainterCanvas::FineLine(std::span<const QPointF> points) {
  Flush();
  if (points.size() < 2 || Pen.Style == TPenStyle::psClear)
    return;
  QPainterPath path(points.front() + QPointF(0.5, 0.5));
  for (const QPointF &p : points.subspan(1))
    path.lineTo(p + QPointF(0.5, 0.5)); // pixel centres, as Centre places line ends
  painter_.strokePath(path, LinePen(Pen));
  const QPointF &last = points.back();
  TCanvas::MoveTo(pixel::Round(last.x()), pixel::Round(last.y()));
}

void TPainterCanvas::FrameRect(const TRect &r) {
  if (Brush.Style == TBrushStyle::bsClear || r.Right <= r.Left || r.Bottom <= r.Top)
    return;
  Flush();
  painter_.setPen(QPen(ColorOf(Brush.Color()), 1));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRectF(r.Left + 0.5, r.Top + 0.5, static_cast<double>(r.Right) - r.Left - 1,
                           static_cast<double>(r.Bottom) - r.Top - 1));
}

void TPainterCanvas::TextOut(int x, int y, const QString &s) {
  TCanvas::TextOut(x, y, s); // no device: only moves the current point
  if (s.isEmpty())
    return;
  Flush();
  const QFont font = ToQFont(Font);
  const QFontMetrics metrics(font);
  if (Brush.Style == TBrushStyle::bsSolid)
    painter_.fillRect(QRectF(x, y, metrics.horizontalAdvance(s), metrics.height()),
                      ColorOf(Brush.Color()));
  painter_.setFont(font);
  painter_.setPen(ColorOf(Font.Color));
  painter_.drawText(QPointF(x, y + metrics.ascent()), s);
}

void TPainterCanvas::Draw(int x, int y, const QImage &graphic) {
  if (graphic.isNull())
    return;
  Flush();
  painter_.drawImage(QPointF(x, y), graphic);
}
