// kraftbild-render as a user runs it: a project file in, a picture and figures out.
#include "file/ProjectBytes.h"
#include "model/ParticleDrawing.h"
#include "support/PixelTesting.h"
#include "support/VectorPictures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <charconv>
#include <cmath>
#include <sys/stat.h>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

namespace {

struct RunResult {
  int exitCode = -1;
  QString out;
  QString err;
};

class RenderToolTest : public ::testing::Test {
protected:
  QString Write(const QString &name, const QByteArray &bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  RunResult Run(const QStringList &arguments) {
    QProcess process;
    process.start(QStringLiteral(KRAFTBILD_RENDER), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
  }
  QTemporaryDir dir;
};

TEST_F(RenderToolTest, WorkedExampleDrawsTheChargeAxesAndLines) {
  const QString project = Write("example.kbf", Hex(kWorkedExampleHex));
  const QString png = dir.filePath("example.png");
  const RunResult r =
      Run({project, "--png", png, "--stats", "--step-budget", "5000", "--locale", "de_DE"});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.contains("lines=16\n"));
  EXPECT_TRUE(r.out.contains("lines_cut_by_budget=0\n"));
  // A lone charge: every line runs straight out and is stopped once off the surface.
  EXPECT_TRUE(r.out.contains("lines_stopped_off_surface=16\n"));
  EXPECT_TRUE(r.out.contains("background_ms="));
  EXPECT_TRUE(r.out.contains("steps="));

  const QImage image(png);
  ASSERT_EQ(image.size(), QSize(792, 535));
  // A red disc of 20 px centred on (396, 267) with a light grey outline.
  for (const auto &[x, y] : {std::pair{396, 267}, {390, 262}, {401, 272}, {388, 267}})
    EXPECT_EQ(PixelAt(image, x, y), Rgb{0x0000FF}) << x << ", " << y;
  EXPECT_EQ(PixelAt(image, 396, 257), Rgb{0xC0C0C0});
  EXPECT_EQ(PixelAt(image, 386, 267), Rgb{0xC0C0C0});
  // Light grey field lines leave the charge: straight to the right along the axis row the
  // line covers the axis, and on a diagonal it runs through white.
  EXPECT_EQ(PixelAt(image, 600, 267), Rgb{0xC0C0C0});
  EXPECT_GT(CountColor(image, 0xC0C0C0), 3000);
  // The field lines along the axes cover them; the ticks show grey on white.
  EXPECT_EQ(PixelAt(image, 434, 265), Rgb{0x808080});
  EXPECT_EQ(PixelAt(image, 358, 269), Rgb{0x808080});
  EXPECT_EQ(PixelAt(image, 394, 229), Rgb{0x808080});
  EXPECT_EQ(PixelAt(image, 434, 262), Rgb{0xFFFFFF});
  EXPECT_EQ(PixelAt(image, 100, 300), Rgb{0xFFFFFF});
}

TEST_F(RenderToolTest, OriginCrossAndSelectionOutline) {
  // The charge moved away from the origin shows the whole black cross.
  TProjectData data = WorkedExampleData();
  data.Charges[0].X = 586;
  const QString project = Write("moved.kbf", EncodeProject(data));
  const QString png = dir.filePath("moved.png");
  ASSERT_EQ(Run({project, "--png", png, "--selected", "0", "--step-budget", "100"}).exitCode, 0);
  const QImage image(png);
  for (int dx = -6; dx < 6; ++dx)
    EXPECT_EQ(PixelAt(image, 396 + dx, 267), Rgb{0x000000}) << dx;
  for (int dy = -6; dy < 6; ++dy)
    EXPECT_EQ(PixelAt(image, 396, 267 + dy), Rgb{0x000000}) << dy;
  EXPECT_EQ(PixelAt(image, 396, 260), Rgb{0x808080}); // the axis above the cross
  // The selected charge has a black outline.
  EXPECT_EQ(PixelAt(image, 596, 257), Rgb{0x000000});
  EXPECT_EQ(PixelAt(image, 596, 267), Rgb{0x0000FF});
}

// The vector pictures at true scale for the --ppi given: the SVG's millimetres, and the PDF
// rendered at that resolution is the PNG's size with the charge in the same place.
TEST_F(RenderToolTest, SvgAndPdfAloneOrWithPngAtTrueScale) {
  const QString project = Write("example.kbf", Hex(kWorkedExampleHex));
  const QString svg = dir.filePath("b.svg");
  const QString pdf = dir.filePath("b.pdf");
  const QString png = dir.filePath("b.png");
  ASSERT_EQ(Run({project, "--svg", svg, "--ppi", "120", "--step-budget", "100"}).exitCode, 0);
  EXPECT_FALSE(QFile::exists(png));
  QFile file(svg);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const SvgPicture picture = ParseSvg(file.readAll());
  EXPECT_EQ(picture.Width, QStringLiteral("167.64mm")); // 792 px at 120 ppi
  EXPECT_NEAR(picture.Height.chopped(2).toDouble(), 113.24, 0.01);

  ASSERT_EQ(
      Run({project, "--pdf", pdf, "--png", png, "--ppi", "120", "--step-budget", "100"}).exitCode,
      0);
  const QImage page = RenderPdf(pdf, 120);
  if (page.isNull())
    GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
  EXPECT_NEAR(page.width(), QImage(png).width(), 1);
  EXPECT_NEAR(page.height(), QImage(png).height(), 1);
  EXPECT_EQ(PixelAt(page, 396, 267), Rgb{0x0000FF});

  const RunResult failed = Run({project, "--pdf", dir.filePath("fehlt/b.pdf")});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_TRUE(failed.err.startsWith("Das Bild konnte nicht nach ")) << failed.err.toStdString();
}

TEST_F(RenderToolTest, PotentialFlagsDrawWhatASavedProjectShowsByItself) {
  const QString plain = Write("plain.kbf", Hex(kWorkedExampleHex));
  TProjectData data = WorkedExampleData();
  data.Potential.Map = true;
  const QString saved = Write("saved.kbf", EncodeProject(data));
  const QStringList common{"--step-budget", "500", "--locale", "de_DE", "--png"};
  const QString a = dir.filePath("a.png");
  const QString b = dir.filePath("b.png");
  ASSERT_EQ(Run(QStringList{plain, "--potential-map"} + common + QStringList{a}).exitCode, 0);
  ASSERT_EQ(Run(QStringList{saved} + common + QStringList{b}).exitCode, 0);
  EXPECT_EQ(QImage(a), QImage(b));
  EXPECT_NE(PixelAt(QImage(a), 100, 300), Rgb{0xFFFFFF}); // tinted by the positive charge

  // One level: the circle of radius k e / V = 100 px about the charge.
  const QString c = dir.filePath("c.png");
  ASSERT_EQ(Run(QStringList{plain, "--levels", "5.44239e-8"} + common + QStringList{c}).exitCode,
            0);
  const QImage circle(c);
  int found = 0;
  for (int degrees = 0; degrees < 360; degrees += 10) {
    const double t = degrees * 3.14159265358979 / 180;
    bool hit = false;
    for (int d = -1; d <= 1 && !hit; ++d)
      for (int e = -1; e <= 1 && !hit; ++e)
        hit = PixelAt(circle, static_cast<int>(std::lround(396 + 100 * std::cos(t))) + d,
                      static_cast<int>(std::lround(267 + 100 * std::sin(t))) + e) == Rgb{0xFF8000};
    found += hit;
  }
  EXPECT_GE(found, 30);                                   // all but where the label stands
  EXPECT_EQ(Run({plain, "--levels", "1,5"}).exitCode, 0); // two levels, 1 V and 5 V
  EXPECT_EQ(Run({plain, "--levels", "1;5"}).exitCode, 2);
}

TEST_F(RenderToolTest, ProjectErrorsAndBadOptions) {
  const QString cut = Write("cut.kbf", Hex(kWorkedExampleHex).left(50));
  RunResult r = Run({cut});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(
      r.err.trimmed(),
      QStringLiteral("Stream-Lesefehler in der Datei \"%1\". Die Datei endet vorzeitig.").arg(cut));

  const QString missing = dir.filePath("missing.kbf");
  r = Run({missing});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err.trimmed(), QStringLiteral("Datei %1 kann nicht geöffnet werden. Die Datei oder "
                                            "der Ordner existiert nicht.")
                                 .arg(missing));

