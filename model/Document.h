#pragma once
// The document: the current scene and its history. Every change of the program goes through
// its routines, each one step of the history, which tell the listeners what changed.

#include "base/Geometry.h"
#include "model/History.h"
#include "model/Scene.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// What the charge tab applies to a charge.
struct TChargeValues {
  long double X = 0;     // m
  long double Y = 0;     // m
  long double Value = 0; // in the unit chosen
  int Unit = -1;         // 0 elementary charge, 1 coulomb, -1 keeps the charge's unit
  uint32_t FieldLines = 0;
  bool TestCharge = false;
};

// Which of TChargeValues a change of several charges gives them: each field of the charge tab
// the user changed. Position goes to the selected charge alone, the others to every one: a
// typed charge as the same coulombs (Value in the unit the tab shows), a unit alone keeping
// each charge's number, as for one charge.
struct TChargeFields {
  bool Position = false;
  bool Value = false;
  bool Unit = false;
  bool FieldLines = false;
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

// The view and where it puts every charge: a zoom or a pan moves them all, and scaling them
// back would not always give the same pixels.
struct TViewState {
  TViewValues View;
  std::vector<TPixelPosition> Positions; // of every charge
  bool operator==(const TViewState &) const = default;
};

class TDocument : public QObject {
  Q_OBJECT

public:
  TDocument() = default;
  ~TDocument() override;
  TDocument(const TDocument &) = delete;
  TDocument &operator=(const TDocument &) = delete;

  // The scene as it stands; it changes only through the routines below.
  const TScene &Scene() const { return scene_; }
  const TChargeList &Charges() const { return scene_.Charges; }

  // True while the document holds changes that are not in its file: the history is not at
  // its saved point, or a drag has changed something it has not recorded yet.
  bool Modified() const { return !history_.IsClean() || gesture_.Changed; }
  // The one charge selection of the program: an index into the charges, -1 for none.
  int SelectedIndex() const { return scene_.Selected; }
  const TPointCharge *Selected() const { return scene_.Charges.At(scene_.Selected); }
  // Every selected charge, ascending: the selected one and those chosen with it.
  std::vector<int> SelectedIndices() const { return scene_.SelectedIndices(); }
  bool IsSelected(int index) const { return scene_.IsSelected(index); }

