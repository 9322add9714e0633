#include "model/PictureExport.h"

#include "base/Errors.h"
#include "base/ReplacingFile.h"
#include "base/Seams.h"
#include "display/Canvas.h"
#include "display/PainterCanvas.h"
#include "model/Background.h"
#include "model/ChargeSprites.h"
#include "model/FrameComposer.h"
#include "model/ParticleDrawing.h"
#include "model/PointCharge.h"
#include "model/Scene.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double kMmPerInch = 25.4;

EWriteError WriteFailure(const QString &fileName, const QString &reason) {
  return EWriteError(QCoreApplication::translate(
                         "PictureExport", "Das Bild konnte nicht nach %1 geschrieben werden. %2")
                         .arg(QFileInfo(fileName).absoluteFilePath(), reason));
}

// Written beside the target first: a failed export leaves an existing file as it was.
template <typename Write> void WriteReplacing(const QString &fileName, const Write &write) {
  TReplacingFile file(fileName);
  if (!file.Begin())
    throw WriteFailure(fileName, file.FailureReason());
  if (!write(file)) {
    file.Cancel();
    throw WriteFailure(fileName, file.FailureReason());
  }
  if (!file.Commit())
    throw WriteFailure(fileName, file.FailureReason());
}

void WriteSvg(const TPicture &picture, QIODevice &device) {
  QSvgGenerator svg;
  svg.setOutputDevice(&device);
  svg.setSize(QSize(picture.Target.Area.Width, picture.Target.Area.Height));
  svg.setViewBox(QRect(0, 0, picture.Target.Area.Width, picture.Target.Area.Height));
  // The size in mm follows from it (whole pixels per inch: within 0.5 % of the screen's).
  svg.setResolution(static_cast<int>(std::lround(seams::ScreenPixelsPerInch())));
  svg.setTitle(QStringLiteral("Das Kraftbild"));
  QPainter painter;
  if (!painter.begin(&svg))
    return;
  PaintPicture(painter, picture);
}

bool WritePdf(const TPicture &picture, QIODevice &device) {
  QPdfWriter pdf(&device);
  pdf.setCreator(QStringLiteral("Das Kraftbild"));
  pdf.setResolution(static_cast<int>(std::lround(seams::ScreenPixelsPerInch())));
  const QPageLayout layout(QPageSize(PictureSizeMm(picture.Target.Area), QPageSize::Millimeter),
                           QPageLayout::Portrait, QMarginsF());
  pdf.setPageLayout(layout);
  QPainter painter;
  if (!painter.begin(&pdf))
    return false;
  PaintPicture(painter, picture);
  return painter.end();
}

} // namespace

void DrawPicture(TCanvas &canvas, const TPicture &picture) {
  const TScene &scene = *picture.Scene;
  const TSize area = picture.Target.Area;
  PaintBackground(scene, TraceBackground(scene, picture.Target), canvas, picture.Target,
                  {0, 0, area.Width, area.Height});
  DrawFrameMarks(canvas, scene);
  // Every test charge traced for the picture, also where the frames show the figures of
  // the last finished background.
  if (picture.Sprites != nullptr)
    picture.Sprites->Draw({&canvas, &scene, picture.Target, nullptr, picture.MarkSelection});
  static const std::vector<TParticleTrail> kNoTrails;
  DrawParticles(canvas, scene, picture.Particles != nullptr ? *picture.Particles : kNoTrails,
                picture.Target);
}

QImage PictureImage(const TPicture &picture) {
  QImage image(picture.Target.Area.Width, picture.Target.Area.Height, QImage::Format_RGB32);
  if (image.isNull())
    return image;
  TCanvas canvas(&image);
  DrawPicture(canvas, picture);
  const int dotsPerMetre =
      static_cast<int>(std::lround(seams::ScreenPixelsPerInch() * 1000 / kMmPerInch));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  return image;
}

namespace {

// Painter units per picture pixel at true scale.
double TrueScale(const QPainter &painter) {
  return static_cast<double>(painter.device()->logicalDpiX()) / seams::ScreenPixelsPerInch();
}

void PaintScaled(QPainter &painter, const TPicture &picture, double scale) {
  painter.scale(scale, scale);
  painter.setClipRect(QRect(0, 0, picture.Target.Area.Width, picture.Target.Area.Height));
  painter.setRenderHint(QPainter::Antialiasing);
  TPainterCanvas canvas(painter);
  DrawPicture(canvas, picture);
}

} // namespace

void PaintPicture(QPainter &painter, const TPicture &picture) {
  PaintScaled(painter, picture, TrueScale(painter));
}

void PaintPictureOnPage(QPainter &painter, const TPicture &picture, const QRectF &page, bool fit) {
  const double width = picture.Target.Area.Width;
  const double height = picture.Target.Area.Height;
  if (width <= 0 || height <= 0)
    return;
  const double scale =
      fit ? std::min(page.width() / width, page.height() / height) : TrueScale(painter);
  painter.translate(page.x() + (page.width() - width * scale) / 2,
                    page.y() + (page.height() - height * scale) / 2);
  PaintScaled(painter, picture, scale);
}

QSizeF PictureSizeMm(TSize area) {
  const double ppi = seams::ScreenPixelsPerInch();
  return {area.Width / ppi * kMmPerInch, area.Height / ppi * kMmPerInch};
}

std::optional<TPictureFormat> PictureFormatOf(const QString &fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == u"png")
    return TPictureFormat::Png;
  if (suffix == u"svg")
    return TPictureFormat::Svg;
  if (suffix == u"pdf")
    return TPictureFormat::Pdf;
  return std::nullopt;
}

void WritePicture(const TPicture &picture, const QString &fileName, TPictureFormat format) {
  WriteReplacing(fileName, [&](QIODevice &file) {
    switch (format) {
    case TPictureFormat::Png:
      return PictureImage(picture).save(&file, "PNG");
    case TPictureFormat::Svg:
      WriteSvg(picture, file);
      return true;
    case TPictureFormat::Pdf:
      return WritePdf(picture, file);
    }
    return false;
  });
}

void WritePngImage(const QImage &image, const QString &fileName) {
  WriteReplacing(fileName, [&](QIODevice &file) { return image.save(&file, "PNG"); });
}
