#pragma once
// The document: the charges and the view state that maps pixels to metres and controls how
// field lines and force arrows are drawn. Every change of the program goes through its
// routines, which mark it modified and tell the listeners what changed.

#include "base/Geometry.h"
#include "model/History.h"
#include "model/PointCharge.h"
#include "model/PotentialOptions.h"
#include "model/ViewLimits.h"
#include "model/ViewMove.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
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
  // Puts the charge at index (0..Count()) and returns it.
  TPointCharge *Insert(int index, std::unique_ptr<TPointCharge> charge);
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

inline constexpr long double kDefaultArrowScale = 1e-23L;
inline constexpr uint32_t kDefaultArrowColor = 0x0000A609;
inline constexpr uint32_t kDefaultStepLength = 3;

// What the charge tab applies to a charge.
struct TChargeValues {
  long double X = 0;     // m
  long double Y = 0;     // m
  long double Value = 0; // in the unit chosen
  int Unit = -1;         // 0 elementary charge, 1 coulomb, -1 keeps the charge's unit
  uint32_t FieldLines = 0;
  bool TestCharge = false;
};

// What the view tab applies to the view.
struct TViewSettings {
  long double ArrowScale = 0; // N per metre of arrow, > 0
  long double Zoom = 0;       // factor, 1.0 at 100 %, > 0
  uint32_t ArrowColor = 0;    // $00BBGGRR
  uint32_t StepLength = 0;    // px
  bool ShowCursorLine = false;
};

// Everything a charge holds, so that a change of it can be taken back exactly.
struct TChargeState {
  double X = 0; // px, as TPointCharge
  double Y = 0; // px
  long double Value = 0;
  uint32_t FieldLines = 0;
  bool TestCharge = false;
  uint8_t Unit = 0;
  bool operator==(const TChargeState &) const = default;
};
TChargeState StateOf(const TPointCharge &charge);
// Gives the charge that state; tells nobody.
void ApplyState(TPointCharge &charge, const TChargeState &state);

// The view and where it puts every charge: a zoom or a pan moves them all, and scaling them
// back would not always give the same pixels.
struct TViewState {
  TViewValues View;
  std::vector<TPixelPosition> Positions; // of every charge
  bool operator==(const TViewState &) const = default;
};

// Whoever besides the document holds choices that a project keeps (the voltage window):
// charges as their indices, -1 for none. A taken-back delete gives them their charge again.
class TChoiceHolder {
public:
  virtual ~TChoiceHolder() = default;
  virtual std::vector<int> HeldChoices() const = 0;
  virtual void RestoreChoices(const std::vector<int> &choices) = 0;
};

class TDocument : public QObject {
  Q_OBJECT

public:
  TDocument() = default;
  ~TDocument() override;

  // The state under its names. Read freely; the program changes it through the routines
  // below.
  TChargeList Charges;
  TPoint Origin{0, 0};                         // px: screen pixel of the world origin
  long double PixelsPerMetre = 96 / 0.0254L;   // px/m: zoom x pixels per inch / 0.0254
  long double ArrowScale = kDefaultArrowScale; // N per metre of drawn force arrow
  uint32_t ArrowColor = kDefaultArrowColor;    // $00BBGGRR
  uint32_t StepLength = kDefaultStepLength;    // px per tracer step, 1..21
  bool ShowCursorLine = true;
  TPotentialOptions Potential; // equipotential lines and potential map

  // True while the document holds changes that are not in its file: the history is not at
  // its saved point, or a drag has changed something it has not recorded yet.
  bool Modified() const { return !history_.IsClean() || gesture_.Changed; }
  // The one charge selection of the program: an index into Charges, -1 for none.
  int SelectedIndex() const { return selected_; }
  TPointCharge *Selected() const { return Charges.At(selected_); }

  // Zoom factor (1.0 at 100 %) of PixelsPerMetre on this screen.
  long double ZoomFactor() const;
  // The one place of the y-flip: screen pixel to world metres and back.
  TWorldPoint ScreenToWorld(long double px, long double py) const;
  void WorldToScreen(const TWorldPoint &world, long double &px, long double &py) const;
  // World position (m) of a charge's centre.
  TWorldPoint ChargeWorldPosition(const TPointCharge &charge) const;

  // --- The change path. ---
  // A new source of one elementary charge with 16 field lines centred at (x, y) px; it
  // becomes the selection.
  TPointCharge *CreateCharge(int32_t x, int32_t y);
  // Puts the charge's centre at (x, y) px.
  void MoveCharge(TPointCharge &charge, int32_t x, int32_t y);
  // The same at a point between pixels (a grid point, say).
  void PlaceCharge(TPointCharge &charge, long double x, long double y);
  // Stores the charge tab's values in the charge.
  void ApplyCharge(TPointCharge &charge, const TChargeValues &values);
  // Frees the charge at index; the selection becomes none.
  void DeleteCharge(int index);
  // Moves the view so that the charge's centre is at the middle of a surface of that size
  // (px). Leaves an unmodified document unmodified: no position in metres changes.
  void CenterOn(const TPointCharge &charge, TSize surface);
  // Moves the origin to (x, y) px, and every charge with it.
  void Pan(int32_t x, int32_t y);
  // Stores the view tab's values; a new zoom rescales the charges about the origin.
  void ApplyView(const TViewSettings &view);
  // Stores what the picture shows of the potential; the background is drawn again.
  void ApplyPotential(const TPotentialOptions &options);
  void Select(int index);
  // The document is saved as it is.
  void MarkSaved();
  // No state of the history is in a file any more (a file that failed to open, work brought
  // back after a crash): the document counts as modified until it is saved.
  void ForgetSavedPoint();

