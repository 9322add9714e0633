#pragma once
// The one 2-D canvas all drawing goes through, on a 32-bit QImage. Coordinates are integer
// pixels, (0, 0) top-left, y down; colours are $00BBGGRR. One-pixel lines (solid, dashed,
// inverting) use our own rasteriser, so that the pixel rules hold exactly; text, wide pens
// and ellipses go through QPainter on the same image. Everything is clipped to the device.

#include "base/Geometry.h"

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QString>

#include <cstdint>
#include <span>

using TColor = uint32_t; // $00BBGGRR

enum class TPenStyle { psSolid, psDash, psClear };
enum class TPenMode { pmCopy, pmNot };
enum class TBrushStyle { bsSolid, bsClear };
enum TFontStyle : unsigned { fsBold = 1u, fsUnderline = 2u };

// $00BBGGRR to QImage's 0xAARRGGBB (opaque) and back.
inline QRgb ToQRgb(TColor c) {
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
inline TColor FromQRgb(QRgb c) { return ((c >> 16) & 0xFFu) | (c & 0xFF00u) | ((c & 0xFFu) << 16); }

struct TPen {
  TColor Color = 0;
  int Width = 1; // 0 and 1 both give a one-pixel line
  TPenStyle Style = TPenStyle::psSolid;
  TPenMode Mode = TPenMode::pmCopy;
};

class TBrush {
public:
  TColor Color() const { return color_; }
  // Setting a colour while the style is bsClear makes the style bsSolid.
  void SetColor(TColor color) {
    color_ = color;
    Style = TBrushStyle::bsSolid;
  }
  TBrushStyle Style = TBrushStyle::bsSolid;

private:
  TColor color_ = 0xFFFFFF;
};

struct TFont {
  QString Name = QStringLiteral("DejaVu Sans");
  int Size = 8; // points, at the screen's pixels per inch
  TColor Color = 0;
  unsigned Style = 0; // TFontStyle flags
};

// The font of f as the canvas draws it: points at the screen's pixels per inch.
QFont ToQFont(const TFont &f);

class TTextStamp;

class TCanvas {
public:
  // The device is not owned and must outlive the canvas (or be replaced by SetDevice). It
  // must be a 32-bit image (RGB32, or ARGB32 with opaque pixels); drawing on any other
  // format raises EInvalidOperation.
  explicit TCanvas(QImage *device = nullptr);
  TCanvas(const TCanvas &) = default;
  TCanvas &operator=(const TCanvas &) = default;
  virtual ~TCanvas() = default;
  void SetDevice(QImage *device);
  QImage *Device() const;

  TPen Pen;
  TBrush Brush;
  TFont Font;

  TPoint PenPos() const;
  // Sets the current point and starts the dash pattern afresh.
  virtual void MoveTo(int x, int y);
  // Draws from the current point to (x, y) without the end pixel; (x, y) becomes current.
  // psDash is 18 pixels on, 6 off, running on across consecutive LineTo calls. Wide pens
  // (2, 3) draw solid with round ends; inverting, they invert a joint with the previous
  // LineTo once.
  virtual void LineTo(int x, int y);
  // MoveTo the first point, then LineTo each of the others: the same pixels, with the
  // pen and the device looked at once for the whole line.
  void Polyline(std::span<const TPoint> points);
  // Outline with the pen on X1..X2-1 by Y1..Y2-1, filled with the brush.
  virtual void Rectangle(int x1, int y1, int x2, int y2);
  // Ellipse inscribed in the box of Rectangle.
  virtual void Ellipse(int x1, int y1, int x2, int y2);
  // Fills X1..X2-1 by Y1..Y2-1 with the brush, no outline.
  virtual void FillRect(const TRect &r);
  // Fills the polygon with the brush, no outline and no smoothing. Corners may lie between
  // pixels; integer coordinates are pixel centres, as for lines.
  virtual void FillPolygon(std::span<const QPointF> corners);
  // A one-pixel line in the pen through points that may lie between pixels (integer
  // coordinates are pixel centres): on pixels, MoveTo and LineTo through the points rounded
  // to the nearest; a vector canvas keeps them as they are.
  virtual void FineLine(std::span<const QPointF> points);
  // One-pixel border in the brush colour on the outermost rows and columns of r.
  virtual void FrameRect(const TRect &r);
  // Text with its top-left at (x, y); with a solid brush the text cell is painted first.
  // Afterwards the current point is (x + TextWidth(s), y).
  virtual void TextOut(int x, int y, const QString &s);
  // TextOut of a stamp made with this canvas's font and brush: set down from the stamp
  // where there are pixels, drawn as text elsewhere.
  void Stamp(int x, int y, const TTextStamp &stamp);
  int TextWidth(const QString &s) const;
  int TextHeight(const QString &s) const;
  // Copies an image at its own size: opaque images as they are, images with an alpha
  // channel (icons) leave their transparent parts untouched. A null image draws nothing.
  virtual void Draw(int x, int y, const QImage &graphic);
  // The lines drawn between these two make one figure (a field line, an arrow): a vector
  // canvas writes them as one path. Pixels do not care.
  virtual void BeginFigure() {}
  virtual void EndFigure() {}

protected:
  // Called by every drawing operation before it touches the device.
  virtual void BeginDrawing() {}

private:
  // Opens the device for drawing; false when there is none. Raises for a foreign format.
  bool Ready();

  QImage *device_ = nullptr;
  TPoint penPos_{};
  int dashPhase_ = 0; // position in the dash pattern of the next LineTo's first pixel
  // The last wide inverting LineTo, so that the next one leaves their joint inverted once.
  bool wideChain_ = false;
  TPoint wideFrom_{};
  TPoint wideTo_{};
  int wideWidth_ = 0;
};

// An off-screen bitmap with its own canvas (the background image).
class TBitmap {
public:
  TBitmap(int width = 0, int height = 0);
  // Copies carry the pixels and the canvas settings; each canvas draws on its own image.
  TBitmap(const TBitmap &other);
  TBitmap &operator=(const TBitmap &other);
  int Width() const;
  int Height() const;
  // Keeps the overlapping top-left pixels and fills the new area with the canvas's current
  // brush colour (white when the canvas was never used).
  void SetSize(int width, int height);
  TCanvas &Canvas();
  const QImage &Image() const;

private:
  int width_ = 0; // the size asked for; a bitmap with no area has a null image
  int height_ = 0;
  QImage image_;
  TCanvas canvas_{&image_};
};
