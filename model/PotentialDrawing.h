#pragma once
// Drawing of the potential into the background: the colour map behind everything, the
// equipotential lines with their labels above the field lines, and the map's legend.

#include "display/Canvas.h"
#include "model/Equipotentials.h"

struct TScene;
struct TPotentialOptions;

// Colour of a potential on the map: white at 0 V, towards red for positive and blue for
// negative potentials, |v| compressed by scale (V) so that it never saturates fully.
TColor PotentialColor(long double volts, long double scale);
// The potential (V) that the map's colours are scaled by.
long double MapScale(const TPotentialGrid &grid);

// Every pixel of the grid's area in its potential's colour.
void PaintPotentialMap(const TPotentialGrid &grid, QImage &image);
// The same on a canvas: on its image, or drawn as an image where it has none (vector).
void PaintPotentialMap(const TPotentialGrid &grid, TCanvas &canvas);
// The legend: a colour bar from -X to +X volts with its labels, in the bottom-left corner.
void DrawPotentialLegend(const TPotentialGrid &grid, TCanvas &canvas, const QString &fontName);

// The levels the options ask for (without the test charge's line).
std::vector<long double> ChosenLevels(const TPotentialGrid &grid, const TPotentialOptions &options);

// The lines 1 px solid in the pen's colour, no labels.
void DrawIsoLines(const std::vector<TIsoLine> &lines, TCanvas &canvas);
// A label with its level at the first place of each line where it has room and overlaps no
// label drawn before; placed labels are added to taken.
void DrawIsoLabels(const std::vector<TIsoLine> &lines, TCanvas &canvas, TSize area,
                   const QString &fontName, std::vector<TRect> &taken);

// Lines and labels of the options: the chosen levels in their colour, then the line through
// the selected test charge in the arrow colour.
void DrawEquipotentials(const TScene &scene, const TPotentialGrid &grid,
                        const TPotentialOptions &options, TCanvas &canvas, const QString &fontName);
