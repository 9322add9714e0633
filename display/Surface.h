#pragma once
// The off-screen drawing surface that frames are composed on: an image with one canvas that
// lives as long as the surface object, also when the image is made again at another size.
// Our back-end keeps its pixels in ordinary memory, so a surface never loses its contents:
// there is nothing to restore and no drawing is ever refused for that reason.

#include "display/Canvas.h"
#include "display/Sprite.h"

#include <QImage>

#include <memory>

// The surface's canvas: open from its first drawing operation until Release.
class TDirectDrawSurfaceCanvas : public TCanvas {
public:
  explicit TDirectDrawSurfaceCanvas(QImage *device) : TCanvas(device) {}
  // Ends drawing on the surface (before it is presented); pen, brush and font stay.
  void Release() { open_ = false; }
  bool IsOpen() const { return open_; }

protected:
  void BeginDrawing() override { open_ = true; }

private:
  bool open_ = false;
};

class TDirectDrawSurface : public TSpriteSurface {
public:
  TDirectDrawSurface() = default;
  TDirectDrawSurface(const TDirectDrawSurface &) = delete;
  TDirectDrawSurface &operator=(const TDirectDrawSurface &) = delete;

  // Makes the image width by height pixels (at least 1 by 1), cleared black, keeping this
  // object and its canvas; the canvas is released first. Raises EDXDrawError
  // "Surface cannot be made" when the memory cannot be had, leaving the old image.
  void Create(int width, int height);
  // Fills the whole image with colour.
  void Fill(TColor color);
  // Hands the image over in exchange for other, which must have the same size and format:
  // the two images of a flipping chain trade places without a pixel being copied. The
  // canvas is released and then draws on the image received.
  void Exchange(QImage &other);

  int32_t Width() const { return image_.width(); }
  int32_t Height() const { return image_.height(); }
  // (0, 0, Width, Height).
  TRect ClientRect() const { return {0, 0, Width(), Height()}; }
  // Created on first use and kept with its pen, brush and font until the surface is freed.
  TDirectDrawSurfaceCanvas &Canvas();
  const QImage &Image() const { return image_; }

  int32_t SurfaceWidth() const override { return Width(); }
  int32_t SurfaceHeight() const override { return Height(); }

private:
  QImage image_;
  std::unique_ptr<TDirectDrawSurfaceCanvas> canvas_;
};
