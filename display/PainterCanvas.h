#pragma once
// A canvas that draws on a QPainter instead of pixels, for vector outputs (SVG, PDF, the
// printer). Coordinates stay the canvas's integer pixels; the painter's transform maps
// them to the page. Lines are collected: consecutive LineTo calls with one pen, or all the
// lines of a figure, become one path, so that a field line is one path and not a path per
// step.

#include "display/Canvas.h"

#include <QPainterPath>

class QPainter;

class TPainterCanvas : public TCanvas {
public:
  // The painter is not owned and must outlive the canvas.
  explicit TPainterCanvas(QPainter &painter);
  // Draws the lines collected last.
  ~TPainterCanvas() override;
  TPainterCanvas(const TPainterCanvas &) = delete;
  TPainterCanvas &operator=(const TPainterCanvas &) = delete;

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void FillRect(const TRect &r) override;
  void FillPolygon(std::span<const QPointF> corners) override;
  void FineLine(std::span<const QPointF> points) override;
  void FrameRect(const TRect &r) override;
  void TextOut(int x, int y, const QString &s) override;
  // Images (the potential map) stay images: a raster has no better vector form.
  void Draw(int x, int y, const QImage &graphic) override;
  void BeginFigure() override;
  void EndFigure() override;

  // Draws the lines collected so far.
  void Flush();

private:
  // Draws a box outline (and fill) as Rectangle and Ellipse take their corners.
  void DrawBox(int x1, int y1, int x2, int y2, bool ellipse);

  QPainter &painter_;
  QPainterPath path_;
  TPen pathPen_;     // the pen the collected lines are drawn with
  TBrush pathBrush_; // and the brush behind their dash gaps
  bool inFigure_ = false;
};