  const QString good = Write("good.kbf", Hex(kWorkedExampleHex));
  for (const QStringList &bad : {QStringList{},
                                 QStringList{good, "--step", "22"},
                                 QStringList{good, "--size", "10"},
                                 QStringList{good, "--frob"},
                                 QStringList{good, "--ppi"},
                                 QStringList{good, "--save", ""},
                                 QStringList{good, "--png", ""},
                                 QStringList{good, "--svg", ""},
                                 QStringList{good, "--pdf", ""},
                                 QStringList{good, "--size", "8193x100"},
                                 QStringList{good, "--size", "30000x30000"},
                                 QStringList{good, "--particle", "0.01,0,0,0,1e-27"},
                                 QStringList{good, "--particle", "0.01,0,0,0,1e-27,1e-19,0"},
                                 QStringList{good, "--particle", "0,01,0,0,0,1e-27,1e-19"},
                                 QStringList{good, "--particle", "0.01,0,0,0,0,1e-19"},
                                 QStringList{good, "--particle", "0.01,0,0,0,-1e-27,1e-19"},
                                 QStringList{good, "--particle", "0.01,0,0,0,1e-27,nan"},
                                 QStringList{good, "--particle", "0.01,0,inf,0,1e-27,1e-19"},
                                 QStringList{good, "--particle", "0.01;0;0;0;1e-27;1e-19"},
                                 QStringList{good, "--particle", "0.01 m,0,0,0,1e-27,1e-19"},
                                 QStringList{good, "--particle", "1e5000,0,0,0,1e-27,1e-19"},
                                 QStringList{good, "--particle"},
                                 QStringList{good, "--simulate", "0"},
                                 QStringList{good, "--simulate", "-1e-6"},
                                 QStringList{good, "--simulate", "1e-6s"},
                                 QStringList{good, "--trajectory", "t.csv"},
                                 QStringList{good, "--simulate", "1e-6", "--trajectory", ""}}) {
    r = Run(bad);
    EXPECT_EQ(r.exitCode, 2) << bad.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains("usage:"));
  }
}

