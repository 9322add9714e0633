#include "model/ProportionalLines.h"

#include "model/Background.h"
#include "model/Scene.h"
#include "model/Vector.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// The field's part along (ex, ey) at (x, y) px, up to a positive factor: sources push a
// positive charge away.
double RadialField(const TScene &scene, double x, double y, double ex, double ey) {
  double fx = 0;
  double fy = 0;
  for (const TPointCharge &c : scene.Charges) {
    if (!c.IsSource() || c.ChargeValue == 0)
      continue;
    const double dx = x - static_cast<double>(c.CenterX());
    const double dy = y - static_cast<double>(c.CenterY());
    const double r2 = dx * dx + dy * dy;
    const double scale = static_cast<double>(c.ChargeValue) / (r2 * std::sqrt(r2));
    fx += dx * scale;
    fy += dy * scale;
  }
  return fx * ex + fy * ey;
}

// Angles (rad) that split the flux leaving the source's circle in the trace direction into
// count equal parts, the first at angle 0 where it can be: equal angles for a lone source.
std::vector<double> EqualFluxAngles(const TScene &scene, const TPointCharge &source,
                                    uint32_t count) {
  const double radius = static_cast<double>(FieldLineRadius(scene));
  const double cx = static_cast<double>(source.CenterX());
  const double cy = static_cast<double>(source.CenterY());
  const double sense = Sign(source.ChargeValue);
  const size_t samples = std::max<size_t>(64, 8 * static_cast<size_t>(count));
  std::vector<double> flux(samples);
  for (size_t k = 0; k < samples; ++k) {
    const double theta = kTwoPi * static_cast<double>(k) / static_cast<double>(samples);
    const double ex = std::cos(theta);
    const double ey = std::sin(theta);
    flux[k] = std::max(0.0, sense * RadialField(scene, cx + radius * ex, cy + radius * ey, ex, ey));
  }
  std::vector<double> sum(samples + 1, 0.0); // flux from angle 0 to sample k
  for (size_t k = 0; k < samples; ++k)
    sum[k + 1] = sum[k] + (flux[k] + flux[(k + 1) % samples]) / 2;
  std::vector<double> angles;
  const double total = sum[samples];
  for (uint32_t j = 0; j < count; ++j) {
    const double share = static_cast<double>(j) / count;
    if (!(total > 0) || !std::isfinite(total)) {
      angles.push_back(kTwoPi * share);
      continue;
    }
    const double wanted = total * share;
    const auto k =
        static_cast<size_t>(std::upper_bound(sum.begin(), sum.end(), wanted) - sum.begin() - 1);
    const size_t at = std::min(k, samples - 1);
    const double width = sum[at + 1] - sum[at];
    const double part = width > 0 ? (wanted - sum[at]) / width : 0;
    angles.push_back(kTwoPi * (static_cast<double>(at) + part) / static_cast<double>(samples));
  }
  return angles;
}

TTraceJob StartAt(const TScene &scene, int index, double angle) {
  const TPointCharge &source = scene.Charges[index];
  const long double radius = FieldLineRadius(scene);
  TTraceJob job;
  job.From = index;
  job.Direction = Sign(source.ChargeValue);
  job.X = radius * std::cos(static_cast<long double>(angle)) + source.CenterX();
  job.Y = radius * std::sin(static_cast<long double>(angle)) + source.CenterY();
  return job;
}

// The sign whose sources hold the larger total magnitude (the positive one on a tie).
int StartingSign(const TScene &scene) {
  long double positive = 0;
  long double negative = 0;
  for (const TPointCharge &c : scene.Charges)
    if (c.IsSource())
      (c.ChargeValue > 0 ? positive : negative) += std::fabs(c.ChargeValue);
  return negative > positive ? -1 : 1;
}

