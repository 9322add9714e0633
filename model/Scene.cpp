#include "model/Scene.h"

#include "base/Seams.h"
#include "model/ViewLimits.h"
#include "model/Zoom.h"

#include <algorithm>
#include <cmath>

long double TScene::ZoomFactor() const {
  return PixelsPerMetre * 0.0254L / seams::ScreenPixelsPerInch();
}

void TScene::SetViewValues(const TViewValues &values) {
  Origin = values.Origin;
  PixelsPerMetre = values.PixelsPerMetre;
  ArrowScale = values.ArrowScale;
  ArrowColor = values.ArrowColor;
  StepLength = values.StepLength;
  ShowCursorLine = values.ShowCursorLine;
}

void TScene::ShiftView(int32_t x, int32_t y) {
  for (TPointCharge &charge : Charges) {
    charge.X = static_cast<double>((static_cast<long double>(x) + charge.X) - Origin.X);
    charge.Y = static_cast<double>((static_cast<long double>(y) + charge.Y) - Origin.Y);
  }
  Origin = {x, y};
}

bool TScene::SetZoomFactor(long double zoom) {
  const long double current = ZoomFactor();
  if (std::fabs(zoom - current) <= kZoomTolerance)
    return false;
  PixelsPerMetre = DefaultPixelsPerMetre() * zoom;
  const long double f = zoom / current;
  for (TPointCharge &charge : Charges) {
    charge.X = ScaledAbout(charge.X, Origin.X, f);
    charge.Y = ScaledAbout(charge.Y, Origin.Y, f);
  }
  return true;
}

bool TScene::IsSelected(int index) const {
  return index == Selected || std::binary_search(Selection.begin(), Selection.end(), index);
}

std::vector<int> TScene::SelectedIndices() const {
  std::vector<int> indices = Selection;
  if (Charges.At(Selected) != nullptr &&
      !std::binary_search(indices.begin(), indices.end(), Selected))
    indices.insert(std::lower_bound(indices.begin(), indices.end(), Selected), Selected);
  return indices;
}
