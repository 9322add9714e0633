#include "display/Surface.h"

#include "base/Errors.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>

void TDirectDrawSurface::Create(int width, int height) {
  QImage next(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  if (next.isNull())
    throw EDXDrawError(QCoreApplication::translate("TDirectDrawSurface", "Surface cannot be made"));
  next.fill(ToQRgb(0x000000));
  if (canvas_)
    canvas_->Release();
  image_ = std::move(next); // the canvas keeps pointing at image_
}

void TDirectDrawSurface::Fill(TColor color) { image_.fill(ToQRgb(color)); }

void TDirectDrawSurface::Exchange(QImage &other) {
  if (other.size() != image_.size() || other.format() != image_.format())
    throw EDXDrawError(QCoreApplication::translate("TDirectDrawSurface", "Surface cannot be made"));
  if (canvas_)
    canvas_->Release();
  image_.swap(other); // the canvas keeps pointing at image_
}

TDirectDrawSurfaceCanvas &TDirectDrawSurface::Canvas() {
  if (!canvas_)
    canvas_ = std::make_unique<TDirectDrawSurfaceCanvas>(&image_);
  return *canvas_;
}
