#include "model/ShowAll.h"

#include "base/PixelMath.h"
#include "model/Scene.h"
#include "model/ViewLimits.h"
#include "model/Zoom.h"

#include <algorithm>

namespace {

// The box around the charges' centres (m).
struct TWorldBox {
  TWorldPoint Low;
  TWorldPoint High;
  long double Width() const { return High.X - Low.X; }
  long double Height() const { return High.Y - Low.Y; }
};

TWorldBox BoxOf(const TScene &scene) {
  TWorldBox box{scene.ChargeWorldPosition(scene.Charges[0]),
                scene.ChargeWorldPosition(scene.Charges[0])};
  for (const TPointCharge &charge : scene.Charges) {
    const TWorldPoint p = scene.ChargeWorldPosition(charge);
    box.Low = {std::min(box.Low.X, p.X), std::min(box.Low.Y, p.Y)};
    box.High = {std::max(box.High.X, p.X), std::max(box.High.Y, p.Y)};
  }
  return box;
}

} // namespace

std::optional<TViewFit> ViewShowingAll(const TScene &scene, TSize surface) {
  if (scene.Charges.Empty())
    return TViewFit{1, {surface.Width / 2, surface.Height / 2}};
  const TWorldBox box = BoxOf(scene);
  const long double roomX = std::max(surface.Width - 2 * kShowAllMargin, 1);
  const long double roomY = std::max(surface.Height - 2 * kShowAllMargin, 1);
  const TWorldPoint middle{(box.Low.X + box.High.X) / 2, (box.Low.Y + box.High.Y) / 2};

  const auto fit = [&](long double zoom) -> std::optional<TViewFit> {
    const long double pixelsPerMetre = PixelsPerMetreAt(scene, zoom);
    if (box.Width() * pixelsPerMetre > roomX || box.Height() * pixelsPerMetre > roomY)
      return std::nullopt;
    const long double x = surface.Width / 2.0L - middle.X * pixelsPerMetre;
    const long double y = surface.Height / 2.0L + middle.Y * pixelsPerMetre;
    if (!OriginUsable(x, y) || !ZoomFits(scene, zoom))
      return std::nullopt;
    return TViewFit{zoom, {pixel::Round(x), pixel::Round(y)}};
  };

  for (auto it = kZoomStepPercents.rbegin(); it != kZoomStepPercents.rend(); ++it)
    if (const auto found = fit(ZoomStepFactor(*it)))
      return found;
  // Wider than the smallest step shows: the zoom at which the wider side just fits, a trifle
  // less so that rounding cannot push it over.
  long double pixelsPerMetre = box.Width() > 0 ? roomX / box.Width() : roomY / box.Height();
  if (box.Height() > 0)
    pixelsPerMetre = std::min(pixelsPerMetre, roomY / box.Height());
  const long double exact = pixelsPerMetre / DefaultPixelsPerMetre() * (1 - 1e-9L);
  return fit(exact);
}
