#include "RenderOptions.h"

#include "base/Geometry.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>
#include <string>

namespace {

bool ToInt(const QString &text, long long low, long long high, long long &value) {
  bool ok = false;
  value = text.toLongLong(&ok);
  return ok && value >= low && value <= high;
}

// A number with a point as decimal separator, whatever the locale, and nothing after it.
bool ToNumber(const QString &text, long double &value) {
  const std::string bytes = text.trimmed().toStdString();
  const char *end = bytes.data() + bytes.size();
  const auto [last, error] = std::from_chars(bytes.data(), end, value);
  return error == std::errc() && last == end && std::isfinite(value);
}

// X,Y,VX,VY,M,Q in m, m, m/s, m/s, kg, C: a particle of its own kind and charge.
bool ToParticle(const QString &text, TParticle &particle) {
  const QStringList parts = text.split(u',');
  long double v[6]{};
  if (parts.size() != 6)
    return false;
  for (int i = 0; i < 6; ++i)
    if (!ToNumber(parts[i], v[i]))
      return false;
  if (!(v[4] > 0))
    return false;
  particle = ParticlePreset(TParticleKind::Free);
  particle.X = v[0];
  particle.Y = v[1];
  particle.VX = v[2];
  particle.VY = v[3];
  particle.Mass = v[4];
  particle.Charge = v[5];
  particle.ChargeUnit = 1;
  return true;
}

} // namespace

QString RenderUsage() {
  return QStringLiteral(
      "usage: kraftbild-render PROJECT.kbf [--png OUT.png] [--svg OUT.svg] [--pdf OUT.pdf]\n"
      "                        [--size WxH] [--ppi N] [--step N] [--selected I]\n"
      "                        [--locale NAME] [--step-budget N] [--stats]\n"
      "                        [--data] [--save OUT.kbf] [--equipotentials]\n"
      "                        [--levels V1,V2,...] [--potential-map] [--zero-points]\n"
      "                        [--line-arrows] [--flux-lines] [--accurate]\n"
      "                        [--particle X,Y,VX,VY,M,Q ...] [--simulate T]\n"
      "                        [--trajectory OUT.csv]\n"
      "  --svg OUT.svg    the same picture as a vector drawing, at true scale for --ppi\n"
      "  --pdf OUT.pdf    the same picture as a one-page PDF of the drawing's size\n"
      "  --size WxH       drawing surface in pixels, at most 8192 each (default 792x535)\n"
      "  --ppi N          screen pixels per inch (default 96)\n"
      "  --step N         field-line step in pixels, 1 to 21 (default 3)\n"
      "  --selected I     index of the selected charge (default none)\n"
      "  --locale NAME    locale of the number texts, e.g. de_DE (default: environment)\n"
      "  --step-budget N  N steps per half-line instead of the 30 ms budget\n"
      "  --stats          print name=value lines about the background\n"
      "  --data           print the data tab of every test charge and the voltage line\n"
      "  --save OUT.kbf   save the project again, with the checks of the program's save\n"
      "  --equipotentials equipotential lines at the automatic levels\n"
      "  --levels V1,...  equipotential lines at exactly these levels in volts (point as\n"
      "                   decimal separator); implies --equipotentials\n"
      "  --potential-map  the potential's colour map and its legend\n"
      "  --zero-points    a cross at each point where the field vanishes; with --data,\n"
      "                   a line per point\n"
      "  --line-arrows    arrowheads along each field line in the field's direction\n"
      "  --flux-lines     field lines in proportion to charge, each traced once\n"
      "  --accurate       field lines traced to a set accuracy, the same on every machine\n"
      "  --particle X,Y,VX,VY,M,Q\n"
      "                   a particle released at (X, Y) in m with velocity (VX, VY) in m/s,\n"
      "                   mass M in kg (above 0) and charge Q in C (point as decimal\n"
      "                   separator); repeatable. It feels the project's fixed charges only\n"
      "  --simulate T     every particle flies T seconds or until its flight ends (a charge\n"
      "                   or the goal reached, the view left far behind); the pictures show\n"
      "                   the trails with a dot every T/20. Without it, each particle is\n"
      "                   drawn at its start with its velocity\n"
      "  --trajectory OUT.csv\n"
      "                   one row t,x,y,vx,vy,ekin,epot (SI units) per step of every\n"
      "                   particle, one particle after the other, each from t=0; needs\n"
      "                   --simulate\n"
      "Options saved in the project are drawn without these flags.\n");
}

