#pragma once
// How a charge draws itself in every frame: a source as a coloured disc, a test charge as a
// small disc with its own field line and the arrow of the Coulomb force acting on it.

#include "display/Canvas.h"
#include "model/PictureTarget.h"
#include "model/Vector.h"

#include <vector>

struct TScene;
struct TTestChargeFigure;
struct TTestChargeFigures;

inline constexpr TColor kPositiveFill = 0x0000FF;
inline constexpr TColor kNegativeFill = 0xFF0000;
inline constexpr TColor kNeutralFill = 0xFFFFFF;
inline constexpr TColor kSelectedOutline = 0x000000;
inline constexpr TColor kOutline = 0xC0C0C0;
inline constexpr TColor kTestChargeLineColor = 0x000000;

inline constexpr int kTestChargeRadius = 4;         // px
inline constexpr int kArrowHeadLength = 16;         // px
inline constexpr double kLongestArrow = 2147483647; // px; longer arrows become 5000 px
inline constexpr double kClampedArrow = 5000;       // px

// Draws the scene's charge at index on canvas, for the target, with the outline of the
// selection when it is the selected charge and markSelection is set. A test charge takes its
// line and force from figures when they are active, else traces them.
void DrawCharge(TCanvas &canvas, const TScene &scene, int index, const TPictureTarget &target,
                const TTestChargeFigures *figures = nullptr, bool markSelection = true);

// A test charge's force arrow from its centre c (px): the shaft ends at Tip, the head's two
// strokes run from Tip to the Wings. force is in N.
struct TForceArrow {
  TPoint Tip;
  TPoint Wings[2];
};
TForceArrow ForceArrowOf(const TScene &scene, TVector force, TPoint c);

// Where DrawCharge draws a charge (px, right and bottom exclusive): every pixel lies in
// Whole, and in one of the Pieces when there are any (a test charge's line and arrow).
struct TChargeFootprint {
  TRect Whole{};
  std::vector<TRect> Pieces;
  bool Overlaps(const TRect &box) const;
};
// The extent of the charge at index: a source, or a test charge drawn from figure (null: its
// disc alone). A test charge traced in the frame has no extent short of the whole field.
TChargeFootprint ChargeFootprintOf(const TScene &scene, int index, const TTestChargeFigure *figure);
