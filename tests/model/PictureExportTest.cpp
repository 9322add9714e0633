// The exported picture: the PNG is the screen's frame without the selection outline, and the
// SVG and PDF are true-scale vector drawings of the same picture.
#include "BackgroundFixture.h"
#include "support/FieldConfigurations.h"
#include "support/PixelTesting.h"
#include "support/VectorPictures.h"

#include "base/Errors.h"
#include "display/Sprite.h"
#include "model/ChargeSprites.h"
#include "model/FieldLineArrows.h"
#include "model/FrameComposer.h"
#include "model/PictureExport.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <random>
#include <sys/stat.h>
#include <tuple>

namespace {

class PictureExportTest : public BackgroundFixture {
protected:
  void SetUp() override {
    BackgroundFixture::SetUp();
    engine.VisibleRect = {0, 0, surfaceSize.Width, surfaceSize.Height};
  }
  // The picture of the scene as it stands, its charges as the screen's sprites.
  TPicture Picture() {
    sprites.Rebuild(scene);
    return {&scene, &sprites, Target(), false};
  }
  QString Write(TPictureFormat format, const QString &name) {
    const QString path = dir.filePath(name);
    WritePicture(Picture(), path, format);
    return path;
  }
  SvgPicture Svg() {
    QFile file(Write(TPictureFormat::Svg, QStringLiteral("bild.svg")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return ParseSvg(file.readAll());
  }
  QTemporaryDir dir;
  TSpriteEngine engine;
  TChargeSprites sprites{engine};
};

size_t Count(const SvgPicture &svg, const QString &kind, const QString &fill,
             const QString &stroke = {}) {
  return std::count_if(svg.Shapes.begin(), svg.Shapes.end(), [&](const SvgShape &s) {
    return s.Kind == kind && (fill.isEmpty() || s.Fill == fill) &&
           (stroke.isEmpty() || s.Stroke == stroke);
  });
}

TEST_F(PictureExportTest, PngIsTheScreenFrameWithoutTheSelectionOutline) {
  TBitmap frame(surfaceSize.Width, surfaceSize.Height);
  for (const auto &[which, seed, lines, map] :
       {std::tuple{'h', 1u, true, true}, {'b', 2u, false, false}, {'m', 3u, true, false}}) {
    SCOPED_TRACE(configurations::Load(scene, which, seed));
    const int probe = AddCharge(250, 150, 2e-9L, true);
    AddCharge(600, 420, -1e-9L, true);
    scene.Potential.Lines = lines;
    scene.Potential.Map = map;
    scene.Voltage = {0, probe, -1}; // the path from the first charge to the probe
    scene.Selected = -1;

    DrawBackground();
    sprites.Rebuild(scene);
    ComposeFrame(frame.Canvas(), {&scene, background.get(), &sprites, Target(), nullptr});
    scene.Selected = probe;
    const QImage png = PictureImage(Picture());
    EXPECT_TRUE(png == frame.Image()) << "the picture differs from the unselected frame";
    EXPECT_EQ(png.dotsPerMeterX(), 3780); // 96 ppi
    EXPECT_EQ(png.dotsPerMeterY(), 3780);
  }
}

// One path per traced half-line that drew something, whatever the configuration, and the
// sources as circles in their colours; no bitmap where there is no potential map.
TEST_F(PictureExportTest, SvgIsATrueScaleDrawingWithOnePathPerFieldLine) {
  for (const auto &[which, seed] :
       {std::pair{'a', 0u}, {'b', 1u}, {'d', 2u}, {'g', 3u}, {'h', 1u}, {'m', 1u}, {'x', 0u}}) {
    const std::string name = configurations::Load(scene, which, seed);
    SCOPED_TRACE(name);
    const TBackgroundScene traced = TraceBackground(scene, Target());
    const size_t drawn = std::count_if(traced.Lines.begin(), traced.Lines.end(), [](const auto &j) {
      const auto &ops = j.Line.Ops();
      return std::any_of(ops.begin(), ops.end(), [](const auto &op) { return !op.Move; });
    });
    size_t positive = 0;
    for (const TPointCharge &c : scene.Charges)
      positive += c.ChargeValue > 0;

    const SvgPicture svg = Svg();
    EXPECT_NEAR(svg.Width.chopped(2).toDouble(), 792 / 96.0 * 25.4, 0.01);
    EXPECT_NEAR(svg.Height.chopped(2).toDouble(), 535 / 96.0 * 25.4, 0.01);
    EXPECT_TRUE(svg.Width.endsWith(u"mm"));
    EXPECT_GT(drawn, 0u);
    EXPECT_EQ(Count(svg, "path", {}, "#c0c0c0"), drawn);
    EXPECT_EQ(Count(svg, "circle", "#ff0000"), positive);
    EXPECT_EQ(Count(svg, "circle", "#0000ff"), scene.Charges.Count() - positive);
    EXPECT_EQ(Count(svg, "image", {}), 0u);
    EXPECT_GT(Count(svg, "text", {}), 0u) << "axis labels as text";
  }
}

// Stepped lines run through pixel centres; exact lines keep their points between them.
TEST_F(PictureExportTest, ExactLinesKeepTheirPointsBetweenPixelsInSvg) {
  AddCharge(300, 267, 2e-9L);
  AddCharge(480, 267, -1e-9L);
  for (const bool accurate : {false, true}) {
    SCOPED_TRACE(accurate ? "accurate" : "stepped");
    scene.FieldLines.Accurate = accurate;
    size_t numbers = 0;
    size_t offCentre = 0;
    for (const SvgShape &shape : Svg().Shapes) {
      if (shape.Kind != u"path" || shape.Stroke != u"#c0c0c0")
        continue;
      static const QRegularExpression number(QStringLiteral("-?[0-9]+(\\.[0-9]+)?"));
      for (const QRegularExpressionMatch &m : number.globalMatch(shape.Path)) {
        const double v = m.captured().toDouble();
        ++numbers;
        offCentre += std::fabs(v - std::floor(v) - 0.5) > 1e-3;
      }
    }
    ASSERT_GT(numbers, 1000u);
    if (accurate)
      EXPECT_GT(offCentre, numbers * 9 / 10);
    else
      EXPECT_EQ(offCentre, 0u);
  }
}

// On a page, the picture sits in the middle: as large as the page holds when fit, else at
// true scale (here a page of twice the picture's dpi).
TEST_F(PictureExportTest, APrintSitsInTheMiddleOfThePage) {
  AddCharge(396, 267, 1e-9L);
  for (const bool fit : {false, true}) {
    SCOPED_TRACE(fit ? "fit" : "true scale");
    QImage page(2000, 1600, QImage::Format_RGB32);
    page.fill(Qt::black);
    page.setDotsPerMeterX(static_cast<int>(std::lround(192 / 0.0254)));
    page.setDotsPerMeterY(static_cast<int>(std::lround(192 / 0.0254)));
    {
      QPainter painter(&page);
      PaintPictureOnPage(painter, Picture(), QRectF(0, 0, 2000, 1600), fit);
    }
    // The picture's white covers a box centred on the page, the rest stays black.
    const double scale = fit ? 2000.0 / 792 : 2.0;
    const QSizeF drawn(792 * scale, 535 * scale);
    const QRectF box((2000 - drawn.width()) / 2, (1600 - drawn.height()) / 2, drawn.width(),
                     drawn.height());
    EXPECT_EQ(page.pixelColor((box.topLeft() + QPointF(3, 3)).toPoint()), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor((box.bottomRight() - QPointF(3, 3)).toPoint()), QColor(Qt::white));
    // Above and below it (the fit picture fills the page's width).
    EXPECT_EQ(page.pixelColor((box.topLeft() + QPointF(3, -3)).toPoint()), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor((box.bottomRight() + QPointF(-3, 3)).toPoint()), QColor(Qt::black));
  }
}

// A charge pair 1 cm apart at 100 % zoom is 10 mm apart on paper: in the SVG by its
// millimetres, in the PDF rendered at 10 pixels per mm. The picture is the screen's, so a
// charge sits on a whole pixel (0.26 mm at 96 ppi); the pairs start where a mouse click puts
// a charge and lie along either axis, either way.
TEST_F(PictureExportTest, ChargesOneCentimetreApartAreTenMillimetresApart) {
  const QImage probe = RenderPdf(Write(TPictureFormat::Pdf, "leer.pdf"), 254);
  if (probe.isNull())
    GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
  EXPECT_NEAR(probe.width(), 2095.5, 3); // the page: 209.55 by 141.55 mm, whole points
  EXPECT_NEAR(probe.height(), 1415.5, 3);

  const double cm = static_cast<double>(scene.PixelsPerMetre / 100); // px
  std::mt19937 random(7);
  std::uniform_int_distribution<int> x(100, 692), y(100, 435);
  const QPointF directions[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  for (const QPointF direction : directions) {
    const QPointF start(x(random), y(random));
    const QPointF end = start + direction * cm;
    SCOPED_TRACE("from " + std::to_string(start.x()) + ", " + std::to_string(start.y()));
    scene.Charges.Clear();
    AddCharge(start.x(), start.y(), 1e-9L, false, 0);
    AddCharge(end.x(), end.y(), -1e-9L, false, 0);

    const SvgPicture svg = Svg();
    ASSERT_EQ(Count(svg, "circle", {}), 2u);
    const SvgShape &a = *std::find_if(svg.Shapes.begin(), svg.Shapes.end(),
                                      [](const SvgShape &s) { return s.Kind == u"circle"; });
    const SvgShape &b = *std::find_if(svg.Shapes.rbegin(), svg.Shapes.rend(),
                                      [](const SvgShape &s) { return s.Kind == u"circle"; });
    EXPECT_NEAR(std::hypot(a.Cx - b.Cx, a.Cy - b.Cy) * svg.MmPerUnit(), 10.0, 0.1);

    const QImage page = RenderPdf(Write(TPictureFormat::Pdf, "bild.pdf"), 254);
    const std::optional<QPointF> red = Centroid(page, 0xFF0000);
    const std::optional<QPointF> blue = Centroid(page, 0x0000FF);
    ASSERT_TRUE(red && blue) << "both charges in their colours";
    EXPECT_NEAR(std::hypot(red->x() - blue->x(), red->y() - blue->y()) / 10, 10.0, 0.1);
    // The red one where it belongs; a pixel's index is half a pixel short of its centre.
    EXPECT_NEAR(red->x(), start.x() * 254 / 96 - 0.5, 1);
    EXPECT_NEAR(red->y(), start.y() * 254 / 96 - 0.5, 1);
  }
}

// Only a regular file is replaced: a FIFO would block the export and be renamed over, a
// device would be replaced by a file. Every refusal names the file and the reason.
TEST_F(PictureExportTest, TargetsThatCannotBeWrittenAreRefusedInGermanAndLeftAlone) {
  const QString fifo = dir.filePath(QStringLiteral("rohr.png"));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString folder = dir.filePath(QStringLiteral("ordner.svg"));
  ASSERT_TRUE(QDir().mkdir(folder));
  const QString notRegular = QStringLiteral("Sie ist keine gewöhnliche Datei.");
  const std::pair<QString, QString> cases[] = {
      {dir.filePath(QStringLiteral("fehlt/bild.svg")),
       QStringLiteral("Die Datei oder der Ordner existiert nicht.")},
      {fifo, notRegular},
      {QStringLiteral("/dev/null"), notRegular},
      {folder, notRegular},
  };
  for (const auto &[path, reason] : cases) {
    for (const TPictureFormat format :
         {TPictureFormat::Png, TPictureFormat::Svg, TPictureFormat::Pdf}) {
      SCOPED_TRACE(path.toStdString() + " as " + std::to_string(static_cast<int>(format)));
      try {
        WritePicture(Picture(), path, format);
        ADD_FAILURE() << "no error";
      } catch (const EWriteError &error) {
        EXPECT_EQ(error.Message(),
                  QStringLiteral("Das Bild konnte nicht nach %1 geschrieben werden. %2")
                      .arg(path, reason));
      }
    }
  }
  struct stat st {};
  ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  ASSERT_EQ(stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
            QStringList{"rohr.png"}); // no temporary file left behind
  EXPECT_EQ(PictureFormatOf("a/B.PDF"), TPictureFormat::Pdf);
  EXPECT_EQ(PictureFormatOf("bild.jpg"), std::nullopt);
}

} // namespace

namespace {

// The cross at a zero-field point: 7 pixels each way in the arrow colour on the screen, and
// strokes of that colour in the vector picture; nothing of it with the option off.
TEST_F(PictureExportTest, ZeroPointsAreCrossesOnScreenAndInTheVectorPicture) {
  AddCharge(300.5L, 200, 1e-9L);
  AddCharge(500, 263.25L, 1e-9L);      // the field vanishes at (400.25, 231.625)
  const Rgb arrow{kDefaultArrowColor}; // $00BBGGRR
  const auto crossStrokes = [this] {
    const SvgPicture svg = Svg();
    return std::count_if(svg.Shapes.begin(), svg.Shapes.end(),
                         [](const SvgShape &s) { return s.Stroke == u"#09a600"; });
  };
  for (const bool on : {false, true}) {
    SCOPED_TRACE(on);
    scene.FieldLines.ZeroPoints = on;
    DrawBackground();
    const QImage image = background->Image();
    for (int d = -3; d <= 3; ++d) {
      EXPECT_EQ(PixelAt(image, 400 + d, 232) == arrow, on) << d;
      EXPECT_EQ(PixelAt(image, 400, 232 + d) == arrow, on) << d;
    }
    for (const auto &[x, y] : {std::pair{396, 232}, {404, 232}, {400, 228}, {400, 236}})
      EXPECT_NE(PixelAt(image, x, y), arrow) << x << " " << y;
    EXPECT_EQ(CountColor(image, kDefaultArrowColor), on ? 13 : 0);
    EXPECT_EQ(crossStrokes() > 0, on);
  }
}

} // namespace

namespace {

// Each arrowhead on a field line is one filled shape in the line colour in the vector
// picture; none with the option off.
TEST_F(PictureExportTest, LineArrowsAreFilledShapesInTheVectorPicture) {
  AddCharge(396, 267, 1e-9L);
  AddCharge(600, 300, -1e-9L);
  for (const bool on : {false, true}) {
    SCOPED_TRACE(on);
    scene.FieldLines.Arrows = on;
    size_t heads = 0;
    for (const TTraceJob &job : TraceBackground(scene, Target()).Lines)
      heads += FieldLineArrows(job.Line, job.Direction, surfaceSize).size();
    ASSERT_GT(heads, 0u);
    EXPECT_EQ(Count(Svg(), QStringLiteral("path"), QStringLiteral("#c0c0c0")), on ? heads : 0);
  }
}

} // namespace