// Every output refuses a target that is not a regular file, at once and without touching
// it: a FIFO would block the program, a device would be replaced by a file.
TEST_F(RenderToolTest, OutputsThatAreNotRegularFilesAreRefused) {
  const QString project = Write("example.kbf", Hex(kWorkedExampleHex));
  const QString fifo = dir.filePath("rohr");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  for (const QString &target : {fifo, QStringLiteral("/dev/null")}) {
    for (const char *flag : {"--png", "--svg", "--pdf", "--save", "--trajectory"}) {
      SCOPED_TRACE(target.toStdString() + " " + flag);
      const RunResult r = Run({project, flag, target, "--step-budget", "10", "--simulate", "1e-9"});
      EXPECT_EQ(r.exitCode, 1);
      EXPECT_TRUE(r.err.contains(target)) << r.err.toStdString();
      EXPECT_TRUE(r.err.trimmed().endsWith("Sie ist keine gewöhnliche Datei."))
          << r.err.toStdString();
    }
  }
  struct stat st {};
  ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  ASSERT_EQ(stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
}

// A charge whose forces would overflow (1e400 elementary charges) is refused like any value
// out of range; the bound at 100 % is 1.2e141 C.
TEST_F(RenderToolTest, ChargesWhoseForcesOverflowAreRefused) {
  for (const auto &[charge, exitCode] :
       {std::pair{1e400L * kElementaryCharge, 1}, std::pair{1.3e141L, 1}, std::pair{1.1e141L, 0}}) {
    SCOPED_TRACE(static_cast<double>(charge));
    TProjectData data = WorkedExampleData();
    data.Charges[0].ChargeValue = charge;
    const QString project = Write("gross.kbf", EncodeProject(data));
    const RunResult r = Run({project, "--data", "--step-budget", "10"});
    EXPECT_EQ(r.exitCode, exitCode);
    if (exitCode == 1) {
      EXPECT_EQ(r.err.trimmed(), QStringLiteral("Ungültiger Eigenschaftswert in der Datei \"%1\". "
                                                "Ein Wert liegt außerhalb seines Bereichs.")
                                     .arg(project));
    }
  }
}

// --save goes through the program's save: the bytes of what was opened come out again, and
// a disk that is really full (a tmpfs of two pages, mounted in a namespace of our own) fails
// the save with the German message and leaves the old file as it was.
TEST_F(RenderToolTest, SaveWritesTheProjectAgainAndAFullDiskKeepsTheOldFile) {
  TProjectData big = WorkedExampleData();
  for (int i = 0; i < 250; ++i) // 9.5 KB: within the file device's buffer
    big.Charges.push_back({i * 2.0, 100, 1e-9L, 8, false, 1});
  const QString in = Write("gross.kbf", EncodeProject(big));
  const QString copy = dir.filePath("kopie.kbf");
  RunResult r = Run({in, "--save", copy});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  QFile written(copy);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll(), EncodeProject(big));

  const QString old = Write("alt.kbf", Hex(kWorkedExampleHex));
  const QString mount = dir.filePath("voll");
  ASSERT_TRUE(QDir().mkdir(mount));
  const QString after = dir.filePath("danach.kbf");
  const QString listing = dir.filePath("liste.txt");
  const char *script = R"(mount -t tmpfs -o size=8k tmpfs "$1" || exit 77
cp "$2" "$1/p.kbf"; "$3" "$4" --save "$1/p.kbf"; rc=$?
cp "$1/p.kbf" "$5"; ls -A "$1" > "$6"; exit $rc)";
  QProcess process;
  process.start("unshare", {"-r", "-m", "sh", "-c", script, "sh", mount, old,
                            QStringLiteral(KRAFTBILD_RENDER), in, after, listing});
  ASSERT_TRUE(process.waitForFinished(60000));
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() == 77 ||
      (process.exitCode() == 1 && !QFile::exists(after)))
    GTEST_SKIP() << "no tmpfs can be mounted here: "
                 << process.readAllStandardError().toStdString();
  EXPECT_EQ(process.exitCode(), 1);
  EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()).trimmed(),
            QStringLiteral("Stream-Schreibfehler in der Datei \"%1/p.kbf\". Auf dem Datenträger "
                           "ist kein Platz mehr.")
                .arg(mount));
  QFile kept(after);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), Hex(kWorkedExampleHex));
  QFile names(listing);
  ASSERT_TRUE(names.open(QIODevice::ReadOnly));
  EXPECT_EQ(names.readAll().trimmed(), "p.kbf"); // no temporary file left behind
}

} // namespace

