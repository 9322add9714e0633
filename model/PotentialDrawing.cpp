#include "model/PotentialDrawing.h"

#include "base/PixelMath.h"
#include "display/TextStamp.h"
#include "model/ParallelFor.h"
#include "model/PotentialOptions.h"
#include "model/PotentialTint.h"
#include "model/Scene.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

constexpr long double kMaxTint = 0.75L; // the strongest colour keeps grey field lines visible
constexpr int kLegendBar = 128;         // px
constexpr int kLabelGap = 2;            // px kept free about a label

QRgb Tint(double t, bool negative) {
  // t <= kMaxTint, so the fade is positive and rounds by adding a half.
  const int fade = static_cast<int>(255 * (1 - t) + 0.5);
  return negative ? qRgb(fade, fade, 255) : qRgb(255, fade, fade);
}

// Where a line's label goes: its middle first, then a quarter either side.
constexpr double kLabelPlaces[] = {0.5, 0.25, 0.75};

} // namespace

TColor PotentialColor(long double volts, long double scale) {
  if (std::isnan(volts) || volts == 0 || !(scale > 0))
    return 0xFFFFFF;
  const long double m = std::fabs(volts);
  const long double t = std::isfinite(m) ? kMaxTint * m / (m + scale) : kMaxTint;
  return FromQRgb(Tint(static_cast<double>(t), volts < 0));
}

long double MapScale(const TPotentialGrid &grid) { return 4 * AutomaticSpacing(grid); }

void PaintPotentialMap(const TPotentialGrid &grid, QImage &image) {
  const long double scale = MapScale(grid);
  const int w = std::min(grid.Width(), image.width());
  const int h = std::min(grid.Height(), image.height());
  if (w <= 0 || h <= 0)
    return;
  constexpr int step = kPotentialGridStep;
  // The tint of every node, signed as its potential (in the grid's units: doubles suffice
  // for 8-bit colours); a pixel's tint is bilinear between its nodes', so that the grid
  // shows no blocks and a source's infinite node is just the strongest tint.
  const double unitScale = static_cast<double>(scale / grid.Unit());
  const int columns = grid.Columns();
  const auto tintRow = [&](int j, std::vector<float> &tints) {
    for (int i = 0; i < columns; ++i) {
      const double value = grid.Scaled(i, j);
      const double m = std::fabs(value);
      constexpr double most = kMaxTint;
      const double t = std::isnan(value) || !(unitScale > 0) ? 0
                       : std::isfinite(m)                    ? most * m / (m + unitScale)
                                                             : most;
      tints[i] = static_cast<float>(value < 0 ? -t : t);
    }
  };
  uchar *const bits = image.bits(); // detached here, before the rows are shared out
  const qsizetype stride = image.bytesPerLine();
  const int rows = grid.Rows();
  // A task per row of cells: the pixels between two rows of nodes.
  ParallelFor(static_cast<size_t>(rows), [&](size_t cellRow) {
    const int j = static_cast<int>(cellRow);
    std::vector<float> upper(static_cast<size_t>(columns));
    std::vector<float> lower(static_cast<size_t>(columns));
    tintRow(j, upper);
    tintRow(std::min(j + 1, rows - 1), lower);
    std::vector<float> across(static_cast<size_t>(columns) + 1);
    for (int y = j * step; y < std::min((j + 1) * step, h); ++y) {
      auto *row = reinterpret_cast<std::uint32_t *>(bits + stride * y);
      const float v = static_cast<float>(y - j * step) / step;
      // Down the columns first, then across each cell.
      for (int i = 0; i < columns; ++i)
        across[i] = upper[i] + v * (lower[i] - upper[i]);
      across[columns] = across[columns - 1];
      TintRow(across.data(), w, row);
    }
  });
}

void PaintPotentialMap(const TPotentialGrid &grid, TCanvas &canvas) {
  if (QImage *device = canvas.Device()) {
    PaintPotentialMap(grid, *device);
    return;
  }
  QImage map(grid.Width(), grid.Height(), QImage::Format_RGB32);
  if (map.isNull())
    return;
  PaintPotentialMap(grid, map);
  canvas.Draw(0, 0, map);
}

void DrawPotentialLegend(const TPotentialGrid &grid, TCanvas &canvas, const QString &fontName) {
  const long double scale = MapScale(grid);
  if (!(scale > 0))
    return;
  const long double end = 4 * scale;
  canvas.Font.Size = 8;
  canvas.Font.Name = fontName;
  canvas.Font.Color = 0;
  const QString low = FormatVolts(-end);
  const QString high = FormatVolts(end);
  const int textHeight = canvas.TextHeight(low);
  const int boxWidth = kLegendBar + 8 + canvas.TextWidth(high) / 2;
  const int boxHeight = 4 + 8 + 2 + textHeight + 4;
  const int left = 4;
  const int top = grid.Height() - 4 - boxHeight;
  canvas.Pen.Style = TPenStyle::psClear;
  canvas.Brush.SetColor(0xFFFFFF);
  canvas.FillRect({left, top, left + boxWidth, top + boxHeight});
  canvas.Brush.SetColor(0x808080);
  canvas.FrameRect({left, top, left + boxWidth, top + boxHeight});
  const int barLeft = left + 4 + canvas.TextWidth(low) / 2;
  for (int i = 0; i < kLegendBar; ++i) {
    canvas.Brush.SetColor(PotentialColor(-end + 2 * end * i / (kLegendBar - 1), scale));
    canvas.FillRect({barLeft + i, top + 4, barLeft + i + 1, top + 12});
  }
  canvas.Brush.SetColor(0xFFFFFF);
  const QString zero = FormatVolts(0);
  canvas.TextOut(barLeft - canvas.TextWidth(low) / 2, top + 14, low);
  canvas.TextOut(barLeft + kLegendBar / 2 - canvas.TextWidth(zero) / 2, top + 14, zero);
  canvas.TextOut(barLeft + kLegendBar - canvas.TextWidth(high) / 2, top + 14, high);
  canvas.Pen.Style = TPenStyle::psSolid;
}