  // --- The change path. ---
  // A new source of one elementary charge with 16 field lines centred at (x, y) px; it
  // becomes the selection. Answers its index.
  int CreateCharge(int32_t x, int32_t y);
  // Puts the centre of the charge at index at (x, y) px.
  void MoveCharge(int index, int32_t x, int32_t y);
  // The same at a point between pixels (a grid point, say).
  void PlaceCharge(int index, long double x, long double y);
  // Stores the charge tab's values in the charge at index.
  void ApplyCharge(int index, const TChargeValues &values);
  // Gives the charge at index every value of charge, as one step ("Ladung ändern").
  void ReplaceCharge(int index, const TPointCharge &charge);
  // Appends the charges (a row, say) as one step ("Ladungsreihe einfügen"); the first of them
  // becomes the selection.
  void AddRow(const std::vector<TPointCharge> &charges);
  // Frees the charge at index; the selection becomes none.
  void DeleteCharge(int index);
  // Moves the view so that the centre of the charge at index is at the middle of a surface
  // of that size (px). Leaves an unmodified document unmodified: no position in metres
  // changes.
  void CenterOn(int index, TSize surface);
  // Moves the origin to (x, y) px, and every charge with it.
  void Pan(int32_t x, int32_t y);
  // Stores the view tab's values; a new zoom rescales the charges about the origin.
  void ApplyView(const TViewSettings &view);
  // Makes zoom (a factor, 1.0 at 100 %) the view's zoom so that the world point under pivot
  // (px) stays there, to half a pixel; one step ("Zoom ändern"). A zoom that ZoomFits
  // (model/Zoom.h) refuses, or whose origin could not be held, changes nothing: answers false.
  bool ZoomAbout(long double zoom, TPoint pivot);
  // "Alles zeigen": every charge inside a surface of that size (px), centred on them
  // (model/ShowAll.h); one step ("Zoom ändern"), none when the view is already so. Answers
  // false, changing nothing, when no zoom that fits is usable.
  bool ShowAll(TSize surface);
  // The drawing surface changed size (px): the view moves by half the change, so that the
  // picture's centre stays at the surface's centre. Not an edit: records nothing, Modified()
  // keeps its value, and the steps recorded before still take back and repeat their changes
  // on the view as it is now. Tells ViewChanged(false): whoever resized the surface draws the
  // background again when the resizing is over.
  void FollowSurface(TSize from, TSize to);
  // Stores what the picture shows of the potential; the background is drawn again.
  void ApplyPotential(const TPotentialOptions &options);
  // Stores what is drawn with the field lines, as one step ("Feldlinien ändern"); the
  // background is drawn again.
  void ApplyFieldLines(const TFieldLineOptions &options);
  // Stores the voltage window's choices; without modifies, the change does not count as
  // unsaved (the value shown).
  void ChooseVoltage(const TVoltageChoice &choice, bool modifies);
  // The one charge at index becomes the selection (-1: none).
  void Select(int index);
  // The charges at indices (others are ignored) become the selection; current is the one the
  // settings window shows, the last of them when it is not among them.
  void SelectMany(std::vector<int> indices, int current = -1);
  // Shift+click: the charge joins the selection as the one shown, or leaves it.
  void ToggleSelected(int index);
  void SelectAll();

  // --- Changes of every selected charge, each one step; nothing without a selection. ---
  // Moves them by (dx, dy) px. During a gesture the moves until its end are one step.
  void MoveSelection(long double dx, long double dy);
  void DeleteSelection();
  // Gives them the fields of values that fields names; the rest of each charge stays.
  void ApplyToSelection(const TChargeValues &values, const TChargeFields &fields);
  // "Vorzeichen umkehren": every selected charge gets the opposite sign.
  void FlipSelection();
  // Appends the charges (px of this view) as one step ("Einfügen", or "Duplizieren" for
  // duplicate); they become the selection.
  void AddCharges(const std::vector<TPointCharge> &charges, bool duplicate);
  // --- Particles (world metres and SI units), each change one step. ---
  // Appends the particle ("Teilchen einfügen"); it becomes the selected particle. Answers
  // its index.
  int AddParticle(const TParticle &particle);
  // Gives the particle at index these values ("Teilchen ändern").
  void ReplaceParticle(int index, const TParticle &particle);
  // Removes the particle at index ("Teilchen löschen"); the selected particle becomes none.
  void DeleteParticle(int index);
  // Stores the goal and the note ("Ziel ändern").
  void ApplyParticleSetup(const TParticleSetup &setup);
  // The particle the particle tab and the readouts show (-1: none); not a step.
  void SelectParticle(int index);

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

  TViewState CaptureView() const;

  // An empty document with the view of a new one on a surface of that size (px): origin at
  // its centre, 100 % zoom, default arrow scale, the potential not shown, the field-line
  // options off, no voltage choice.
  // Arrow colour, step length and cursor line are left alone. Afterwards the document is
  // unmodified.
  void New(TSize surface);
  // New, then fill puts the content in (a file's, say); the first particle, if any, is the
  // selected one. Listeners hear of it once, also when fill throws, which is passed on after
  // that; the document is unmodified.
  void Load(TSize surface, const std::function<void(TScene &)> &fill);