namespace {

TEST_F(RenderToolTest, DataPrintsTheDataTabOfEveryTestChargeAndTheVoltage) {
  TProjectData data = WorkedExampleData();
  // A source of 1 nC, then two test charges 1 m and 0.5 m to its right (96 ppi, 100 %).
  data.Charges = {{386, 257, 1e-9L, 16, false, 1},
                  {386 + 96 / 0.0254, 257, 1e-9L, 0, true, 1},
                  {386 + 48 / 0.0254, 257, 0, 0, true, 1}};
  data.FirstChosen = 2;
  data.SecondChosen = 1;
  data.ValueIndex = 0;
  const QString project = Write("data.kbf", EncodeProject(data));
  const RunResult r = Run({project, "--data", "--locale", "de_DE", "--step-budget", "10"});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
  const QStringList expected = {
      "1\tKraft\t8,988E-9 N",
      "1\tWinkel\t0°",
      "1\tFeldstärke\t8,988E+0 N/C",
      "1\tPotenzial\t8,988E+0 V",
      "2\tKraft\t0E+0 N",
      "2\tWinkel\t(keine Ladung)",
      "2\tFeldstärke\t3,595E+1 N/C",
      "2\tPotenzial\t1,798E+1 V",
      "Spannung und Arbeit\t-8,988E+0 V",
  };
  EXPECT_EQ(lines, expected) << r.out.toStdString();

  data.ValueIndex = 7; // no such entry: nothing chosen
  const QString other = Write("data2.kbf", EncodeProject(data));
  const RunResult r2 = Run({other, "--data", "--locale", "de_DE", "--step-budget", "10"});
  EXPECT_TRUE(r2.out.endsWith(
      "Spannung und Arbeit\t(Wählen Sie den Wert aus, der ausgegeben werden soll.)\n"));
}

} // namespace

