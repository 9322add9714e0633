#pragma once
// The document and the view state: the charges and the globals that map pixels to metres
// and control how field lines and force arrows are drawn.

#include "base/Geometry.h"
#include "model/PointCharge.h"

#include <cstdint>
#include <memory>
#include <vector>

// The ordered list of all charges; it owns them. Index i is item i of the charge list
// window and the i-th record of a project file.
class TChargeList {
public:
  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  TPointCharge *operator[](int index) const { return items_[static_cast<size_t>(index)].get(); }
  // The charge at index, or null when index is -1 or beyond the list.
  TPointCharge *At(int index) const {
    return index >= 0 && index < Count() ? (*this)[index] : nullptr;
  }
  // Appends at the end and returns the charge.
  TPointCharge *Add(std::unique_ptr<TPointCharge> charge);
  // Frees the charge at index; the others keep their order.
  void Delete(int index);
  // Index of the charge, -1 when it is not in the list.
  int IndexOf(const TPointCharge *charge) const;
  // Frees every charge, first to last.
  void Clear();
  void ReleaseStorage() { items_.shrink_to_fit(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

private:
  std::vector<std::unique_ptr<TPointCharge>> items_;
};

// A pair of metre coordinates, world y upwards.
struct TWorldPoint {
  long double X = 0; // m
  long double Y = 0; // m
};

extern TChargeList Charges;
extern TPoint Origin;              // px: screen pixel of the world origin
extern long double PixelsPerMetre; // px/m: zoom x pixels per inch / 0.0254
extern long double ArrowScale;     // N per metre of drawn force arrow
extern uint32_t ArrowColor;        // $00BBGGRR
extern uint32_t StepLength;        // px per tracer step, 1..21
extern bool ShowCursorLine;
extern bool Modified;
extern TPointCharge *DragCharge; // charge grabbed with the mouse, or null
extern TPoint PanAnchor;         // px; X = -1 when no pan is in progress

inline constexpr long double kDefaultArrowScale = 1e-23L;
inline constexpr uint32_t kDefaultArrowColor = 0x0000A609;
inline constexpr uint32_t kDefaultStepLength = 3;

// Pixels per metre at 100 % zoom on this screen.
long double DefaultPixelsPerMetre();
// Zoom factor (1.0 at 100 %) of the current PixelsPerMetre on this screen.
long double ZoomFactor();

// The view of a new document: Origin at the surface's centre, 100 % zoom, default arrow
// scale. Arrow colour, step length and cursor line are left alone.
void ResetView();
// Every global back to its value at program start, with no charges (for tests and tools).
void ResetDocumentGlobals();

// The one place of the y-flip: screen pixel to world metres and back.
TWorldPoint ScreenToWorld(long double px, long double py);
// World metres to screen pixel.
void WorldToScreen(const TWorldPoint &world, long double &px, long double &py);
// World position (m) of a charge's centre.
TWorldPoint ChargeWorldPosition(const TPointCharge &charge);
// Places a charge so that its centre lies at the world position (m).
void PlaceChargeAtWorld(TPointCharge &charge, const TWorldPoint &world);

// Moves every charge by the change of origin, then makes (newOriginX, newOriginY) the
// origin (px). Redraws nothing.
void ShiftView(int32_t newOriginX, int32_t newOriginY);
// Frees every charge; with freeList the list's storage is released as well.
void FreeCharges(bool freeList);
