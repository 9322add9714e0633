// Checks a screenshot of the program for the end-to-end test. The main window's client area
// is given in screen pixels; each further argument is one check:
//   axes        a row and a column with 200 or more grey axis pixels each (field lines, labels
//               and the origin cross cross the axes)
//   cross:X,Y   the axes cross within 3 pixels of (X, Y): the row and the column with the
//               most grey axis pixels, 200 or more each, pass there
//   lines       300 or more light grey field-line pixels
//   red:X,Y     a red charge disc centred at screen pixel (X, Y)
//   nored:X,Y   no red pixel within 12 pixels of (X, Y)
//   from:X,Y    field lines start at (X, Y): 200 or more light grey pixels 20 to 40 pixels
//               away from it (a background drawn for a charge elsewhere has few there)
//   except:X,Y  the later same: checks skip the pixels within 13 pixels of (X, Y), where the
//               outline of a selected charge is drawn
//   same:PATH   the area is pixel for pixel as in the screenshot PATH
//   origin      prints "X Y", where the axes cross (the row and the column with the most axis
//               pixels); fails without 200 or more of them in each
//   even:N      the x axis is N pixels thick along its whole length (0: any, but the same
//               everywhere), measured in 200 or more columns away from ticks and crossings
// Prints every failed check and exits with 1 when there is one.
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr QRgb kAxis = 0x808080;
constexpr QRgb kFieldLine = 0xC0C0C0;
constexpr QRgb kRed = 0xFF0000;
constexpr int kOutlineReach = 13; // px from a charge's centre: disc, 2-pixel outline, rounding
// px: the origin is at whole pixels of the surface, which may be 1.5 or 2 screen pixels each.
constexpr int kCrossReach = 3;

QRgb At(const QImage &image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

struct Line {
  int Count = 0; // pixels of the colour
  int At = 0;    // screen y of the row, or x of the column
};

// The row (or column) of the area with the most pixels of the colour.
Line MostInALine(const QImage &image, const QRect &area, QRgb color, bool rows) {
  Line most;
  const int lines = rows ? area.height() : area.width();
  const int length = rows ? area.width() : area.height();
  for (int i = 0; i < lines; ++i) {
    int n = 0;
    for (int j = 0; j < length; ++j)
      n += At(image, area.left() + (rows ? j : i), area.top() + (rows ? i : j)) == color;
    if (n > most.Count)
      most = {n, (rows ? area.top() : area.left()) + i};
  }
  return most;
}

int Count(const QImage &image, const QRect &area, QRgb color) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      n += At(image, x, y) == color;
  return n;
}

int CountInRing(const QImage &image, int cx, int cy, int inner, int outer, QRgb color) {
  int n = 0;
  for (int y = cy - outer; y <= cy + outer; ++y)
    for (int x = cx - outer; x <= cx + outer; ++x) {
      const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
      if (d2 >= inner * inner && d2 <= outer * outer && image.rect().contains(x, y))
        n += At(image, x, y) == color;
    }
  return n;
}

bool Point(const QString &arg, int &x, int &y) {
  const QStringList xy = arg.section(u':', 1).split(u',');
  bool okX = false;
  bool okY = false;
  if (xy.size() == 2) {
    x = xy[0].toInt(&okX);
    y = xy[1].toInt(&okY);
  }
  return okX && okY;
}

// Pixels of the area that differ from the other image, outside the excluded discs.
int Differences(const QImage &image, const QImage &other, const QRect &area,
                const std::vector<QPoint> &excluded) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const bool skip = std::any_of(excluded.begin(), excluded.end(), [&](const QPoint &p) {
        return (x - p.x()) * (x - p.x()) + (y - p.y()) * (y - p.y()) <=
               kOutlineReach * kOutlineReach;
      });
      if (!skip && (!other.rect().contains(x, y) || At(image, x, y) != At(other, x, y)))
        ++n;
    }
  return n;
}

