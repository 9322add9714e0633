#pragma once
// What the view values must be so that every number they turn into stays finite. A value
// typed on the settings window, reached by zooming, read from a project file or about to
// be saved passes the same tests, so the program never holds (nor writes) a document that
// it would refuse to open.

// Pixels per metre (px/m) at 100 % zoom on this screen.
long double DefaultPixelsPerMetre();

// Pixels per metre (px/m) that keep every conversion finite: positive, finite, the metres of
// any double pixel position finite, and 0.001 px (the nearest a source counts) still a
// non-zero squared distance in metres.
bool PixelsPerMetreUsable(long double pixelsPerMetre);

// A force arrow scale (N per metre of arrow, > 0) whose factor from newtons to pixels of arrow,
// pixelsPerMetre / arrowScale, is finite as a double.
bool ArrowScaleUsable(long double arrowScale, long double pixelsPerMetre);

// A pixel position (px) that a charge can hold: finite once rounded to a double.
bool PixelPositionUsable(long double px);

// A charge's distance (px) from the origin that "Zentrieren" can still bring to the middle
// of the drawing surface: the origin moves by that much and is a pixel position within
// pixel::kLimit; half of it leaves room for any surface. 132 km at 100 % zoom.
bool PixelOffsetCentrable(long double offset);

// What the bound of the forces depends on: the charges (C) of a scene or a file.
struct TChargeExtent {
  long double SourceSum = 0; // sum of |Q| over the sources (charges that are not test charges)
  long double Largest = 0;   // largest |Q| of any charge
  void Include(long double chargeValue, bool isSource);
};

// Whether charges of that extent keep every force (N), field strength (N/C) and potential (V)
// of the surface at pixelsPerMetre (px/m) finite, in the doubles they are summed and drawn in.
bool ChargesUsable(const TChargeExtent &charges, long double pixelsPerMetre);