namespace {

// +4 nC and +1 nC 300 px apart: the field vanishes two thirds of the way, at (496, 67) px,
// which is 100 px right of and 200 px above the origin.
TEST_F(RenderToolTest, ZeroPointsFlagPrintsAndDrawsWhatASavedProjectShowsByItself) {
  TProjectData data = WorkedExampleData();
  data.Charges = {{286, 157, 4e-9L, 16, false, 1}, {586, 7, 1e-9L, 16, false, 1}};
  const QString plain = Write("plain.kbf", EncodeProject(data));
  data.FieldLines.ZeroPoints = true;
  const QString saved = Write("saved.kbf", EncodeProject(data));
  const QStringList common{"--data", "--locale", "de_DE", "--step-budget", "100", "--png"};
  const QString a = dir.filePath("a.png");
  const QString b = dir.filePath("b.png");
  const QString c = dir.filePath("c.png");
  const RunResult flagged = Run(QStringList{plain, "--zero-points"} + common + QStringList{a});
  const RunResult byItself = Run(QStringList{saved} + common + QStringList{b});
  const RunResult without = Run(QStringList{plain} + common + QStringList{c});
  ASSERT_EQ(flagged.exitCode, 0) << flagged.err.toStdString();
  EXPECT_TRUE(flagged.out.endsWith("\nFeldfreier Punkt\t( 0,0265 m | 0,0529 m )\n"))
      << flagged.out.toStdString();
  EXPECT_EQ(byItself.out, flagged.out);
  EXPECT_FALSE(without.out.contains("Feldfreier Punkt"));
  EXPECT_EQ(QImage(a), QImage(b));
  EXPECT_EQ(PixelAt(QImage(a), 496, 67), Rgb{kDefaultArrowColor});
  EXPECT_NE(PixelAt(QImage(c), 496, 67), Rgb{kDefaultArrowColor});
}

} // namespace

namespace {

// Each field-line flag draws what a project saved with its option shows by itself, and
// changes the picture of a dipole.
TEST_F(RenderToolTest, FieldLineFlagsDrawWhatASavedProjectShowsByItself) {
  const std::pair<const char *, bool TFieldLineOptions::*> flags[] = {
      {"--line-arrows", &TFieldLineOptions::Arrows},
      {"--flux-lines", &TFieldLineOptions::Proportional},
      {"--accurate", &TFieldLineOptions::Accurate}};
  TProjectData data = WorkedExampleData();
  data.Charges = {{286, 257, 1e-9L, 16, false, 1}, {486, 257, -1e-9L, 16, false, 1}};
  const QString plain = Write("plain.kbf", EncodeProject(data));
  const QStringList common{"--step-budget", "100", "--png"};
  const QString c = dir.filePath("c.png");
  const RunResult without = Run(QStringList{plain} + common + QStringList{c});
  ASSERT_EQ(without.exitCode, 0) << without.err.toStdString();
  for (const auto &[flag, option] : flags) {
    SCOPED_TRACE(flag);
    TProjectData with = data;
    with.FieldLines.*option = true;
    const QString saved = Write("saved.kbf", EncodeProject(with));
    const QString a = dir.filePath("a.png");
    const QString b = dir.filePath("b.png");
    const RunResult flagged = Run(QStringList{plain, flag} + common + QStringList{a});
    const RunResult byItself = Run(QStringList{saved} + common + QStringList{b});
    ASSERT_EQ(flagged.exitCode, 0) << flagged.err.toStdString();
    ASSERT_EQ(byItself.exitCode, 0) << byItself.err.toStdString();
    EXPECT_EQ(QImage(a), QImage(b));
    EXPECT_NE(QImage(a), QImage(c));
  }
}

// The particle flags add nothing to a picture without particles: the same bytes.
TEST_F(RenderToolTest, WithoutParticlesThePicturesStayAsTheyWere) {
  const QString project = Write("example.kbf", Hex(kWorkedExampleHex));
  const auto bytesOf = [](const QString &path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
  };
  const QStringList plain{
      project,         "--png", dir.filePath("a.png"), "--svg", dir.filePath("a.svg"),
      "--step-budget", "200"};
  ASSERT_EQ(Run(plain).exitCode, 0);
  const QString csv = dir.filePath("bahn.csv");
  ASSERT_EQ(Run({project, "--png", dir.filePath("b.png"), "--svg", dir.filePath("b.svg"),
                 "--step-budget", "200", "--simulate", "1e-6", "--trajectory", csv})
                .exitCode,
            0);
  EXPECT_EQ(bytesOf(dir.filePath("a.png")), bytesOf(dir.filePath("b.png")));
  EXPECT_EQ(bytesOf(dir.filePath("a.svg")), bytesOf(dir.filePath("b.svg")));
  EXPECT_EQ(bytesOf(csv), QByteArray("t,x,y,vx,vy,ekin,epot\n"));
}

// A proton swings past a charge of 1e-15 C and an electron falls towards it: a row per step
// of each, one particle after the other from t = 0; the energy columns are m v^2 / 2 and
// k Q q / r of their row, and the proton's sum stays what it was. The picture shows the
// proton's trail through the rows' places.
TEST_F(RenderToolTest, TrajectoryRowsFollowEachParticleAndKeepItsEnergy) {
  TProjectData data = WorkedExampleData(); // the charge's centre at the origin
  data.Charges[0].ChargeValue = 1e-15L;
  data.Charges[0].ChargeUnit = 1;
  const QString project = Write("feld.kbf", EncodeProject(data));
  const QString csv = dir.filePath("bahn.csv");
  const QString png = dir.filePath("bahn.png");
  constexpr long double kProtonMass = 1.67262192369e-27L;  // kg
  constexpr long double kElectronMass = 9.1093837015e-31L; // kg
  constexpr long double kE = 1.602176634e-19L;             // C
  constexpr long double kCoulomb = 8.9875517923e9L;        // N m^2 / C^2
  const RunResult r =
      Run({project, "--particle", "0.06,-0.02,-400,150,1.67262192369e-27,1.602176634e-19",
           "--particle", "-0.04,0.03,200,0,9.1093837015e-31,-1.602176634e-19", "--simulate", "4e-4",
           "--trajectory", csv, "--png", png, "--step-budget", "100"});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();

  QFile file(csv);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = file.readAll().split('\n');
  ASSERT_GE(lines.size(), 3);
  EXPECT_EQ(lines.front(), "t,x,y,vx,vy,ekin,epot");
  EXPECT_EQ(lines.back(), "") << "every row ends with a line end";
  std::vector<std::vector<std::array<long double, 7>>> particles;
  for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
    const QList<QByteArray> cells = lines[i].split(',');
    ASSERT_EQ(cells.size(), 7) << lines[i].toStdString();
    std::array<long double, 7> row{};
    for (size_t c = 0; c < row.size(); ++c) {
      const QByteArray &cell = cells[static_cast<qsizetype>(c)];
      const auto [end, error] = std::from_chars(cell.begin(), cell.end(), row[c]);
      ASSERT_TRUE(error == std::errc() && end == cell.end()) << cell.toStdString();
    }
    if (row[0] == 0)
      particles.emplace_back();
    ASSERT_FALSE(particles.empty()) << "the first row is a start";
    if (!particles.back().empty()) {
      EXPECT_GT(row[0], particles.back().back()[0]) << lines[i].toStdString();
    }
    particles.back().push_back(row);
  }
  ASSERT_EQ(particles.size(), 2u);
  EXPECT_EQ(lines[1],
            "0,0.06,-0.02,-400,150," + lines[1].split(',')[5] + "," + lines[1].split(',')[6]);
  EXPECT_TRUE(
      lines[static_cast<qsizetype>(particles[0].size()) + 1].startsWith("0,-0.04,0.03,200,0,"));