// Where (rad about the source's centre) the line comes in: the last of its points that lies
// at least the start radius away.
double ArrivalAngle(const TScene &scene, const TPointCharge &source, const TTraceJob &job) {
  const double radius = static_cast<double>(FieldLineRadius(scene));
  const double cx = static_cast<double>(source.CenterX());
  const double cy = static_cast<double>(source.CenterY());
  const auto angleIfFar = [&](double x, double y, double &angle) {
    if (std::hypot(x - cx, y - cy) < radius)
      return false;
    angle = std::atan2(y - cy, x - cx);
    return true;
  };
  double angle = 0;
  if (!job.Points.empty()) {
    for (auto p = job.Points.rbegin(); p != job.Points.rend(); ++p)
      if (angleIfFar(p->x(), p->y(), angle))
        return angle;
  } else {
    const auto &ops = job.Line.Ops();
    for (auto op = ops.rbegin(); op != ops.rend(); ++op)
      if (angleIfFar(op->X, op->Y, angle))
        return angle;
  }
  return std::atan2(static_cast<double>(job.Y) - cy, static_cast<double>(job.X) - cx);
}

// count angles in the widest gaps between the arrivals (rad), each gap split evenly.
std::vector<double> AnglesInGaps(std::vector<double> arrivals, uint32_t count) {
  std::sort(arrivals.begin(), arrivals.end());
  const size_t n = arrivals.size();
  std::vector<double> gap(n);
  for (size_t k = 0; k < n; ++k)
    gap[k] = k + 1 < n ? arrivals[k + 1] - arrivals[k] : arrivals[0] + kTwoPi - arrivals[k];
  std::vector<uint32_t> added(n, 0);
  for (uint32_t j = 0; j < count; ++j) {
    size_t widest = 0;
    for (size_t k = 1; k < n; ++k)
      if (gap[k] / (added[k] + 1) > gap[widest] / (added[widest] + 1))
        widest = k;
    ++added[widest];
  }
  std::vector<double> angles;
  for (size_t k = 0; k < n; ++k)
    for (uint32_t i = 1; i <= added[k]; ++i)
      angles.push_back(arrivals[k] + gap[k] * i / (added[k] + 1));
  return angles;
}

} // namespace

std::vector<uint32_t> ProportionalCounts(const TScene &scene, uint32_t largest) {
  long double most = 0;
  for (const TPointCharge &c : scene.Charges)
    if (c.IsSource())
      most = std::max(most, std::fabs(c.ChargeValue));
  std::vector<uint32_t> counts;
  for (const TPointCharge &c : scene.Charges) {
    if (!c.IsSource() || c.ChargeValue == 0) {
      counts.push_back(0);
      continue;
    }
    const long double share = std::nearbyint(largest * (std::fabs(c.ChargeValue) / most));
    counts.push_back(std::max<uint32_t>(1, static_cast<uint32_t>(share)));
  }
  return counts;
}

std::vector<TTraceJob> ProportionalStarts(const TScene &scene) {
  const std::vector<uint32_t> counts = ProportionalCounts(scene, scene.FieldLines.Lines);
  const int sign = StartingSign(scene);
  std::vector<TTraceJob> jobs;
  for (int i = 0; i < scene.Charges.Count(); ++i) {
    const TPointCharge &c = scene.Charges[i];
    if (counts[static_cast<size_t>(i)] == 0 || Sign(c.ChargeValue) != sign)
      continue;
    for (const double angle : EqualFluxAngles(scene, c, counts[static_cast<size_t>(i)]))
      jobs.push_back(StartAt(scene, i, angle));
  }
  return jobs;
}

