#pragma once
// The picture of the drawing area as it stands, for export, print and the clipboard:
// background, frame marks, every charge and the particles, without the cursor line. Drawn once, on
// any canvas: by the pixel rules (PNG, clipboard) or on a QPainter (SVG, PDF, printer), at true
// scale, so that 1 cm in the field at 100 % zoom is 1 cm on paper.

#include "base/Geometry.h"
#include "model/PictureTarget.h"

#include <QImage>
#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

class QPainter;
class TCanvas;
class TChargeSprites;
struct TScene;
struct TParticleTrail;

struct TPicture {
  const TScene *Scene = nullptr;
  const TChargeSprites *Sprites = nullptr; // the charges in their drawing order; null for none
  TPictureTarget Target;                   // the drawing area
  bool MarkSelection = false;              // the selected charge's outline
  // The particles' trails over the charges; null: the scene's particles at their start.
  const std::vector<TParticleTrail> *Particles = nullptr;
};

enum class TPictureFormat { Png, Svg, Pdf };

// Traces the background afresh and draws the whole picture on canvas.
void DrawPicture(TCanvas &canvas, const TPicture &picture);
// The picture's pixels, with the screen's resolution stored (dots per metre).
QImage PictureImage(const TPicture &picture);
// Draws the picture on a painter at true scale: one pixel is 1/ppi inch of the painter's
// device, whose logical dpi says how large its units are. Clipped to the picture.
void PaintPicture(QPainter &painter, const TPicture &picture);
// Draws the picture centred on the page (in the painter's units): at true scale, or as large
// as the page holds when fit is set.
void PaintPictureOnPage(QPainter &painter, const TPicture &picture, const QRectF &page, bool fit);
// The size (mm) of the picture at the screen's pixels per inch.
QSizeF PictureSizeMm(TSize area);

// The format a file name's extension asks for (case-insensitive), or none.
std::optional<TPictureFormat> PictureFormatOf(const QString &fileName);
// Writes the picture to the file in the format. Throws EWriteError with a German message
// that names the file and the reason when the file cannot be written (also when it is not a
// regular file); a file that existed before is then left as it was.
void WritePicture(const TPicture &picture, const QString &fileName, TPictureFormat format);
// Writes an image that is already drawn as a PNG file, with the rules of WritePicture.
void WritePngImage(const QImage &image, const QString &fileName);
