#include "display/Canvas.h"

#include "base/Errors.h"
#include "base/PixelMath.h"
#include "base/Seams.h"
#include "display/LineRasterizer.h"
#include "display/PixelSpans.h"
#include "display/TextStamp.h"
#include "display/WideStroke.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>

namespace {

using raster::TBox;
using raster::TPixelOp;

bool Is32Bit(QImage::Format format) {
  return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
         format == QImage::Format_ARGB32_Premultiplied;
}

raster::TPixels PixelsOf(QImage &image) {
  return {reinterpret_cast<uint32_t *>(image.bits()), image.bytesPerLine() / 4, image.width(),
          image.height()};
}

TPixelOp OpOf(const TPen &pen) {
  return pen.Mode == TPenMode::pmNot ? TPixelOp::Invert : TPixelOp::Copy;
}

// The box X1..X2-1 by Y1..Y2-1 with its corners put in order, as Rectangle and Ellipse take it.
TBox OrderedBox(int x1, int y1, int x2, int y2) {
  if (x2 < x1)
    std::swap(x1, x2);
  if (y2 < y1)
    std::swap(y1, y2);
  return {x1, y1, int64_t{x2} - 1, int64_t{y2} - 1};
}

TBox BoxOf(const TRect &r) { return {r.Left, r.Top, int64_t{r.Right} - 1, int64_t{r.Bottom} - 1}; }

bool Touches(const TBox &box, const QImage &device) {
  return !box.Empty() && box.Right >= 0 && box.Bottom >= 0 && box.Left < device.width() &&
         box.Top < device.height();
}

int32_t Saturated(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// The rows of the ellipse in one box, from the thread's shape cache where the box has a
// cached size.
class TEllipseRows {
public:
  explicit TEllipseRows(const TBox &box) : box_(box), shape_(raster::EllipseShapeOf(box)) {}
  bool Row(int64_t y, int64_t &left, int64_t &right) const {
    return shape_ ? shape_->Row(box_, y, left, right) : raster::EllipseRow(box_, y, left, right);
  }

private:
  TBox box_;
  std::shared_ptr<const raster::TEllipseShape> shape_;
};

raster::TLineStyle LineStyleOf(const TPen &pen, const TBrush &brush) {
  raster::TLineStyle style;
  style.Op = OpOf(pen);
  style.Color = ToQRgb(pen.Color);
  style.Dashed = pen.Style == TPenStyle::psDash;
  style.OpaqueGaps = brush.Style == TBrushStyle::bsSolid;
  style.GapColor = ToQRgb(brush.Color());
  return style;
}

// A dashed one-pixel outline of box, one dash pattern round the whole box.
void DashedOutline(const raster::TPixels &pixels, const TBox &box,
                   const raster::TLineStyle &style) {
  const auto left = static_cast<int32_t>(box.Left);
  const auto top = static_cast<int32_t>(box.Top);
  const auto right = static_cast<int32_t>(box.Right);
  const auto bottom = static_cast<int32_t>(box.Bottom);
  int phase = 0;
  auto side = [&](int32_t ax, int32_t ay, int32_t bx, int32_t by, bool includeEnd) {
    const raster::TLinePlan plan =
        raster::PlanLine(pixels.Width, pixels.Height, ax, ay, bx, by, includeEnd);
    raster::PlotLine(pixels, plan, style, phase);
    phase = raster::AdvanceDash(phase, plan.Length);
  };
  if (left == right || top == bottom) { // a box one pixel thin is a single line
    side(left, top, right, bottom, true);
    return;
  }
  // Round the box clockwise; each side leaves its end pixel to the next one.
  side(left, top, right, top, false);
  side(right, top, right, bottom, false);
  side(right, bottom, left, bottom, false);
  side(left, bottom, left, top, false);
}

} // namespace

// Points at the screen's pixels per inch, rounded as the classic MulDiv does; a negative
// size is a height in pixels.
QFont ToQFont(const TFont &f) {
  QFont font(f.Name.isEmpty() ? QStringLiteral("DejaVu Sans") : f.Name);
  const int64_t ppi = seams::ScreenPixelsPerInch();
  const int64_t pixels = f.Size >= 0 ? (int64_t{f.Size} * ppi + 36) / 72 : -int64_t{f.Size};
  font.setPixelSize(static_cast<int>(std::clamp<int64_t>(pixels, 1, 4096)));
  font.setBold((f.Style & fsBold) != 0);
  font.setUnderline((f.Style & fsUnderline) != 0);
  return font;
}

TCanvas::TCanvas(QImage *device) : device_(device) {}

void TCanvas::SetDevice(QImage *device) { device_ = device; }
QImage *TCanvas::Device() const { return device_; }

TPoint TCanvas::PenPos() const { return penPos_; }

bool TCanvas::Ready() {
  BeginDrawing();
  if (device_ == nullptr || device_->isNull())
    return false;
  if (!Is32Bit(device_->format()))
    throw EInvalidOperation(
        QCoreApplication::translate("TCanvas", "Leinwand/Bild erlaubt kein Zeichnen"));
  return true;
}

void TCanvas::MoveTo(int x, int y) {
  penPos_ = {x, y};
  dashPhase_ = 0;
  wideChain_ = false;
}

void TCanvas::LineTo(int x, int y) {
  const TPoint from = penPos_;
  penPos_ = {x, y};
  const bool chained =
      std::exchange(wideChain_, false) && wideTo_ == from && wideWidth_ == Pen.Width;
  if (!Ready() || Pen.Style == TPenStyle::psClear)
    return;
  if (Pen.Width > 1) { // wide pens draw solid (dashes are for one-pixel pens), round ends
    const TPixelOp op = OpOf(Pen);
    StrokeWideSegment(*device_, from, penPos_, Pen.Width, ToQRgb(Pen.Color), op,
                      chained ? std::optional<TPoint>(wideFrom_) : std::nullopt);
    if (op == TPixelOp::Invert && from != penPos_) {
      wideChain_ = true;
      wideFrom_ = from;
      wideTo_ = penPos_;
      wideWidth_ = Pen.Width;
    }
    return;
  }
  const raster::TLinePlan plan =
      raster::PlanLine(device_->width(), device_->height(), from.X, from.Y, x, y, false);
  const int phase = dashPhase_;
  dashPhase_ = raster::AdvanceDash(phase, plan.Length);
  if (plan.Count == 0)
    return;
  raster::PlotLine(PixelsOf(*device_), plan, LineStyleOf(Pen, Brush), phase);
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  if (points.empty())
    return;
  MoveTo(points.front().X, points.front().Y);
  const bool solid = device_ != nullptr && Pen.Width <= 1 && Pen.Style == TPenStyle::psSolid;
  if (!solid || !Ready()) {
    for (const TPoint &p : points.subspan(1))
      LineTo(p.X, p.Y);
    return;
  }
  // Solid: the pattern only counts on, so the segments need not ask LineTo one by one, and
  // those wholly on the device (most of them) need no plan.
  const raster::TPixels pixels = PixelsOf(*device_);
  const raster::TLineStyle style = LineStyleOf(Pen, Brush);
  int64_t length = 0;
  for (const TPoint &p : points.subspan(1)) {
    const TPoint from = std::exchange(penPos_, p);
    if (std::min(from.X, p.X) >= 0 && std::max(from.X, p.X) < pixels.Width &&
        std::min(from.Y, p.Y) >= 0 && std::max(from.Y, p.Y) < pixels.Height) {
      length += raster::PlotLineOnPixels(pixels, from.X, from.Y, p.X, p.Y, style);
      continue;
    }
    const raster::TLinePlan plan =
        raster::PlanLine(pixels.Width, pixels.Height, from.X, from.Y, p.X, p.Y, false);
    length += plan.Length;
    if (plan.Count > 0)
      raster::PlotLine(pixels, plan, style, 0);
  }
  dashPhase_ = raster::AdvanceDash(dashPhase_, length);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (!Ready())
    return;
  const TBox box = OrderedBox(x1, y1, x2, y2);
  if (box.Empty())
    return;
  const raster::TPixels pixels = PixelsOf(*device_);
  const bool fill = Brush.Style == TBrushStyle::bsSolid;
  const uint32_t brush = ToQRgb(Brush.Color());
  if (Pen.Style == TPenStyle::psClear) {
    if (fill)
      raster::ApplyBox(pixels, {box.Left, box.Top, box.Right - 1, box.Bottom - 1}, TPixelOp::Copy,
                       brush);
    return;
  }
  // A wide pen straddles the one-pixel outline: (width - 1) / 2 pixels outside, the rest in.
  const int64_t width = std::max(Pen.Width, 1);
  const int64_t outside = (width - 1) / 2;
  const TBox outer = box.Grown(outside);
  const TBox inner = box.Grown(outside - width);
  if (fill)
    raster::ApplyBox(pixels, inner, TPixelOp::Copy, brush);
  if (width == 1 && Pen.Style == TPenStyle::psDash) {
    DashedOutline(pixels, box, LineStyleOf(Pen, Brush));
    return;
  }
  raster::ApplyFrame(pixels, outer, inner, OpOf(Pen), ToQRgb(Pen.Color));
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (!Ready())
    return;
  const TBox box = OrderedBox(x1, y1, x2, y2);
  const raster::TPixels pixels = PixelsOf(*device_);
  const bool fill = Brush.Style == TBrushStyle::bsSolid;
  const uint32_t brush = ToQRgb(Brush.Color());
  int64_t left = 0;
  int64_t right = 0;

  if (Pen.Style == TPenStyle::psClear) {
    if (!fill)
      return;
    const TBox area{box.Left, box.Top, box.Right - 1, box.Bottom - 1};
    if (!Touches(area, *device_))
      return;
    const TEllipseRows rows(area);
    const int64_t last = std::min<int64_t>(area.Bottom, pixels.Height - 1);
    for (int64_t y = std::max<int64_t>(area.Top, 0); y <= last; ++y)
      if (rows.Row(y, left, right))
        raster::ApplySpan(pixels, y, left, right, TPixelOp::Copy, brush);
    return;
  }

  // The outline is the ring between the ellipses of the outer and the inner box (the same
  // straddling as Rectangle); dashes are not drawn on ellipses, only by one-pixel lines.
  const int64_t width = std::max(Pen.Width, 1);
  const int64_t outside = (width - 1) / 2;
  const TBox outer = box.Grown(outside);
  const TBox inner = box.Grown(outside - width);
  if (!Touches(outer, *device_))
    return;
  const TPixelOp op = OpOf(Pen);
  const uint32_t pen = ToQRgb(Pen.Color);
  const TEllipseRows outerRows(outer);
  const TEllipseRows innerRows(inner);
  const int64_t last = std::min<int64_t>(outer.Bottom, pixels.Height - 1);
  for (int64_t y = std::max<int64_t>(outer.Top, 0); y <= last; ++y) {
    if (!outerRows.Row(y, left, right))
      continue;
    int64_t innerLeft = 0;
    int64_t innerRight = 0;
    if (innerRows.Row(y, innerLeft, innerRight)) {
      if (fill)
        raster::ApplySpan(pixels, y, innerLeft, innerRight, TPixelOp::Copy, brush);
      raster::ApplySpan(pixels, y, left, innerLeft - 1, op, pen);
      raster::ApplySpan(pixels, y, innerRight + 1, right, op, pen);
    } else {
      raster::ApplySpan(pixels, y, left, right, op, pen);
    }
  }
}

void TCanvas::FillRect(const TRect &r) {
  if (!Ready() || Brush.Style == TBrushStyle::bsClear)
    return;
  raster::ApplyBox(PixelsOf(*device_), BoxOf(r), TPixelOp::Copy, ToQRgb(Brush.Color()));
}

void TCanvas::FillPolygon(std::span<const QPointF> corners) {
  if (!Ready() || Brush.Style == TBrushStyle::bsClear || corners.size() < 3)
    return;
  QPainter painter(device_);
  // Painter coordinates run along pixel edges; ours name pixel centres.
  painter.translate(0.5, 0.5);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor::fromRgb(ToQRgb(Brush.Color())));
  painter.drawPolygon(corners.data(), static_cast<int>(corners.size()));
}