// The thickness of the x axis (the row with the most axis pixels) in each column of the area
// where nothing else grey is near it: -1 where something is.
std::vector<int> AxisThickness(const QImage &image, const QRect &area) {
  const int row = MostInALine(image, area, kAxis, true).At;
  constexpr int kBand = 2;  // a line of up to 2 kBand + 1 pixels
  constexpr int kClear = 3; // rows beyond the band that must not be grey (ticks are 3 up)
  std::vector<int> thickness;
  for (int x = area.left(); x <= area.right(); ++x) {
    int n = 0;
    bool clear = true;
    for (int y = row - kBand - kClear; y <= row + kBand + kClear; ++y) {
      if (!area.contains(x, y))
        continue;
      const bool grey = At(image, x, y) == kAxis;
      if (std::abs(y - row) <= kBand)
        n += grey;
      else
        clear = clear && !grey;
    }
    thickness.push_back(clear && n > 0 ? n : -1);
  }
  return thickness;
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 6) {
    std::fprintf(stderr, "usage: %s shot.png X Y WIDTH HEIGHT check...\n", argv[0]);
    return 2;
  }
  const QImage image(QString::fromLocal8Bit(argv[1]));
  if (image.isNull()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 2;
  }
  const QRect window =
      QRect(atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5])).intersected(image.rect());
  std::vector<QPoint> excluded;
  int failed = 0;
  const auto fail = [&failed](const QString &what) {
    std::printf("FAILED %s\n", qPrintable(what));
    ++failed;
  };
  for (int i = 6; i < argc; ++i) {
    const QString check = QString::fromLocal8Bit(argv[i]);
    int x = 0;
    int y = 0;
    if (check == u"axes") {
      const int across = MostInALine(image, window, kAxis, true).Count;
      const int down = MostInALine(image, window, kAxis, false).Count;
      if (across < 200 || down < 200)
        fail(QStringLiteral("axes: %1 grey pixels in a row, %2 in a column").arg(across).arg(down));
    } else if (check.startsWith(u"cross:") && Point(check, x, y)) {
      const Line across = MostInALine(image, window, kAxis, true);
      const Line down = MostInALine(image, window, kAxis, false);
      if (across.Count < 200 || down.Count < 200 || std::abs(down.At - x) > kCrossReach ||
          std::abs(across.At - y) > kCrossReach)
        fail(QStringLiteral("%1: the axes cross at %2,%3 (%4 and %5 grey pixels)")
                 .arg(check)
                 .arg(down.At)
                 .arg(across.At)
                 .arg(down.Count)
                 .arg(across.Count));
    } else if (check == u"lines") {
      const int n = Count(image, window, kFieldLine);
      if (n < 300)
        fail(QStringLiteral("lines: %1 light grey pixels").arg(n));
    } else if (check.startsWith(u"red:") && Point(check, x, y)) {
      const int n = Count(image, QRect(x - 2, y - 2, 5, 5).intersected(image.rect()), kRed);
      if (n < 20)
        fail(QStringLiteral("%1: %2 of 25 pixels red").arg(check).arg(n));
    } else if (check.startsWith(u"nored:") && Point(check, x, y)) {
      const int n = Count(image, QRect(x - 12, y - 12, 25, 25).intersected(image.rect()), kRed);
      if (n != 0)
        fail(QStringLiteral("%1: %2 red pixels").arg(check).arg(n));
    } else if (check.startsWith(u"from:") && Point(check, x, y)) {
      const int n = CountInRing(image, x, y, 20, 40, kFieldLine);
      if (n < 200)
        fail(QStringLiteral("%1: %2 light grey pixels around it").arg(check).arg(n));
    } else if (check.startsWith(u"except:") && Point(check, x, y)) {
      excluded.emplace_back(x, y);
    } else if (check.startsWith(u"same:")) {
      const QString path = check.section(u':', 1);
      const QImage other(path);
      if (other.isNull()) {
        fail(QStringLiteral("%1: cannot read it").arg(check));
        continue;
      }
      const int n = Differences(image, other, window, excluded);
      if (n != 0)
        fail(QStringLiteral("%1: %2 pixels differ").arg(check).arg(n));
    } else if (check == u"origin") {
      const Line across = MostInALine(image, window, kAxis, true);
      const Line down = MostInALine(image, window, kAxis, false);
      if (across.Count < 200 || down.Count < 200)
        fail(QStringLiteral("origin: no axes"));
      else
        std::printf("%d %d\n", down.At, across.At);
    } else if (check.startsWith(u"even:")) {
      const int wanted = check.section(u':', 1).toInt();
      std::vector<int> seen(8, 0); // columns per thickness
      int measured = 0;
      for (const int t : AxisThickness(image, window))
        if (t > 0) {
          ++seen[static_cast<size_t>(t)];
          ++measured;
        }
      QStringList counts;
      for (size_t t = 1; t < seen.size(); ++t)
        if (seen[t] > 0)
          counts << QStringLiteral("%1 columns %2 px").arg(seen[t]).arg(t);
      const bool even = counts.size() == 1;
      const bool right = wanted == 0 || (even && seen[static_cast<size_t>(wanted)] > 0);
      if (measured < 200 || !even || !right)
        fail(QStringLiteral("%1: the x axis is %2").arg(check, counts.join(QStringLiteral(", "))));
    } else {
      std::fprintf(stderr, "unknown check %s\n", argv[i]);
      return 2;
    }
  }
  return failed == 0 ? 0 : 1;
}
