#pragma once
// A text drawn once and then set down many times: the pixels of TextOut at a fraction of its
// cost, for a label that a picture repeats (text shaping and a painter per call make TextOut
// the slowest of the canvas's operations).

#include "display/Canvas.h"

#include <QImage>
#include <QString>

class TTextStamp {
public:
  // The text as canvas's TextOut would draw it now: its font, its brush under the text.
  TTextStamp(const TCanvas &canvas, const QString &text);

  const QString &Text() const { return text_; }
  int Width() const { return width_; }   // TextWidth of the text
  int Height() const { return height_; } // TextHeight of the text

  // Sets the text's cell with its top-left corner at (x, y) onto an opaque 32-bit image:
  // the cell's pixels copied, the few that the glyphs' edges shade beyond it blended with
  // what lies there as the painter blends them (compared pixel for pixel under a solid
  // brush, as labels have it).
  void Put(QImage &image, int x, int y) const;

private:
  QString text_;
  int width_ = 0;
  int height_ = 0;
  QImage sprite_; // premultiplied, transparent round the cell
};
