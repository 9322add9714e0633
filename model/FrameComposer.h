#pragma once
// Composition of one frame of the field picture: the cached background, the origin cross,
// the dashed voltage path between the voltage window's two chosen charges, and the charges
// drawing themselves through the sprite engine.

#include "display/Canvas.h"

class TDocument;
class TSpriteEngine;
class TPointCharge;

inline constexpr TColor kOriginCrossColor = 0x000000;
inline constexpr TColor kVoltagePathColor = 0x0000FF;
inline constexpr int kOriginCrossHalf = 6; // px

// Draws the origin cross and, when both charges are given, the dashed voltage path between
// their centres: what a frame adds to the background before the charges.
void DrawFrameMarks(TCanvas &canvas, const TDocument &document, const TPointCharge *pathStart,
                    const TPointCharge *pathEnd);
// Draws the frame of the document on canvas. The voltage path is drawn only when both
// charges are given.
void ComposeFrame(TCanvas &canvas, const TDocument &document, TSpriteEngine &engine,
                  const TPointCharge *pathStart, const TPointCharge *pathEnd);
