#include "model/Document.h"

#include "model/ModelHooks.h"
#include "base/Seams.h"

TChargeList Charges;
TPoint Origin{0, 0};
long double PixelsPerMetre = 96 / 0.0254L;
long double ArrowScale = kDefaultArrowScale;
uint32_t ArrowColor = kDefaultArrowColor;
uint32_t StepLength = kDefaultStepLength;
bool ShowCursorLine = true;
bool Modified = false;
TPointCharge *DragCharge = nullptr;
TPoint PanAnchor{-1, -1};

TPointCharge *TChargeList::Add(std::unique_ptr<TPointCharge> charge) {
  items_.push_back(std::move(charge));
  return items_.back().get();
}

void TChargeList::Delete(int index) { items_.erase(items_.begin() + index); }

int TChargeList::IndexOf(const TPointCharge *charge) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == charge)
      return static_cast<int>(i);
  return -1;
}

void TChargeList::Clear() {
  // First to last, as the charges were freed one by one.
  for (auto &charge : items_)
    charge.reset();
  items_.clear();
}

long double DefaultPixelsPerMetre() { return seams::ScreenPixelsPerInch() / 0.0254L; }

long double ZoomFactor() { return PixelsPerMetre * 0.0254L / seams::ScreenPixelsPerInch(); }

void ResetView() {
  const TSize size = SurfaceSize();
  Origin = {size.Width / 2, size.Height / 2};
  ArrowScale = kDefaultArrowScale;
  PixelsPerMetre = DefaultPixelsPerMetre();
}

void ResetDocumentGlobals() {
  FreeCharges(false);
  ResetView();
  ArrowColor = kDefaultArrowColor;
  StepLength = kDefaultStepLength;
  ShowCursorLine = true;
  Modified = false;
  DragCharge = nullptr;
  PanAnchor = {-1, -1};
}

TWorldPoint ScreenToWorld(long double px, long double py) {
  return {(px - Origin.X) / PixelsPerMetre, (Origin.Y - py) / PixelsPerMetre};
}

void WorldToScreen(const TWorldPoint &world, long double &px, long double &py) {
  px = world.X * PixelsPerMetre + Origin.X;
  py = Origin.Y - world.Y * PixelsPerMetre;
}

TWorldPoint ChargeWorldPosition(const TPointCharge &charge) {
  return ScreenToWorld(charge.CenterX(), charge.CenterY());
}

void PlaceChargeAtWorld(TPointCharge &charge, const TWorldPoint &world) {
  long double px = 0;
  long double py = 0;
  WorldToScreen(world, px, py);
  charge.X = static_cast<double>(px - 10);
  charge.Y = static_cast<double>(py - 10);
}

void ShiftView(int32_t newOriginX, int32_t newOriginY) {
  for (const auto &charge : Charges) {
    charge->X = static_cast<double>((static_cast<long double>(newOriginX) + charge->X) - Origin.X);
    charge->Y = static_cast<double>((static_cast<long double>(newOriginY) + charge->Y) - Origin.Y);
  }
  Origin = {newOriginX, newOriginY};
}

void FreeCharges(bool freeList) {
  Charges.Clear();
  if (freeList)
    Charges.ReleaseStorage();
}
