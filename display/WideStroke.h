#pragma once
// Lines of pens wider than one pixel, rasterised by QPainter with round ends. Inverting
// strokes are first rendered as a coverage mask, so that every pixel under the stroke is
// inverted exactly once, wherever the stroke overlaps itself.

#include "base/Geometry.h"
#include "display/LineRasterizer.h"

#include <QImage>

#include <optional>

// Strokes from to to (px) with a pen width pixels wide; a zero-length segment draws nothing.
// When inverting, previous is the start of the segment that ended at from, if the stroke
// continues one: the pixels that segment already inverted at the joint are left alone.
void StrokeWideSegment(QImage &device, TPoint from, TPoint to, int width, QRgb color,
                       raster::TPixelOp op, std::optional<TPoint> previous = std::nullopt);
