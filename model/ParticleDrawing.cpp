#include "model/ParticleDrawing.h"

#include "base/PixelMath.h"
#include "model/Background.h"
#include "model/ChargeDrawing.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

// Calm dark colours, none of them a charge's, the axes' or the field lines' grey.
constexpr std::array<TColor, 8> kTrailColors{0x8B0000, 0x006400, 0x00008B, 0x8B008B,
                                             0x6B6B00, 0x13458B, 0x4F4F2F, 0x00556B};

// Lines are clipped this far outside the surface, so that no clipped end shows and no
// coordinate of a far-away point reaches the rasteriser's integers.
constexpr double kClipMargin = 64;     // px
constexpr double kArrowHeadLength = 8; // px
constexpr double kArrowHeadAngle = std::numbers::pi / 7;

struct TClip {
  double Left, Top, Right, Bottom;
  bool Holds(const QPointF &p) const {
    return p.x() >= Left && p.x() <= Right && p.y() >= Top && p.y() <= Bottom;
  }
};

TClip ClipOf(const TPictureTarget &target) {
  return {-kClipMargin, -kClipMargin, target.Area.Width + kClipMargin,
          target.Area.Height + kClipMargin};
}

// Where a world point (m) lies on the picture (px, integers at pixel centres).
QPointF Project(const TScene &scene, const TWorldPoint &world) {
  long double px = 0;
  long double py = 0;
  scene.WorldToScreen(world, px, py);
  return {static_cast<double>(px), static_cast<double>(py)};
}

bool IsFinite(const QPointF &p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// The part of the segment a-b inside clip (Liang-Barsky), or none.
std::optional<std::pair<QPointF, QPointF>> ClipSegment(const QPointF &a, const QPointF &b,
                                                       const TClip &clip) {
  const double dx = b.x() - a.x();
  const double dy = b.y() - a.y();
  double enter = 0;
  double leave = 1;
  const std::array<std::pair<double, double>, 4> edges{{{-dx, a.x() - clip.Left},
                                                        {dx, clip.Right - a.x()},
                                                        {-dy, a.y() - clip.Top},
                                                        {dy, clip.Bottom - a.y()}}};
  for (const auto &[p, q] : edges) {
    if (p == 0) {
      if (q < 0)
        return std::nullopt;
      continue;
    }
    const double r = q / p;
    if (p < 0)
      enter = std::max(enter, r);
    else
      leave = std::min(leave, r);
    if (enter > leave)
      return std::nullopt;
  }
  return std::pair{QPointF(a.x() + enter * dx, a.y() + enter * dy),
                   QPointF(a.x() + leave * dx, a.y() + leave * dy)};
}

// The polyline through the world points, in the pen, cut where it leaves the clip.
void DrawPath(TCanvas &canvas, const TScene &scene, const std::vector<TWorldPoint> &path,
              const TClip &clip) {
  std::vector<QPointF> run;
  const auto flush = [&] {
    if (run.size() >= 2)
      canvas.FineLine(run);
    run.clear();
  };
  QPointF previous;
  bool hasPrevious = false;
  for (const TWorldPoint &world : path) {
    const QPointF p = Project(scene, world);
    if (!IsFinite(p)) {
      flush();
      hasPrevious = false;
      continue;
    }
    if (hasPrevious) {
      const auto piece = ClipSegment(previous, p, clip);
      if (!piece) {
        flush();
      } else {
        if (run.empty() || run.back() != piece->first) {
          flush();
          run.push_back(piece->first);
        }
        run.push_back(piece->second);
      }
    }
    previous = p;
    hasPrevious = true;
  }
  flush();
}

// A disc of that radius centred on the pixel nearest to p, in the pen and brush; none off
// the picture.
void Disc(TCanvas &canvas, const QPointF &p, int radius, const TClip &clip) {
  if (!IsFinite(p) || !clip.Holds(p))
    return;
  const int x = pixel::Round(p.x());
  const int y = pixel::Round(p.y());
  canvas.Ellipse(x - radius, y - radius, x + radius + 1, y + radius + 1);
}

TColor SignFill(long double charge) {
  return charge > 0 ? kPositiveFill : charge < 0 ? kNegativeFill : kNeutralFill;
}

long double Speed(const TWorldPoint &v) { return std::hypot(v.X, v.Y); }

// The start velocity from the disc's centre: kLongestStartArrow for the fastest of the
// scene's particles (fastest, m/s), the others in proportion, with a head of two strokes.
void StartArrow(TCanvas &canvas, const QPointF &centre, const TWorldPoint &velocity,
                long double fastest, const TClip &clip) {
  const long double speed = Speed(velocity);
  if (!(speed > 0) || !(fastest > 0) || !IsFinite(centre) || !clip.Holds(centre))
    return;
  const double length = static_cast<double>(kLongestStartArrow * (speed / fastest));
  // World y points up, the picture's y down.
  const double angle =
      std::atan2(-static_cast<double>(velocity.Y), static_cast<double>(velocity.X));
  const QPointF tip = centre + QPointF(length * std::cos(angle), length * std::sin(angle));
  canvas.BeginFigure();
  const std::array shaft{centre, tip};
  canvas.FineLine(shaft);
  for (const double side : {-1.0, 1.0}) {
    const double back = angle + std::numbers::pi + side * kArrowHeadAngle;
    const std::array wing{
        tip, tip + QPointF(kArrowHeadLength * std::cos(back), kArrowHeadLength * std::sin(back))};
    canvas.FineLine(wing);
  }
  canvas.EndFigure();
}

void DrawGoal(TCanvas &canvas, const TScene &scene, const TParticleGoal &goal, const TClip &clip) {
  QPointF topLeft = Project(scene, {goal.Left, goal.Top});
  QPointF bottomRight = Project(scene, {goal.Right, goal.Bottom});
  if (!IsFinite(topLeft) || !IsFinite(bottomRight))
    return;
  // Sides parallel to the axes: clamping the corners keeps every visible pixel of them.
  const auto clamp = [&clip](const QPointF &p) {
    return QPointF(std::clamp(p.x(), clip.Left, clip.Right),
                   std::clamp(p.y(), clip.Top, clip.Bottom));
  };
  topLeft = clamp(topLeft);
  bottomRight = clamp(bottomRight);
  const int left = pixel::Round(topLeft.x());
  const int top = pixel::Round(topLeft.y());
  const int right = pixel::Round(bottomRight.x());
  const int bottom = pixel::Round(bottomRight.y());
  canvas.Pen.Color = kGoalColor;
  canvas.Pen.Width = 0;
  canvas.Pen.Style = TPenStyle::psDash;
  canvas.Brush.Style = TBrushStyle::bsClear; // a solid brush would fill the dashes' gaps
  canvas.BeginFigure();
  canvas.MoveTo(left, top);
  canvas.LineTo(right, top);
  canvas.LineTo(right, bottom);
  canvas.LineTo(left, bottom);
  canvas.LineTo(left, top);
  canvas.EndFigure();
  canvas.Pen.Style = TPenStyle::psSolid;
}

// The note's lines at the top-left, in the axis labels' font on an opaque cell as theirs.
void DrawNote(TCanvas &canvas, const std::string &note, const TPictureTarget &target) {
  canvas.Font.Name = target.FontName;
  canvas.Font.Size = target.Style.LabelSize;
  canvas.Font.Color = kNoteColor;
  canvas.Font.Style = 0;
  canvas.Brush.SetColor(kBackgroundColor);
  constexpr int kInset = 4; // px from the picture's corner
  int y = kInset;
  for (QString line : QString::fromStdString(note).split(u'\n')) {
    if (line.endsWith(u'\r'))
      line.chop(1);
    if (!line.isEmpty())
      canvas.TextOut(kInset, y, line);
    y += canvas.TextHeight(line);
  }
}

} // namespace