  // Every value back to its value at program start, with no charges and the origin at the
  // centre of a surface of that size (px); tells the listeners as a load does.
  void ResetAll(TSize surface);
  // Replaces the scene without a step of the history (a tool or test that sets a scene up);
  // tells the listeners as a load does.
  void Reset(const TScene &scene);

signals:
  // The charge at index moved or got new values.
  void ChargeChanged(int index);
  // A charge was inserted at index, or removed from it; the others after it moved up or down.
  void ChargeInserted(int index);
  void ChargeRemoved(int index);
  // A charge was created or deleted (after ChargeInserted or ChargeRemoved).
  void ChargesChanged();
  // Several charges were inserted at once (after their ChargeInserted): an undo that brings
  // them back, a paste. Whoever stacks the charges puts them in the list's order again.
  void ChargesInsertedTogether();
  // Several charges moved or got new values at once (a selection moved or changed).
  void SeveralChargesChanged();
  // Origin, zoom or a view setting changed; linesMoved when the field lines of the
  // background are no longer where they were.
  void ViewChanged(bool linesMoved);
  // The voltage window's choices changed.
  void VoltageChanged();
  // Particles were added, removed or changed, or their goal or note (also by undo and redo).
  void ParticlesChanged();
  // Another particle (or none) is the selected particle.
  void ParticleSelectionChanged();
  // The whole scene was replaced (new, load).
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
  THistoryStep ChargeStep(const QString &text, int index, const TPointCharge &before);
  // None when the view is where it was.
  std::optional<THistoryStep> ViewStep(const QString &text, const TViewState &before,
                                       bool quiet = false);
  // The same for several charges at once, indices ascending.
  THistoryStep ChargesStep(const QString &text, const std::vector<int> &indices,
                           std::vector<TPointCharge> before);
  std::vector<TPointCharge> ChargesAt(const std::vector<int> &indices) const;
  void ForgetHistory();
  // Zoom about the origin, then the origin moved to origin (px): one step.
  void ZoomTo(long double zoom, TPoint origin);
  // Moves the view and every charge by shift (px), recording nothing.
  void ShiftUnrecorded(TPoint shift);
  // The step run on the view as it was when it was recorded: the surface may have changed
  // size since, and the view followed it without a step.
  THistoryStep InRecordedFrame(THistoryStep step);

  // The history's own changes: they record nothing.
  void RestoreCharge(int index, const TPointCharge &state);
  // Without tell, only ChargeInserted or ChargeRemoved is emitted: the caller tells the rest
  // once for a batch.
  void InsertCharge(int index, const TPointCharge &state, bool tell = true);
  void RemoveCharge(int index, bool tell = true);
  // Batches of them, indices ascending; the charges become the selection (current the one
  // shown, else the last).
  void RestoreCharges(const std::vector<int> &indices, const std::vector<TPointCharge> &states,
                      int current);
  void InsertCharges(const std::vector<int> &indices, const std::vector<TPointCharge> &states);
  void RemoveCharges(const std::vector<int> &indices);
  void RestoreVoltage(const TVoltageChoice &choice);
  // Every particle, the goal and the note as captured, and the selected particle.
  struct TParticleState {
    std::vector<TParticle> Particles;
    TParticleSetup Setup;
    int Selected = -1;
  };
  TParticleState CaptureParticles() const;
  void RestoreParticles(const TParticleState &state);
  // Records the change from before to the particles as they are now.
  void RecordParticles(const char *text, TParticleState before);

  // A drag in progress: what it created, or which charge it moved and from where, or the
  // view before it panned.
  struct TGesture {
    bool Active = false;
    int Created = -1;
    int SelectedBefore = -1; // when it created a charge
    int Moved = -1;
    TPointCharge MovedFrom;
    std::optional<TViewState> PannedFrom;
    std::vector<int> SelectionMoved; // when it moved a selection, from where
    std::vector<TPointCharge> SelectionFrom;
    bool Changed = false; // something it will record
  };

  TScene scene_;
  bool toldModified_ = false;
  THistory history_;
  TGesture gesture_;
  // The sum of the view's moves by FollowSurface since the history began (px).
  TPoint surfaceShift_;
};
