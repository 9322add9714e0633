#pragma once
// How many logical pixels make a real inch on a screen: from the size the screen reports
// where that is plausible, else the logical density the desktop is set to.

class QScreen;

inline constexpr double kLogicalPixelsPerInch = 96;
// Outside this range (device px per inch) a reported size is a guess or a placeholder
// (projectors, virtual outputs, monitors whose EDID says 0 mm or a TV's centimetres).
inline constexpr double kPlausibleMinPpi = 50;
inline constexpr double kPlausibleMaxPpi = 350;

// What is known of a screen's density.
struct TScreenReport {
  double Reported = 0;    // device px/in from the size Qt reports (RandR monitor or EDID)
  double XServer = 0;     // device px/in from the X server's core screen size; 0: none
  double DeviceRatio = 1; // device pixels per logical pixel
  double Logical = kLogicalPixelsPerInch; // logical px/in: the desktop's setting
};

// Logical pixels per real inch. X servers that were told no size report one of 96 dpi for
// their monitors; then the core screen's size (`Xvfb -dpi`, Xorg's DisplaySize) is taken.
double TruePixelsPerInch(const TScreenReport &report);
// The same for a screen of this program; kLogicalPixelsPerInch for none.
double TruePixelsPerInch(const QScreen *screen);