TColor ParticleTrailColor(int index) {
  return kTrailColors[static_cast<size_t>(index) % kTrailColors.size()];
}

TParticleTrail StartTrail(const TParticle &particle) {
  TParticleTrail trail;
  trail.Position = {particle.X, particle.Y};
  trail.Velocity = {particle.VX, particle.VY};
  trail.Charge = particle.Charge;
  return trail;
}

void DrawParticles(TCanvas &canvas, const TScene &scene, const std::vector<TParticleTrail> &trails,
                   const TPictureTarget &target) {
  const TParticleSetup &setup = scene.ParticleSetup;
  if (scene.Particles.empty() && !setup.Goal.Active && setup.Note.empty())
    return;
  const TPen pen = canvas.Pen;
  const TBrush brush = canvas.Brush;
  const TFont font = canvas.Font;
  const TClip clip = ClipOf(target);

  if (setup.Goal.Active)
    DrawGoal(canvas, scene, setup.Goal, clip);

  const int count = static_cast<int>(scene.Particles.size());
  std::vector<TParticleTrail> starts;
  const auto trailOf = [&](int i) -> const TParticleTrail & {
    return i < static_cast<int>(trails.size()) ? trails[static_cast<size_t>(i)]
                                               : starts[static_cast<size_t>(i)];
  };
  long double fastest = 0;
  for (int i = 0; i < count; ++i) {
    const TParticle &particle = scene.Particles[static_cast<size_t>(i)];
    starts.push_back(StartTrail(particle));
    fastest = std::max(fastest, Speed(starts.back().Velocity));
  }

  canvas.Pen.Style = TPenStyle::psSolid;
  for (int i = 0; i < count; ++i) {
    const TParticleTrail &trail = trailOf(i);
    const TColor color = ParticleTrailColor(i);
    canvas.Pen.Color = color;
    canvas.Pen.Width = target.Style.LineWidth > 1 ? target.Style.LineWidth : 0;
    if (!trail.Started) {
      StartArrow(canvas, Project(scene, trail.Position), trail.Velocity, fastest, clip);
      continue;
    }
    DrawPath(canvas, scene, trail.Path, clip);
    canvas.Pen.Width = 0;
    canvas.Brush.SetColor(color);
    for (const TWorldPoint &dot : trail.Dots)
      Disc(canvas, Project(scene, dot), kStroboscopeDotRadius, clip);
  }
  // The discs over every trail, as the charges are over the field lines.
  canvas.Pen.Color = kParticleOutline;
  canvas.Pen.Width = 0;
  for (int i = 0; i < count; ++i) {
    const TParticleTrail &trail = trailOf(i);
    canvas.Brush.SetColor(SignFill(trail.Charge));
    Disc(canvas, Project(scene, trail.Position), kParticleRadius, clip);
  }

  if (!setup.Note.empty())
    DrawNote(canvas, setup.Note, target);
  canvas.Pen = pen;
  canvas.Brush = brush;
  canvas.Font = font;
}