  const std::vector<std::array<long double, 7>> &proton = particles[0];
  ASSERT_GT(proton.size(), 20u);
  EXPECT_EQ(proton.back()[0], 4e-4L) << "flies until the time asked for";
  const long double energy = proton.front()[5] + proton.front()[6];
  for (const auto &[m, q, rows] : {std::tuple{kProtonMass, kE, &proton},
                                   std::tuple{kElectronMass, -kE, &std::as_const(particles[1])}})
    for (const auto &row : *rows) {
      const long double ekin = m * (row[3] * row[3] + row[4] * row[4]) / 2;
      const long double epot = kCoulomb * 1e-15L * q / std::hypot(row[1], row[2]);
      EXPECT_NEAR(row[5] / ekin, 1, 1e-9) << row[0];
      EXPECT_NEAR(row[6] / epot, 1, 1e-6) << row[0];
    }
  for (const auto &row : proton)
    EXPECT_NEAR((row[5] + row[6]) / energy, 1, 1e-8) << row[0];

  // Each row's place on the picture (origin at its centre, 96 px per inch) lies on the
  // proton's trail; the last is under its disc.
  const QImage image(png);
  ASSERT_FALSE(image.isNull());
  const Rgb trail{ParticleTrailColor(0)};
  const long double pixelsPerMetre = 96 / 0.0254L;
  int checked = 0;
  for (size_t i = 0; i + 1 < proton.size(); ++i) {
    const int x = static_cast<int>(std::lrint(396 + proton[i][1] * pixelsPerMetre));
    const int y = static_cast<int>(std::lrint(267 - proton[i][2] * pixelsPerMetre));
    if (x < 2 || y < 2 || x > 789 || y > 532 || std::hypot(x - 396, y - 267) < 16)
      continue;
    bool found = false;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        found = found || PixelAt(image, x + dx, y + dy) == trail;
    EXPECT_TRUE(found) << x << ", " << y;
    ++checked;
  }
  EXPECT_GT(checked, 10);
}

} // namespace
