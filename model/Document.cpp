#include "model/Document.h"

#include "base/PixelMath.h"
#include "base/Seams.h"
#include "model/ModelHooks.h"
#include "model/Zoom.h"

#include <cmath>

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

TDocument::~TDocument() = default;

long double TDocument::ZoomFactor() const {
  return PixelsPerMetre * 0.0254L / seams::ScreenPixelsPerInch();
}

TWorldPoint TDocument::ScreenToWorld(long double px, long double py) const {
  return {(px - Origin.X) / PixelsPerMetre, (Origin.Y - py) / PixelsPerMetre};
}

void TDocument::WorldToScreen(const TWorldPoint &world, long double &px, long double &py) const {
  px = world.X * PixelsPerMetre + Origin.X;
  py = Origin.Y - world.Y * PixelsPerMetre;
}

TWorldPoint TDocument::ChargeWorldPosition(const TPointCharge &charge) const {
  return ScreenToWorld(charge.CenterX(), charge.CenterY());
}

TPointCharge *TDocument::CreateCharge(int32_t x, int32_t y) {
  auto created = std::make_unique<TPointCharge>();
  created->X = x - kChargeHalfSize;
  created->Y = y - kChargeHalfSize;
  created->ChargeValue = kElementaryCharge;
  created->ChargeUnit = 0;
  created->FieldLineCount = 16;
  TPointCharge *charge = Charges.Add(std::move(created));
  modified_ = true;
  emit ChargesChanged();
  Select(Charges.Count() - 1);
  return charge;
}

void TDocument::MoveCharge(TPointCharge &charge, int32_t x, int32_t y) {
  charge.X = x - kChargeHalfSize;
  charge.Y = y - kChargeHalfSize;
  modified_ = true;
  emit ChargeChanged(&charge);
}

void TDocument::ApplyCharge(TPointCharge &charge, const TChargeValues &values) {
  long double px = 0;
  long double py = 0;
  WorldToScreen({values.X, values.Y}, px, py);
  charge.X = static_cast<double>(px - kChargeHalfSize);
  charge.Y = static_cast<double>(py - kChargeHalfSize);
  if (values.Unit >= 0)
    charge.ChargeUnit = static_cast<uint8_t>(values.Unit);
  charge.ChargeValue = values.Value * UnitFactorOf(charge.ChargeUnit);
  charge.FieldLineCount = values.FieldLines;
  charge.IsTestCharge = values.TestCharge;
  modified_ = true;
  emit ChargeChanged(&charge);
}

void TDocument::DeleteCharge(int index) {
  const TPointCharge *charge = Charges.At(index);
  if (charge == nullptr)
    return;
  emit ChargeRemoving(charge);
  Charges.Delete(index);
  selected_ = -1;
  modified_ = true;
  emit SelectionChanged();
  emit ChargesChanged();
}

void TDocument::CenterOn(const TPointCharge &charge, TSize surface) {
  const int halfWidth = surface.Width / 2;
  const int halfHeight = surface.Height / 2;
  ShiftView(pixel::Round(halfWidth + Origin.X - charge.X - kChargeHalfSize),
            pixel::Round(halfHeight + Origin.Y - charge.Y - kChargeHalfSize));
  emit ViewChanged(true);
}

void TDocument::Pan(int32_t x, int32_t y) {
  ShiftView(x, y);
  modified_ = true;
  emit ViewChanged(true);
}

void TDocument::ApplyView(const TViewSettings &view) {
  ArrowScale = view.ArrowScale;
  ArrowColor = view.ArrowColor;
  ShowCursorLine = view.ShowCursorLine;
  StepLength = view.StepLength;
  // Only a new zoom moves field lines; the others reach the background at its next redraw.
  const bool zoomed = SetZoomFactor(view.Zoom);
  modified_ = true;
  emit ViewChanged(zoomed);
}

void TDocument::ApplyPotential(const TPotentialOptions &options) {
  Potential = options;
  modified_ = true;
  emit ViewChanged(true);
}

void TDocument::Select(int index) {
  selected_ = Charges.At(index) != nullptr ? index : -1;
  emit SelectionChanged();
}

void TDocument::SetModified() { modified_ = true; }

void TDocument::MarkSaved() { modified_ = false; }

void TDocument::ClearForNew(TSize surface) {
  selected_ = -1;
  for (const auto &charge : Charges)
    emit ChargeRemoving(charge.get());
  Charges.Clear();
  Origin = {surface.Width / 2, surface.Height / 2};
  ArrowScale = kDefaultArrowScale;
  PixelsPerMetre = DefaultPixelsPerMetre();
  Potential = {};
}

void TDocument::New(TSize surface) {
  ClearForNew(surface);
  modified_ = false;
  emit SelectionChanged();
  emit Replaced();
}

void TDocument::Load(TSize surface, const std::function<void(TDocument &)> &fill) {
  ClearForNew(surface);
  std::exception_ptr failure;
  try {
    fill(*this);
  } catch (...) {
    failure = std::current_exception();
  }
  modified_ = false;
  emit SelectionChanged();
  emit Replaced();
  if (failure)
    std::rethrow_exception(failure);
}

void TDocument::ShiftView(int32_t x, int32_t y) {
  for (const auto &charge : Charges) {
    charge->X = static_cast<double>((static_cast<long double>(x) + charge->X) - Origin.X);
    charge->Y = static_cast<double>((static_cast<long double>(y) + charge->Y) - Origin.Y);
  }
  Origin = {x, y};
}

bool TDocument::SetZoomFactor(long double zoom) {
  const long double current = ZoomFactor();
  if (std::fabs(zoom - current) <= kZoomTolerance)
    return false;
  PixelsPerMetre = DefaultPixelsPerMetre() * zoom;
  const long double f = zoom / current;
  for (const auto &charge : Charges) {
    charge->X = ScaledAbout(charge->X, Origin.X, f);
    charge->Y = ScaledAbout(charge->Y, Origin.Y, f);
  }
  return true;
}

void TDocument::ResetAll(TSize surface) {
  Charges.Clear();
  Origin = {surface.Width / 2, surface.Height / 2};
  PixelsPerMetre = DefaultPixelsPerMetre();
  ArrowScale = kDefaultArrowScale;
  ArrowColor = kDefaultArrowColor;
  StepLength = kDefaultStepLength;
  ShowCursorLine = true;
  Potential = {};
  modified_ = false;
  selected_ = -1;
}

TDocument &TheDocument() {
  static TDocument document;
  return document;
}

TChargeList &Charges = TheDocument().Charges;
TPoint &Origin = TheDocument().Origin;
long double &PixelsPerMetre = TheDocument().PixelsPerMetre;
long double &ArrowScale = TheDocument().ArrowScale;
uint32_t &ArrowColor = TheDocument().ArrowColor;
uint32_t &StepLength = TheDocument().StepLength;
bool &ShowCursorLine = TheDocument().ShowCursorLine;

void ResetDocumentGlobals() { TheDocument().ResetAll(SurfaceSize()); }

void FreeCharges(bool freeList) {
  TheDocument().Charges.Clear();
  if (freeList)
    TheDocument().Charges.ReleaseStorage();
}