std::vector<TTraceJob> RebalancedStarts(const TScene &scene, const std::vector<TTraceJob> &traced) {
  const std::vector<uint32_t> counts = ProportionalCounts(scene, scene.FieldLines.Lines);
  const int sign = StartingSign(scene);
  std::vector<int32_t> ends(traced.size(), -1); // a source of the other sign, or -1
  std::vector<uint32_t> arrived(counts.size(), 0);
  for (size_t k = 0; k < traced.size(); ++k) {
    const int32_t end = EndCharge(scene, traced[k]);
    if (end >= 0 && Sign(scene.Charges[end].ChargeValue) != sign) {
      ends[k] = end;
      ++arrived[static_cast<size_t>(end)];
    }
  }
  // What each source of the other sign keeps of the lines it got.
  std::vector<double> kept(counts.size(), 1.0);
  bool surplus = false;
  for (size_t t = 0; t < counts.size(); ++t)
    if (arrived[t] > counts[t]) {
      kept[t] = static_cast<double>(counts[t]) / arrived[t];
      surplus = true;
    }
  if (!surplus)
    return {};

  std::vector<TTraceJob> jobs;
  for (int s = 0; s < scene.Charges.Count(); ++s) {
    const TPointCharge &source = scene.Charges[s];
    // Its lines by angle, and where each ended.
    std::vector<std::pair<double, int32_t>> lines;
    for (size_t k = 0; k < traced.size(); ++k)
      if (traced[k].From == s)
        lines.emplace_back(std::atan2(static_cast<double>(traced[k].Y - source.CenterY()),
                                      static_cast<double>(traced[k].X - source.CenterX())),
                           ends[k]);
    if (lines.empty())
      continue;
    std::sort(lines.begin(), lines.end());
    const size_t n = lines.size();
    // Runs of neighbouring lines with one end, starting where one run begins.
    size_t first = 0;
    while (first < n && lines[first].second == lines[(first + n - 1) % n].second)
      ++first;
    const auto keepAsTheyAre = [&] {
      for (const auto &[angle, end] : lines)
        jobs.push_back(StartAt(scene, s, angle));
    };
    if (first == n) { // one run all round
      keepAsTheyAre();
      continue;
    }
    struct TRun {
      size_t From, Count; // into lines, from first on, circularly
      int32_t End;
      double Wanted = 0;
    };
    std::vector<TRun> runs;
    for (size_t i = 0; i < n; ++i) {
      const auto &line = lines[(first + i) % n];
      if (runs.empty() || runs.back().End != line.second)
        runs.push_back({(first + i) % n, 0, line.second});
      ++runs.back().Count;
    }
    double freed = 0;
    double receiving = 0;
    for (TRun &run : runs) {
      const double keep = run.End >= 0 ? kept[static_cast<size_t>(run.End)] : 1.0;
      run.Wanted = run.Count * keep;
      freed += run.Count - run.Wanted;
      if (keep == 1.0)
        receiving += run.Count;
    }
    if (freed == 0 || receiving == 0) {
      keepAsTheyAre();
      continue;
    }
    for (TRun &run : runs)
      if (run.End < 0 || kept[static_cast<size_t>(run.End)] == 1.0)
        run.Wanted += freed * run.Count / receiving;
    // Whole lines by the largest remainders, n in all.
    std::vector<size_t> whole(runs.size());
    size_t given = 0;
    for (size_t r = 0; r < runs.size(); ++r) {
      whole[r] = static_cast<size_t>(std::floor(runs[r].Wanted + 1e-9));
      given += whole[r];
    }
    std::vector<size_t> order(runs.size());
    for (size_t r = 0; r < runs.size(); ++r)
      order[r] = r;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      return runs[a].Wanted - whole[a] > runs[b].Wanted - whole[b];
    });
    for (size_t i = 0; given < n && i < order.size(); ++i, ++given)
      ++whole[order[i]];
    // Each run's lines evenly over its part of the circle: from halfway to the run before
    // to halfway to the run after.
    for (size_t r = 0; r < runs.size(); ++r) {
      const TRun &run = runs[r];
      const TRun &next = runs[(r + 1) % runs.size()];
      const TRun &previous = runs[(r + runs.size() - 1) % runs.size()];
      const double begin = lines[run.From].first;
      const double end = lines[(run.From + run.Count - 1) % n].first;
      const double width = std::remainder(end - begin, kTwoPi) < 0
                               ? std::remainder(end - begin, kTwoPi) + kTwoPi
                               : std::remainder(end - begin, kTwoPi);
      const double before = lines[(previous.From + previous.Count - 1) % n].first;
      const double after = lines[next.From].first;
      const double gapBefore = std::fmod(begin - before + 2 * kTwoPi, kTwoPi);
      const double gapAfter = std::fmod(after - end + 2 * kTwoPi, kTwoPi);
      const double low = begin - gapBefore / 2;
      const double span = width + gapBefore / 2 + gapAfter / 2;
      for (size_t j = 0; j < whole[r]; ++j)
        jobs.push_back(StartAt(scene, s, low + span * (static_cast<double>(j) + 0.5) / whole[r]));
    }
  }
  return jobs;
}

