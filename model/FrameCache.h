#pragma once
// A composed frame kept in layers with everything it was composed from: the background with
// the frame's marks, and the finished frame. A frame in which nothing changed (a mouse move
// that only shows the cursor's field line, a repaint) is one copy of the picture; a frame in
// which a few charges changed (a drag, a charge added or removed, a new selection) is that
// copy with the boxes of the changed charges drawn again from the lower layer, instead of
// thousands of charge discs drawn again. Particles move in every frame of a flight: they are
// drawn over the frame each time and never kept.

#include "base/Geometry.h"
#include "display/Canvas.h"
#include "model/ChargeDrawing.h"
#include "model/FrameComposer.h"
#include "model/PointCharge.h"

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

struct TScene;
struct TTestChargeFigure;

class TFrameCache {
public:
  // Keeping a frame costs copies of it, about what drawing a few hundred discs costs: frames
  // with fewer discs are composed every time.
  static constexpr size_t kFewestKeptDiscs = 256;
  explicit TFrameCache(size_t fewestKeptDiscs = kFewestKeptDiscs)
      : fewestKeptDiscs_(fewestKeptDiscs) {}

  enum class TOutcome {
    Composed, // drawn afresh
    Copied,   // the kept frame, nothing having changed
    Patched,  // the kept frame with the boxes of the changed charges drawn again
  };

  // Draws the same pixels as ComposeFrame and leaves the canvas's pen and brush as it does
  // (the particles leave them as they find them).
  // Frames are kept only when the background covers the canvas and every test charge is
  // drawn from the figures (a test charge traced in the frame depends on every source).
  void Compose(TCanvas &canvas, const TFrameInputs &frame);
  // Makes the next Compose draw afresh.
  void Forget() { layout_.reset(); }
  TOutcome LastOutcome() const { return last_; }
  bool LastWasCopy() const { return last_ == TOutcome::Copied; }

private:
  // What the lower layer, the background with the marks, is drawn from.
  struct TLayout {
    const QImage *Device = nullptr;
    QSize DeviceSize;
    const void *Background = nullptr;
    qint64 BackgroundKey = 0;
    TPoint Origin{};
    bool Path = false;
    double PathFrom[2]{};
    double PathTo[2]{};
    TRect Visible{};
    TPenMode PenMode = TPenMode::pmCopy; // the charges never set it
    bool FiguresActive = false;
    // What a test charge's arrow is drawn with.
    long double PixelsPerMetre = 0;
    long double ArrowScale = 0;
    uint32_t ArrowColor = 0;
    friend bool operator==(const TLayout &, const TLayout &) = default;
  };
  // One drawn charge: everything its drawing depends on, and the box it draws in.
  struct TItem {
    TPointCharge Charge;
    bool Selected = false;
    // A test charge's figure, when it has one; shared, so that while the item is kept no
    // other figure can take its address.
    std::shared_ptr<const TTestChargeFigure> Figure;
    int Index = 0;                             // in the scene; not part of what is drawn
    std::optional<TChargeFootprint> Footprint; // every kept item has one
    bool SameDrawing(const TItem &o) const {
      return Charge == o.Charge && Selected == o.Selected && Figure == o.Figure;
    }
  };
  struct TNow {
    TLayout Layout;
    std::vector<TItem> Items; // in draw order
  };
  // Null when this frame cannot be kept.
  std::optional<TNow> Describe(const TCanvas &canvas, const TFrameInputs &frame) const;
  struct TChange {
    bool Any = false;
    TRect Box{}; // px, on the canvas; empty when the changes lie off it
  };
  // What changed between the kept items and now's, or null when too much did; now's items
  // get their footprints.
  std::optional<TChange> ChangedBox(TNow &now, const TFrameInputs &frame);
  void ComposeAfresh(TCanvas &canvas, const TFrameInputs &frame, std::optional<TNow> now);
  void Patch(TCanvas &canvas, const TFrameInputs &frame, const TRect &box);

  size_t fewestKeptDiscs_;
  std::optional<TLayout> layout_; // null: nothing kept
  std::vector<TItem> items_;
  QImage under_; // background and marks
  QImage frame_;
  QImage scratch_; // only the changed box of it is ever read
  TPen pen_;       // as the composition left the canvas
  TBrush brush_;
  TOutcome last_ = TOutcome::Composed;
};
