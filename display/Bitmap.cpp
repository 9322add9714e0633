#include "display/Canvas.h"

#include "base/Errors.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <utility>

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::TBitmap(const TBitmap &other)
    : width_(other.width_), height_(other.height_), image_(other.image_), canvas_(other.canvas_) {
  canvas_.SetDevice(&image_);
}

TBitmap &TBitmap::operator=(const TBitmap &other) {
  if (this != &other) {
    width_ = other.width_;
    height_ = other.height_;
    image_ = other.image_;
    canvas_ = other.canvas_;
    canvas_.SetDevice(&image_);
  }
  return *this;
}

int TBitmap::Width() const { return width_; }
int TBitmap::Height() const { return height_; }
TCanvas &TBitmap::Canvas() { return canvas_; }
const QImage &TBitmap::Image() const { return image_; }

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_)
    return;
  QImage next;
  if (width > 0 && height > 0) {
    next = QImage(width, height, QImage::Format_RGB32);
    if (next.isNull()) // out of memory: keep the old picture and say so
      throw EInvalidOperation(
          QCoreApplication::translate("TCanvas", "Leinwand/Bild erlaubt kein Zeichnen"));
    next.fill(ToQRgb(canvas_.Brush.Color()));
    const int rows = std::min(height, image_.height());
    const auto bytes = static_cast<size_t>(std::min(width, image_.width())) * 4;
    for (int y = 0; y < rows; ++y)
      std::memcpy(next.scanLine(y), image_.constScanLine(y), bytes);
  }
  image_ = std::move(next);
  width_ = width;
  height_ = height;
}