std::vector<TTraceJob> MissingLineStarts(const TScene &scene,
                                         const std::vector<TTraceJob> &traced) {
  const std::vector<uint32_t> counts = ProportionalCounts(scene, scene.FieldLines.Lines);
  const int sign = StartingSign(scene);
  std::vector<std::vector<double>> arrivals(counts.size());
  for (const TTraceJob &job : traced) {
    const int32_t end = EndCharge(scene, job);
    if (end >= 0 && Sign(scene.Charges[end].ChargeValue) != sign)
      arrivals[static_cast<size_t>(end)].push_back(ArrivalAngle(scene, scene.Charges[end], job));
  }
  std::vector<TTraceJob> jobs;
  for (int i = 0; i < scene.Charges.Count(); ++i) {
    const TPointCharge &c = scene.Charges[i];
    const auto k = static_cast<size_t>(i);
    if (counts[k] == 0 || Sign(c.ChargeValue) == sign || arrivals[k].size() >= counts[k])
      continue;
    const auto missing = static_cast<uint32_t>(counts[k] - arrivals[k].size());
    const std::vector<double> angles = arrivals[k].empty() ? EqualFluxAngles(scene, c, missing)
                                                           : AnglesInGaps(arrivals[k], missing);
    for (const double angle : angles)
      jobs.push_back(StartAt(scene, i, angle));
  }
  return jobs;
}

int32_t EndCharge(const TScene &scene, const TTraceJob &job) {
  if (job.Reached >= 0)
    return job.Reached;
  if (job.End != TTraceEnd::ReachedCharge)
    return -1;
  const TPoint end = job.Line.Pen();
  int32_t nearest = -1;
  double best = std::numeric_limits<double>::infinity();
  for (int i = 0; i < scene.Charges.Count(); ++i) {
    const TPointCharge &c = scene.Charges[i];
    if (!c.IsSource() || Sign(c.ChargeValue) * job.Direction >= 0)
      continue;
    const double d = std::hypot(end.X - static_cast<double>(c.CenterX()),
                                end.Y - static_cast<double>(c.CenterY()));
    if (d < best) {
      best = d;
      nearest = i;
    }
  }
  return nearest;
}

void GiveBackSurplus(const TScene &scene, std::vector<TTraceJob> &lines, size_t firstMissing) {
  const int sign = StartingSign(scene);
  std::vector<bool> dropped(lines.size(), false);
  for (size_t b = firstMissing; b < lines.size(); ++b) {
    const int32_t end = EndCharge(scene, lines[b]);
    if (end < 0 || Sign(scene.Charges[end].ChargeValue) != sign)
      continue;
    const TPointCharge &source = scene.Charges[end];
    const double arrival = ArrivalAngle(scene, source, lines[b]);
    size_t nearest = lines.size();
    double best = INFINITY;
    for (size_t k = 0; k < firstMissing; ++k) {
      if (dropped[k] || lines[k].From != end || EndCharge(scene, lines[k]) >= 0)
        continue;
      const double start = std::atan2(static_cast<double>(lines[k].Y - source.CenterY()),
                                      static_cast<double>(lines[k].X - source.CenterX()));
      const double apart = std::fabs(std::remainder(start - arrival, kTwoPi));
      if (apart < best) {
        best = apart;
        nearest = k;
      }
    }
    if (nearest < lines.size())
      dropped[nearest] = true;
  }
  std::vector<TTraceJob> kept;
  for (size_t k = 0; k < lines.size(); ++k)
    if (!dropped[k])
      kept.push_back(std::move(lines[k]));
  lines = std::move(kept);
}

