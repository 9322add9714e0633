#pragma once
// How a charge draws itself in every frame: a source as a coloured disc, a test charge as a
// small disc with its own field line and the arrow of the Coulomb force acting on it.

#include "display/Canvas.h"
#include "model/PictureTarget.h"

struct TScene;
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