std::vector<long double> ChosenLevels(const TPotentialGrid &grid,
                                      const TPotentialOptions &options) {
  if (!options.Levels.empty())
    return options.Levels;
  if (options.FixedSpacing)
    return SpacedLevels(grid, options.Spacing, kMaxLevelsPerSide);
  return AutomaticLevels(grid);
}

void DrawIsoLines(const std::vector<TIsoLine> &lines, TCanvas &canvas) {
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Pen.Width = 0;
  std::vector<TPoint> path;
  for (const TIsoLine &line : lines) {
    if (line.Points.empty())
      continue;
    const auto pixel = [](const TIsoPoint &p) {
      return TPoint{pixel::Round(p.X), pixel::Round(p.Y)};
    };
    path.clear();
    const TPoint first = pixel(line.Points.front());
    path.push_back(first);
    for (const TIsoPoint &p : line.Points)
      path.push_back(pixel(p));
    // LineTo leaves out its end pixel: close the loop, or draw the open line's last pixel.
    const TPoint last = path.back();
    path.push_back(line.Closed ? first : TPoint{last.X + 1, last.Y});
    canvas.BeginFigure();
    canvas.Polyline(path);
    canvas.EndFigure();
  }
}

void DrawIsoLabels(const std::vector<TIsoLine> &lines, TCanvas &canvas, TSize area,
                   const QString &fontName, std::vector<TRect> &taken) {
  canvas.Font.Size = 8;
  canvas.Font.Name = fontName;
  // The background's canvas lives on to the next picture, whose axis labels are black.
  const TColor fontColor = std::exchange(canvas.Font.Color, canvas.Pen.Color);
  canvas.Brush.SetColor(0xFFFFFF);
  // The lines come level by level: a level's text is measured and drawn once, then stamped.
  std::optional<TTextStamp> stamp;
  int w = 0;
  int h = 0;
  for (size_t n = 0; n < lines.size(); ++n) {
    const TIsoLine &line = lines[n];
    if (n == 0 || line.Level != lines[n - 1].Level) {
      stamp.emplace(canvas, FormatVolts(line.Level));
      w = stamp->Width();
      h = stamp->Height();
    }
    // Room: the line is at least three labels long.
    double length = 0;
    for (size_t i = 1; i < line.Points.size() && length < 3 * w; ++i) {
      const double dx = line.Points[i].X - line.Points[i - 1].X;
      const double dy = line.Points[i].Y - line.Points[i - 1].Y;
      length += std::sqrt(dx * dx + dy * dy);
    }
    if (length < 3 * w)
      continue;
    for (const double place : kLabelPlaces) {
      const TIsoPoint &p = line.Points[static_cast<size_t>(place * (line.Points.size() - 1))];
      const int x = pixel::Round(p.X) - w / 2;
      const int y = pixel::Round(p.Y) - h / 2;
      const TRect box{x - kLabelGap, y - kLabelGap, x + w + kLabelGap, y + h + kLabelGap};
      if (box.Left < 0 || box.Top < 0 || box.Right > area.Width || box.Bottom > area.Height)
        continue;
      if (std::any_of(taken.begin(), taken.end(),
                      [&](const TRect &other) { return Overlaps(box, other); }))
        continue;
      canvas.Stamp(x, y, *stamp);
      taken.push_back(box);
      break;
    }
  }
  canvas.Font.Color = fontColor;
}

void DrawEquipotentials(const TScene &scene, const TPotentialGrid &grid,
                        const TPotentialOptions &options, TCanvas &canvas,
                        const QString &fontName) {
  const TSize area{grid.Width(), grid.Height()};
  std::vector<TRect> taken;
  if (options.Lines) {
    canvas.Pen.Color = options.LineColor;
    // On pixels a level is drawn while the others are still traced: one colour, copied, so
    // the order of the levels shows nowhere. A vector canvas keeps the levels' order.
    const QImage *device = canvas.Device();
    const bool pixels =
        device != nullptr &&
        (device->format() == QImage::Format_RGB32 || device->format() == QImage::Format_ARGB32 ||
         device->format() == QImage::Format_ARGB32_Premultiplied);
    const std::vector<TIsoLine> lines =
        pixels ? TraceEquipotentials(
                     grid, ChosenLevels(grid, options),
                     [&](const std::vector<TIsoLine> &level) { DrawIsoLines(level, canvas); })
               : TraceEquipotentials(grid, ChosenLevels(grid, options));
    if (!pixels)
      DrawIsoLines(lines, canvas);
    DrawIsoLabels(lines, canvas, area, fontName, taken);
  }
  const TPointCharge *selected = scene.SelectedCharge();
  if (options.TestChargeLine && selected != nullptr && selected->IsTestCharge) {
    const long double level = PotentialAtPoint(scene, selected->CenterX(), selected->CenterY());
    if (std::isfinite(level)) {
      const std::vector<TIsoLine> lines = TraceEquipotentials(grid, {level});
      canvas.Pen.Color = scene.ArrowColor;
      DrawIsoLines(lines, canvas);
      DrawIsoLabels(lines, canvas, area, fontName, taken);
    }
  }
}
