#pragma once
// Composition of one frame of the field picture: the background, the origin cross, the dashed
// voltage path between the scene's two chosen charges, the charges in the order of their
// sprites, and over them the particles.

#include "display/Canvas.h"
#include "model/ChargeSprites.h"

#include <vector>

struct TScene;
struct TTestChargeFigures;
struct TParticleTrail;

inline constexpr TColor kOriginCrossColor = 0x000000;
inline constexpr TColor kVoltagePathColor = 0x0000FF;
inline constexpr int kOriginCrossHalf = 6; // px

// What a frame is composed from.
struct TFrameInputs {
  const TScene *Scene = nullptr;
  const TBitmap *Background = nullptr;     // null: none drawn
  const TChargeSprites *Sprites = nullptr; // following the scene's charges
  TPictureTarget Target;                   // the drawing surface
  const TTestChargeFigures *Figures = nullptr;
  // The particles' trails, drawn over the charges; null: the scene's particles at their
  // start.
  const std::vector<TParticleTrail> *Particles = nullptr;
};

// Draws the origin cross and, when the scene has both charges of the voltage path, the
// dashed path between their centres: what a frame adds to the background before the charges.
void DrawFrameMarks(TCanvas &canvas, const TScene &scene);
// Draws what a frame has under its charges: the background and the marks.
void ComposeUnderCharges(TCanvas &canvas, const TFrameInputs &frame);
// Draws what a frame has over its charges: the particles, their goal and note.
void ComposeOverCharges(TCanvas &canvas, const TFrameInputs &frame);
// Draws the frame on canvas.
void ComposeFrame(TCanvas &canvas, const TFrameInputs &frame);
