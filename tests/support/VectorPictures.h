#pragma once
// Reading exported pictures back: the shapes of an SVG with the colours they inherit, and a
// PDF rendered to pixels by poppler's pdftoppm.

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

struct SvgShape {
  QString Kind; // element name: path, circle, rect, text, image, ...
  QString Fill;
  QString Stroke;
  double Cx = 0, Cy = 0, R = 0; // circles, in viewBox units
  QString Path;                 // the d attribute of a path
};

struct SvgPicture {
  QString Width, Height; // as written, with their unit
  QRectF ViewBox;
  std::vector<SvgShape> Shapes;
  double MmPerUnit() const { return Width.chopped(2).toDouble() / ViewBox.width(); }
};

inline SvgPicture ParseSvg(const QByteArray &bytes) {
  SvgPicture svg;
  QXmlStreamReader xml(bytes);
  std::vector<SvgShape> inherited{{}};
  while (!xml.atEnd()) {
    const auto token = xml.readNext();
    if (token == QXmlStreamReader::EndElement) {
      inherited.pop_back();
      continue;
    }
    if (token != QXmlStreamReader::StartElement)
      continue;
    const QXmlStreamAttributes a = xml.attributes();
    SvgShape shape = inherited.back();
    shape.Kind = xml.name().toString();
    if (a.hasAttribute("fill"))
      shape.Fill = a.value("fill").toString();
    if (a.hasAttribute("stroke"))
      shape.Stroke = a.value("stroke").toString();
    shape.Cx = a.value("cx").toDouble();
    shape.Cy = a.value("cy").toDouble();
    shape.R = a.value("r").toDouble();
    shape.Path = a.value("d").toString();
    if (shape.Kind == u"svg") {
      svg.Width = a.value("width").toString();
      svg.Height = a.value("height").toString();
      const QStringList box = a.value("viewBox").toString().split(u' ');
      if (box.size() == 4)
        svg.ViewBox =
            QRectF(box[0].toDouble(), box[1].toDouble(), box[2].toDouble(), box[3].toDouble());
    } else if (shape.Kind != u"g") {
      svg.Shapes.push_back(shape);
    }
    inherited.push_back(shape);
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return svg;
}

// The first page at dpi, or a null image when pdftoppm is missing.
inline QImage RenderPdf(const QString &pdf, int dpi) {
  const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (pdftoppm.isEmpty())
    return {};
  QTemporaryDir dir;
  const QString stem = dir.filePath(QStringLiteral("page"));
  QProcess process;
  process.start(pdftoppm, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                           QStringLiteral("-singlefile"), pdf, stem});
  EXPECT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// The centre of the pixels of exactly that colour (0xRRGGBB), or none.
inline std::optional<QPointF> Centroid(const QImage &image, QRgb colour) {
  double sx = 0, sy = 0;
  long n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFFu) == colour) {
        sx += x;
        sy += y;
        ++n;
      }
  if (n == 0)
    return std::nullopt;
  return QPointF(sx / n, sy / n);
}
