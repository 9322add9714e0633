#pragma once
// A scene: everything a picture of the field depends on, as plain values that copy cheaply
// (the charges, the view that maps pixels to metres, what is drawn and how). Pictures, the
// readouts and files are functions of a scene; the document owns the current one.

#include "base/Geometry.h"
#include "model/FieldLineOptions.h"
#include "model/Particle.h"
#include "model/PointCharge.h"
#include "model/PotentialOptions.h"
#include "model/ViewMove.h"

#include <cstdint>
#include <vector>

// The ordered list of all charges. Index i is item i of the charge list window and the i-th
// record of a project file.
class TChargeList {
public:
  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  const TPointCharge &operator[](int index) const { return items_[static_cast<size_t>(index)]; }
  TPointCharge &operator[](int index) { return items_[static_cast<size_t>(index)]; }
  // The charge at index, or null when index is -1 or beyond the list.
  const TPointCharge *At(int index) const {
    return index >= 0 && index < Count() ? &items_[static_cast<size_t>(index)] : nullptr;
  }
  TPointCharge *At(int index) {
    return index >= 0 && index < Count() ? &items_[static_cast<size_t>(index)] : nullptr;
  }
  // Appends at the end and returns the charge there.
  TPointCharge &Add(const TPointCharge &charge) { return items_.emplace_back(charge); }
  // Puts the charge at index (0..Count()).
  void Insert(int index, const TPointCharge &charge) {
    items_.insert(items_.begin() + index, charge);
  }
  // Removes the charge at index; the others keep their order.
  void Delete(int index) { items_.erase(items_.begin() + index); }
  void Clear() { items_.clear(); }
  void Reserve(size_t count) { items_.reserve(count); }
  void ReleaseStorage() { items_.shrink_to_fit(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  bool operator==(const TChargeList &) const = default;

private:
  std::vector<TPointCharge> items_;
};

// A pair of metre coordinates, world y upwards.
struct TWorldPoint {
  long double X = 0; // m
  long double Y = 0; // m
  bool operator==(const TWorldPoint &) const = default;
};

inline constexpr long double kDefaultArrowScale = 1e-23L;
inline constexpr uint32_t kDefaultArrowColor = 0x0000A609;
inline constexpr uint32_t kDefaultStepLength = 3;

// The voltage window's choices, which a project keeps: the two charges (indices, -1 for
// none) and the value shown (-1 for none, 0 voltage, 1 work).
inline constexpr int kVoltageValueCount = 2;
struct TVoltageChoice {
  int Start = -1;
  int End = -1;
  int Value = -1;
  bool operator==(const TVoltageChoice &) const = default;
};

struct TScene {
  TChargeList Charges;
  TPoint Origin{0, 0};                         // px: screen pixel of the world origin
  long double PixelsPerMetre = 96 / 0.0254L;   // px/m: zoom x pixels per inch / 0.0254
  long double ArrowScale = kDefaultArrowScale; // N per metre of drawn force arrow
  uint32_t ArrowColor = kDefaultArrowColor;    // $00BBGGRR
  uint32_t StepLength = kDefaultStepLength;    // px per tracer step, 1..21
  bool ShowCursorLine = true;
  TPotentialOptions Potential;  // equipotential lines and potential map
  TFieldLineOptions FieldLines; // what is drawn with the field lines
  TVoltageChoice Voltage;
  // The selected charge (an index, -1 for none): its outline, and the equipotential through
  // it when it is a test charge.
  int Selected = -1;
  // The charges chosen together with it (a rectangle, Shift+click, Strg+A), in ascending
  // index order. A scene set up with Selected alone (a tool, a file) leaves it empty.
  std::vector<int> Selection;
  // Particles released in the field, their goal and note; none in the first files.
  std::vector<TParticle> Particles;
  TParticleSetup ParticleSetup;
  // The particle the particle tab and the readouts show (an index, -1 for none).
  int SelectedParticle = -1;
  bool operator==(const TScene &) const = default;
  const TParticle *Particle(int index) const {
    return index >= 0 && index < static_cast<int>(Particles.size())
               ? &Particles[static_cast<size_t>(index)]
               : nullptr;
  }
  bool IsSelected(int index) const;
  // Selected and Selection together, ascending.
  std::vector<int> SelectedIndices() const;

  // Zoom factor (1.0 at 100 %) of PixelsPerMetre on this screen.
  long double ZoomFactor() const;
  // The one place of the y-flip: screen pixel to world metres and back.
  TWorldPoint ScreenToWorld(long double px, long double py) const {
    return {(px - Origin.X) / PixelsPerMetre, (Origin.Y - py) / PixelsPerMetre};
  }
  void WorldToScreen(const TWorldPoint &world, long double &px, long double &py) const {
    px = world.X * PixelsPerMetre + Origin.X;
    py = Origin.Y - world.Y * PixelsPerMetre;
  }
  // World position (m) of a charge's centre.
  TWorldPoint ChargeWorldPosition(const TPointCharge &charge) const {
    return ScreenToWorld(charge.CenterX(), charge.CenterY());
  }
  // The view without the charges.
  TViewValues ViewValues() const {
    return {Origin, PixelsPerMetre, ArrowScale, ArrowColor, StepLength, ShowCursorLine};
  }
  void SetViewValues(const TViewValues &values);
  const TPointCharge *SelectedCharge() const { return Charges.At(Selected); }
  // The charge the voltage path starts or ends at, or null.
  const TPointCharge *VoltageStart() const { return Charges.At(Voltage.Start); }
  const TPointCharge *VoltageEnd() const { return Charges.At(Voltage.End); }

  // Moves every charge by the change of origin, then makes (x, y) the origin (px).
  void ShiftView(int32_t x, int32_t y);
  // Makes zoom (a factor, 1.0 at 100 %, > 0) the zoom of the view unless it differs from
  // the current one by kZoomTolerance or less; every charge centre is scaled about Origin.
  // Answers whether the view changed.
  bool SetZoomFactor(long double zoom);
};