  // --- The history: every routine above is one step of it. ---
  const THistory &History() const { return history_; }
  // The most the history's steps may hold (B); the oldest go first.
  void SetHistoryByteLimit(size_t bytes) { history_.SetByteLimit(bytes); }
  // Take back or repeat a step; windows and picture follow as after the change itself. The
  // document is unmodified exactly when it is back at its saved state.
  void Undo();
  void Redo();
  // The creates, moves and pans until EndGesture are one step (a mouse drag).
  void BeginGesture();
  void EndGesture();
  // The holder of the choices a delete takes and its undo gives back; null for none.
  void SetChoiceHolder(TChoiceHolder *holder) { choiceHolder_ = holder; }
  // The holder's choices changed from before to what it holds now; without modifies, the
  // change does not count as unsaved (THistoryStep::Quiet).
  void ChoicesChanged(const std::vector<int> &before, bool modifies);

  // The history's own changes: they record nothing.
  void RestoreCharge(int index, const TChargeState &state);
  void InsertCharge(int index, const TChargeState &state);
  void RemoveCharge(int index);
  void RestoreChoices(const std::vector<int> &choices);
  TViewState CaptureView() const;
  // The view without the charges; setting it moves no charge and tells nobody.
  TViewValues ViewValues() const;
  void SetViewValues(const TViewValues &values);

  // An empty document with the view of a new one on a surface of that size (px): origin at
  // its centre, 100 % zoom, default arrow scale, the potential not shown. Arrow colour, step length
  // and cursor line are left alone. Afterwards the document is unmodified.
  void New(TSize surface);
  // New, then fill puts the content in (a file's, say). Listeners hear of it once, also
  // when fill throws, which is passed on after that; the document is unmodified.
  void Load(TSize surface, const std::function<void(TDocument &)> &fill);

  // Moves every charge by the change of origin, then makes (x, y) the origin (px). Tells
  // nobody.
  void ShiftView(int32_t x, int32_t y);
  // Makes zoom (a factor, 1.0 at 100 %, > 0) the zoom of the view unless it differs from
  // the current one by kZoomTolerance or less; every charge centre is scaled about Origin.
  // Tells nobody; answers whether the view changed.
  bool SetZoomFactor(long double zoom);
  // Every value back to its value at program start, with no charges and the origin at the
  // centre of a surface of that size (px). Tells nobody.
  void ResetAll(TSize surface);

signals:
  // A charge moved or got new values.
  void ChargeChanged(TPointCharge *charge);
  // A charge is about to be freed: nobody may keep it.
  void ChargeRemoving(const TPointCharge *charge);
  // A charge was created or deleted.
  void ChargesChanged();
  // Origin, zoom or a view setting changed; linesMoved when the field lines of the
  // background are no longer where they were.
  void ViewChanged(bool linesMoved);
  // The whole document was replaced (new, load).
  void Replaced();
  void SelectionChanged();
  // An undo or redo is complete: what shows document values shows them again.
  void Restored();
  // Modified() has a new value.
  void ModifiedChanged(bool modified);
  // The content changed: a change, an undo or a redo (not new or load, which emit Replaced).
  void Edited();

private:
  void ClearForNew(TSize surface);
  // Emits ModifiedChanged when Modified() differs from what was last told.
  void NotifyModified();
  void Record(std::optional<THistoryStep> step);
  // Steps that put back what they captured and repeat what is there now.
  THistoryStep CreateStep(int index, int selectedBefore);
  THistoryStep ChargeStep(const QString &text, int index, const TChargeState &before);
  // None when the view is where it was.
  std::optional<THistoryStep> ViewStep(const QString &text, const TViewState &before,
                                       bool quiet = false);
  void ForgetHistory();

  // A drag in progress: what it created, or which charge it moved and from where, or the
  // view before it panned.
  struct TGesture {
    bool Active = false;
    int Created = -1;
    int SelectedBefore = -1; // when it created a charge
    int Moved = -1;
    TChargeState MovedFrom;
    std::optional<TViewState> PannedFrom;
    bool Changed = false; // something it will record
  };

  bool toldModified_ = false;
  int selected_ = -1;
  THistory history_;
  TGesture gesture_;
  TChoiceHolder *choiceHolder_ = nullptr;
};

// The program's one document.
TDocument &TheDocument();

// Thin accessors of the program's document, for tests and tools that set it up directly.
extern TChargeList &Charges;
extern TPoint &Origin;
extern long double &PixelsPerMetre;
extern long double &ArrowScale;
extern uint32_t &ArrowColor;
extern uint32_t &StepLength;
extern bool &ShowCursorLine;

// The same routines on the program's document.
inline long double ZoomFactor() { return TheDocument().ZoomFactor(); }
inline TWorldPoint ScreenToWorld(long double px, long double py) {
  return TheDocument().ScreenToWorld(px, py);
}
inline void WorldToScreen(const TWorldPoint &world, long double &px, long double &py) {
  TheDocument().WorldToScreen(world, px, py);
}
inline TWorldPoint ChargeWorldPosition(const TPointCharge &charge) {
  return TheDocument().ChargeWorldPosition(charge);
}
inline void ShiftView(int32_t x, int32_t y) { TheDocument().ShiftView(x, y); }
// Every value of the program's document back to its value at program start.
void ResetDocumentGlobals();
// Frees every charge; with freeList the list's storage is released as well.
void FreeCharges(bool freeList);
