#include "base/ScreenDensity.h"

#include <QGuiApplication>
#include <QScreen>
#if QT_CONFIG(xcb) && defined(KRAFTBILD_HAVE_XCB)
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

#include <cmath>

namespace {

constexpr double kMmPerInch = 25.4;
// Sizes are whole millimetres: 96 dpi comes back as 95.9 on a 1280-pixel screen.
constexpr double kStandInTolerance = 0.01;

// Device pixels per inch of the X server's first screen, as `xdpyinfo` shows them; 0 off X11
// and where the desktop has several monitors (the core screen spans them all).
double XServerPixelsPerInch() {
#if QT_CONFIG(xcb) && defined(KRAFTBILD_HAVE_XCB)
  // Other platforms (offscreen) may answer for X11 too, without a connection.
  const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (QGuiApplication::platformName() != u"xcb" || x11 == nullptr || x11->connection() == nullptr ||
      QGuiApplication::screens().size() != 1)
    return 0;
  const xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(x11->connection()));
  if (roots.rem < 1 || roots.data->width_in_millimeters == 0)
    return 0;
  return roots.data->width_in_pixels * kMmPerInch / roots.data->width_in_millimeters;
#else
  return 0;
#endif
}

} // namespace

double TruePixelsPerInch(const TScreenReport &report) {
  double density = report.Reported;
  const bool standIn =
      std::fabs(density - kLogicalPixelsPerInch) <= kLogicalPixelsPerInch * kStandInTolerance;
  if (standIn && report.XServer > 0)
    density = report.XServer;
  if (std::isfinite(density) && density >= kPlausibleMinPpi && density <= kPlausibleMaxPpi &&
      report.DeviceRatio > 0)
    return density / report.DeviceRatio;
  return std::isfinite(report.Logical) && report.Logical > 0 ? report.Logical
                                                             : kLogicalPixelsPerInch;
}

double TruePixelsPerInch(const QScreen *screen) {
  if (screen == nullptr)
    return kLogicalPixelsPerInch;
  // Qt gives densities in logical pixels; plausibility is a matter of the device's.
  const double ratio = screen->devicePixelRatio();
  return TruePixelsPerInch({screen->physicalDotsPerInch() * ratio, XServerPixelsPerInch(), ratio,
                            screen->logicalDotsPerInch()});
}