void DropLinesRunningTogether(const TScene &scene, TSize surface, std::vector<TTraceJob> &lines) {
  constexpr double kClose = 1.5;     // px
  constexpr double kNearSource = 12; // px: all lines of a source meet at it
  constexpr double kLargestShare = 1.0 / 3;
  constexpr double kCell = 2; // px: a point within kClose lies in a neighbouring cell
  if (surface.Width <= 0 || surface.Height <= 0)
    return;
  const auto columns = static_cast<int>(std::ceil(surface.Width / kCell));
  const auto rows = static_cast<int>(std::ceil(surface.Height / kCell));
  const auto at = [columns](int column, int row) {
    return static_cast<size_t>(row) * static_cast<size_t>(columns) + static_cast<size_t>(column);
  };
  // Each cell: the first sample of a kept line in it (an index into stored), or -1.
  std::vector<int32_t> cells(static_cast<size_t>(columns) * static_cast<size_t>(rows), -1);
  std::vector<QPointF> stored;
  std::vector<uint8_t> nearSource(cells.size(), 0);
  for (const TPointCharge &c : scene.Charges) {
    if (!c.IsSource() || c.ChargeValue == 0)
      continue;
    const double cx = static_cast<double>(c.CenterX());
    const double cy = static_cast<double>(c.CenterY());
    const int c0 = std::max(0, static_cast<int>(std::floor((cx - kNearSource) / kCell)));
    const int c1 = std::min(columns - 1, static_cast<int>(std::floor((cx + kNearSource) / kCell)));
    const int r0 = std::max(0, static_cast<int>(std::floor((cy - kNearSource) / kCell)));
    const int r1 = std::min(rows - 1, static_cast<int>(std::floor((cy + kNearSource) / kCell)));
    for (int row = r0; row <= r1; ++row)
      for (int column = c0; column <= c1; ++column) {
        const double dx = (column + 0.5) * kCell - cx;
        const double dy = (row + 0.5) * kCell - cy;
        if (dx * dx + dy * dy <= kNearSource * kNearSource)
          nearSource[at(column, row)] = 1;
      }
  }
  std::vector<TTraceJob> kept;
  std::vector<QPointF> samples;
  for (TTraceJob &line : lines) {
    // The line at most a pixel apart, where it shows.
    samples.clear();
    const auto visit = [&](QPointF from, QPointF to) {
      const QPointF d = to - from;
      const int pieces =
          std::max(1, static_cast<int>(std::ceil(std::sqrt(d.x() * d.x() + d.y() * d.y()))));
      for (int i = 0; i < pieces; ++i) {
        const QPointF p = from + d * (static_cast<double>(i) / pieces);
        if (p.x() >= 0 && p.y() >= 0 && p.x() < surface.Width && p.y() < surface.Height &&
            !nearSource[at(static_cast<int>(p.x() / kCell), static_cast<int>(p.y() / kCell))])
          samples.push_back(p);
      }
    };
    if (!line.Points.empty()) {
      for (size_t k = 1; k < line.Points.size(); ++k)
        visit(line.Points[k - 1], line.Points[k]);
    } else {
      const auto &ops = line.Line.Ops();
      for (size_t k = 1; k < ops.size(); ++k)
        if (!ops[k].Move)
          visit(QPointF(ops[k - 1].X, ops[k - 1].Y), QPointF(ops[k].X, ops[k].Y));
    }
    size_t close = 0;
    for (const QPointF &p : samples) {
      const int column = static_cast<int>(p.x() / kCell);
      const int row = static_cast<int>(p.y() / kCell);
      bool found = false;
      for (int r = std::max(0, row - 1); r <= std::min(rows - 1, row + 1) && !found; ++r)
        for (int c = std::max(0, column - 1); c <= std::min(columns - 1, column + 1) && !found;
             ++c) {
          const int32_t sample = cells[at(c, r)];
          if (sample < 0)
            continue;
          const QPointF d = stored[static_cast<size_t>(sample)] - p;
          found = d.x() * d.x() + d.y() * d.y() <= kClose * kClose;
        }
      close += found;
    }
    if (!samples.empty() && static_cast<double>(close) > kLargestShare * samples.size())
      continue;
    for (const QPointF &p : samples) {
      int32_t &cell = cells[at(static_cast<int>(p.x() / kCell), static_cast<int>(p.y() / kCell))];
      if (cell < 0) {
        cell = static_cast<int32_t>(stored.size());
        stored.push_back(p);
      }
    }
    kept.push_back(std::move(line));
  }
  lines = std::move(kept);
}