void TCanvas::FineLine(std::span<const QPointF> points) {
  if (points.empty())
    return;
  // A wide solid pen strokes the whole line at once, joints and all, as one painter path.
  if (Pen.Width > 1 && Pen.Style == TPenStyle::psSolid && Pen.Mode != TPenMode::pmNot && Ready()) {
    QPainter painter(device_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor::fromRgb(ToQRgb(Pen.Color)), Pen.Width, Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    const QPointF &last = points.back();
    MoveTo(pixel::Round(last.x()), pixel::Round(last.y()));
    return;
  }
  BeginFigure();
  MoveTo(pixel::Round(points.front().x()), pixel::Round(points.front().y()));
  for (const QPointF &p : points.subspan(1))
    LineTo(pixel::Round(p.x()), pixel::Round(p.y()));
  EndFigure();
}

void TCanvas::FrameRect(const TRect &r) {
  if (!Ready() || Brush.Style == TBrushStyle::bsClear)
    return;
  const TBox box = BoxOf(r);
  raster::ApplyFrame(PixelsOf(*device_), box, box.Grown(-1), TPixelOp::Copy, ToQRgb(Brush.Color()));
}

void TCanvas::TextOut(int x, int y, const QString &s) {
  const QFont font = ToQFont(Font);
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(s);
  penPos_ = {Saturated(int64_t{x} + width), y};
  if (!Ready() || s.isEmpty())
    return;
  const TBox cell{x, y, int64_t{x} + width - 1, int64_t{y} + metrics.height() - 1};
  if (!Touches(cell, *device_))
    return;
  if (Brush.Style == TBrushStyle::bsSolid)
    raster::ApplyBox(PixelsOf(*device_), cell, TPixelOp::Copy, ToQRgb(Brush.Color()));
  QPainter painter(device_);
  painter.setFont(font);
  painter.setPen(QColor::fromRgb(ToQRgb(Font.Color)));
  painter.drawText(QPoint(x, y + metrics.ascent()), s);
}

void TCanvas::Stamp(int x, int y, const TTextStamp &stamp) {
  if (device_ == nullptr) { // a vector canvas draws the text itself
    TextOut(x, y, stamp.Text());
    return;
  }
  penPos_ = {Saturated(int64_t{x} + stamp.Width()), y};
  if (Ready())
    stamp.Put(*device_, x, y);
}

int TCanvas::TextWidth(const QString &s) const {
  return QFontMetrics(ToQFont(Font)).horizontalAdvance(s);
}

int TCanvas::TextHeight(const QString &) const { return QFontMetrics(ToQFont(Font)).height(); }

void TCanvas::Draw(int x, int y, const QImage &graphic) {
  if (graphic.isNull() || !Ready())
    return;
  const TBox area{x, y, int64_t{x} + graphic.width() - 1, int64_t{y} + graphic.height() - 1};
  if (!Touches(area, *device_))
    return;
  QPainter painter(device_);
  painter.setCompositionMode(graphic.hasAlphaChannel() ? QPainter::CompositionMode_SourceOver
                                                       : QPainter::CompositionMode_Source);
  painter.drawImage(QPoint(x, y), graphic);
}
