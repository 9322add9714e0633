#include "widgets/InfoHeader.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

constexpr int StandardIconSize = 32;

// destination := destination AND logo, pixel by pixel, clipped to the image.
void AndImage(QImage &image, int left, int top, const QImage &logo) {
  const QImage source = logo.convertToFormat(QImage::Format_RGB32);
  for (int y = std::max(0, -top); y < source.height() && top + y < image.height(); ++y) {
    const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y));
    auto *to = reinterpret_cast<QRgb *>(image.scanLine(top + y));
    for (int x = std::max(0, -left); x < source.width() && left + x < image.width(); ++x)
      to[left + x] = (to[left + x] & from[x]) | 0xFF000000u;
  }
}

} // namespace

TColor BlendColor(TColor c1, TColor c2, int32_t pos, int32_t max) {
  if (max == 0)
    return c2;
  TColor result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int64_t a = (c1 >> shift) & 0xFFu;
    const int64_t b = (c2 >> shift) & 0xFFu;
    const int64_t byte = std::clamp<int64_t>(a + (b - a) * pos / max, 0, 255);
    result |= static_cast<TColor>(byte) << shift;
  }
  return result;
}

void PaintInfoHeader(QImage &image, const TInfoHeader &header) {
  TCanvas canvas(&image);
  canvas.Brush.SetColor(header.Face);
  canvas.Font = header.Font;
  const int w = image.width();
  const int h = image.height();

  // Light blue to white over the left three quarters, back to light blue over the rest.
  const int a = static_cast<int>(w * 0.75);
  for (int i = 0; i <= a; ++i) {
    canvas.Pen.Color = BlendColor(HeaderBlue, 0xFFFFFF, i, a);
    canvas.MoveTo(i, 0);
    canvas.LineTo(i, h);
  }
  const int p = w - static_cast<int>(w * 0.75);
  for (int i = 0; i <= p; ++i) {
    canvas.Pen.Color = BlendColor(0xFFFFFF, HeaderBlue, i, p);
    canvas.MoveTo(w - p + i, 0);
    canvas.LineTo(w - p + i, h);
  }

  AndImage(image, static_cast<int>(w * 0.75) - header.Logo.width() / 2, 4, header.Logo);

  const int iconWidth = header.Icon.isNull() ? StandardIconSize : header.Icon.width();
  const int iconHeight = header.Icon.isNull() ? StandardIconSize : header.Icon.height();
  canvas.Draw(8, h / 2 - iconHeight / 2, header.Icon);
  canvas.FrameRect({7, h / 2 - iconHeight / 2 - 1, iconWidth + 8, iconHeight / 2 + h / 2});

  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Font.Style = fsBold;
  canvas.TextOut(iconWidth + 16, h / 2 - static_cast<int>(canvas.TextHeight(header.AppTitle) * 1.5),
                 header.AppTitle);
  canvas.Font.Style = 0;
  // The version is moved right so that both values start in the same column.
  const QString periodLabel = QCoreApplication::translate("TInfoHeader", "Entwicklungszeit: ");
  const QString versionLabel = QCoreApplication::translate("TInfoHeader", "Version: ");
  canvas.TextOut(iconWidth + 16 + canvas.TextWidth(periodLabel) - canvas.TextWidth(versionLabel),
                 h / 2 - static_cast<int>(canvas.TextHeight(header.AppTitle) * 0.5),
                 versionLabel + header.Version);
  canvas.TextOut(iconWidth + 16, h / 2 + static_cast<int>(canvas.TextHeight(header.DevTime) * 0.5),
                 periodLabel + header.DevTime);
}