bool ParseRenderOptions(const QStringList &arguments, TRenderOptions &options, QString &problem) {
  for (int i = 1; i < arguments.size(); ++i) {
    const QString &arg = arguments[i];
    const bool takesValue = arg == u"--png" || arg == u"--svg" || arg == u"--pdf" ||
                            arg == u"--save" || arg == u"--size" || arg == u"--ppi" ||
                            arg == u"--step" || arg == u"--selected" || arg == u"--locale" ||
                            arg == u"--step-budget" || arg == u"--levels" || arg == u"--particle" ||
                            arg == u"--simulate" || arg == u"--trajectory";
    if (takesValue && i + 1 >= arguments.size()) {
      problem = QStringLiteral("%1 needs a value").arg(arg);
      return false;
    }
    const bool takesFileName = arg == u"--png" || arg == u"--svg" || arg == u"--pdf" ||
                               arg == u"--save" || arg == u"--trajectory";
    if (takesFileName && arguments[i + 1].isEmpty()) {
      problem = QStringLiteral("%1 needs a file name").arg(arg);
      return false;
    }
    long long n = 0;
    if (arg == u"--png") {
      options.Png = arguments[++i];
    } else if (arg == u"--svg") {
      options.Svg = arguments[++i];
    } else if (arg == u"--pdf") {
      options.Pdf = arguments[++i];
    } else if (arg == u"--save") {
      options.Save = arguments[++i];
    } else if (arg == u"--size") {
      static const QRegularExpression pattern(QStringLiteral("^(\\d+)x(\\d+)$"));
      const auto match = pattern.match(arguments[++i]);
      long long w = 0;
      long long h = 0;
      if (!match.hasMatch() || !ToInt(match.captured(1), 1, kMaxSurfaceSide, w) ||
          !ToInt(match.captured(2), 1, kMaxSurfaceSide, h)) {
        problem = QStringLiteral("--size wants WxH with 1 to %1 pixels each").arg(kMaxSurfaceSide);
        return false;
      }
      options.Width = static_cast<int>(w);
      options.Height = static_cast<int>(h);
    } else if (arg == u"--ppi") {
      if (!ToInt(arguments[++i], 1, 10000, n)) {
        problem = QStringLiteral("--ppi wants a number from 1 to 10000");
        return false;
      }
      options.Ppi = static_cast<int>(n);
    } else if (arg == u"--step") {
      if (!ToInt(arguments[++i], 1, 21, n)) {
        problem = QStringLiteral("--step wants a number from 1 to 21");
        return false;
      }
      options.Step = static_cast<uint32_t>(n);
    } else if (arg == u"--selected") {
      if (!ToInt(arguments[++i], -1, 0x7FFFFFFF, n)) {
        problem = QStringLiteral("--selected wants -1 or a charge index");
        return false;
      }
      options.Selected = static_cast<int>(n);
    } else if (arg == u"--locale") {
      options.Locale = arguments[++i];
    } else if (arg == u"--step-budget") {
      if (!ToInt(arguments[++i], 1, 1000000000000LL, n)) {
        problem = QStringLiteral("--step-budget wants a positive number of steps");
        return false;
      }
      options.StepBudget = static_cast<uint64_t>(n);
    } else if (arg == u"--levels") {
      options.Levels.clear();
      for (const QString &text : arguments[++i].split(u',')) {
        bool ok = false;
        const double level = text.trimmed().toDouble(&ok); // C locale: a point
        if (!ok || !std::isfinite(level)) {
          problem = QStringLiteral("--levels wants numbers in volts separated by commas");
          return false;
        }
        options.Levels.push_back(level);
      }
      options.Equipotentials = true;
    } else if (arg == u"--particle") {
      TParticle particle;
      if (!ToParticle(arguments[++i], particle)) {
        problem = QStringLiteral("--particle wants X,Y,VX,VY,M,Q: six numbers in m, m/s, kg and "
                                 "C with a point as decimal separator, M above 0");
        return false;
      }
      options.Particles.push_back(particle);
    } else if (arg == u"--simulate") {
      if (!ToNumber(arguments[++i], options.Simulate) || !(options.Simulate > 0)) {
        problem = QStringLiteral("--simulate wants a time in seconds above 0");
        return false;
      }
    } else if (arg == u"--trajectory") {
      options.Trajectory = arguments[++i];
    } else if (arg == u"--equipotentials") {
      options.Equipotentials = true;
    } else if (arg == u"--potential-map") {
      options.PotentialMap = true;
    } else if (arg == u"--zero-points") {
      options.ZeroPoints = true;
    } else if (arg == u"--line-arrows") {
      options.LineArrows = true;
    } else if (arg == u"--flux-lines") {
      options.FluxLines = true;
    } else if (arg == u"--accurate") {
      options.Accurate = true;
    } else if (arg == u"--stats") {
      options.Stats = true;
    } else if (arg == u"--data") {
      options.Data = true;
    } else if (arg.startsWith(u"--") || !options.Project.isEmpty()) {
      problem = QStringLiteral("unexpected argument %1").arg(arg);
      return false;
    } else {
      options.Project = arg;
    }
  }
  if (options.Project.isEmpty()) {
    problem = QStringLiteral("no project file given");
    return false;
  }
  if (!options.Trajectory.isEmpty() && options.Simulate == 0) {
    problem = QStringLiteral("--trajectory needs --simulate");
    return false;
  }
  return true;
}
