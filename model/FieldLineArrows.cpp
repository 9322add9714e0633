#include "model/FieldLineArrows.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// A straight piece of the line on the surface; Run numbers the stretches without a gap.
struct TPiece {
  QPointF From, To;
  double Start = 0;  // px of visible arc length before it
  double Length = 0; // px
  size_t Run = 0;
};

// The part of the segment inside the box (Liang-Barsky), or none.
std::optional<std::pair<QPointF, QPointF>> Clipped(QPointF a, QPointF b, double right,
                                                   double bottom) {
  const double dx = b.x() - a.x();
  const double dy = b.y() - a.y();
  double t0 = 0;
  double t1 = 1;
  const auto edge = [&](double p, double q) {
    if (p == 0)
      return q >= 0;
    const double t = q / p;
    if (p < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    return t0 <= t1;
  };
  if (!edge(-dx, a.x()) || !edge(dx, right - a.x()) || !edge(-dy, a.y()) ||
      !edge(dy, bottom - a.y()))
    return std::nullopt;
  return std::pair{a + t0 * QPointF(dx, dy), a + t1 * QPointF(dx, dy)};
}

// A point of a line and whether the line jumps to it.
struct TLinePoint {
  QPointF Point;
  bool Move = false;
};

std::vector<TPiece> VisiblePieces(const std::vector<TLinePoint> &line, TSize surface) {
  std::vector<TPiece> pieces;
  if (surface.Width <= 0 || surface.Height <= 0)
    return pieces;
  const double right = surface.Width - 1;
  const double bottom = surface.Height - 1;
  double length = 0;
  size_t run = 0;
  QPointF pen;
  for (const TLinePoint &point : line) {
    const QPointF to = point.Point;
    if (!point.Move) {
      if (const auto part = Clipped(pen, to, right, bottom)) {
        const auto [a, b] = *part;
        const double l = std::hypot(b.x() - a.x(), b.y() - a.y());
        if (l > 0) {
          if (!pieces.empty() && pieces.back().To != a)
            ++run;
          pieces.push_back({a, b, length, l, run});
          length += l;
        }
      }
    }
    pen = to;
  }
  return pieces;
}

// The point at visible arc length s, kept within the run of the piece at index near.
QPointF PointAt(const std::vector<TPiece> &pieces, size_t near, double s) {
  size_t i = near;
  const size_t run = pieces[near].Run;
  while (s < pieces[i].Start && i > 0 && pieces[i - 1].Run == run)
    --i;
  while (s > pieces[i].Start + pieces[i].Length && i + 1 < pieces.size() &&
         pieces[i + 1].Run == run)
    ++i;
  const TPiece &p = pieces[i];
  const double t = std::clamp((s - p.Start) / p.Length, 0.0, 1.0);
  return p.From + t * (p.To - p.From);
}

} // namespace

namespace {

std::vector<TLineArrow> ArrowsAlong(const std::vector<TLinePoint> &line, int32_t direction,
                                    TSize surface) {
  std::vector<TLineArrow> arrows;
  const std::vector<TPiece> pieces = VisiblePieces(line, surface);
  if (pieces.empty())
    return arrows;
  const double total = pieces.back().Start + pieces.back().Length;
  const double middle = total / 2;
  const auto first = static_cast<long>(-std::floor(middle / kLineArrowSpacing));
  const auto last = static_cast<long>(std::floor(middle / kLineArrowSpacing));
  // A half-line traced against the field (from a negative source) has the field running
  // from its end back to its start.
  const double sense = direction < 0 ? -1 : 1;
  size_t piece = 0;
  for (long k = first; k <= last; ++k) {
    const double s = middle + static_cast<double>(k) * kLineArrowSpacing;
    while (piece + 1 < pieces.size() && pieces[piece].Start + pieces[piece].Length < s)
      ++piece;
    const QPointF tip = PointAt(pieces, piece, s);
    // Aimed from the point one head length of arc behind the tip, so that the head follows
    // the line's bend rather than the last rounded step.
    const QPointF back = PointAt(pieces, piece, s - sense * kLineArrowLength);
    const QPointF along = tip - back;
    const double length = std::hypot(along.x(), along.y());
    if (length == 0)
      continue; // a run too short to show a direction
    arrows.push_back({tip, along / length});
  }
  return arrows;
}

} // namespace

std::vector<TLineArrow> FieldLineArrows(const TPolyline &line, int32_t direction, TSize surface) {
  std::vector<TLinePoint> points;
  points.reserve(line.Ops().size());
  for (const TPolyline::Op &op : line.Ops())
    points.push_back({QPointF(op.X, op.Y), op.Move});
  return ArrowsAlong(points, direction, surface);
}

std::vector<TLineArrow> FieldLineArrows(const TTraceJob &job, TSize surface) {
  if (job.Points.empty())
    return FieldLineArrows(job.Line, job.Direction, surface);
  std::vector<TLinePoint> points;
  points.reserve(job.Points.size());
  for (const QPointF &p : job.Points)
    points.push_back({p, points.empty()});
  return ArrowsAlong(points, job.Direction, surface);
}

std::array<QPointF, 3> ArrowCorners(const TLineArrow &arrow) {
  const QPointF base = arrow.Tip - kLineArrowLength * arrow.Direction;
  const QPointF across = kLineArrowWidth / 2 * QPointF(-arrow.Direction.y(), arrow.Direction.x());
  return {arrow.Tip, base + across, base - across};
}

void DrawLineArrows(const std::vector<TLineArrow> &arrows, TColor color, TCanvas &canvas) {
  // The brush is put back: a bitmap that grows fills its new area with it.
  const TBrush kept = canvas.Brush;
  canvas.Brush.SetColor(color);
  for (const TLineArrow &arrow : arrows) {
    const std::array<QPointF, 3> corners = ArrowCorners(arrow);
    canvas.FillPolygon(corners);
  }
  canvas.Brush = kept;
}
