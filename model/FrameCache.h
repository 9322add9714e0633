#pragma once
// A composed frame kept with everything it was composed from, so that a frame in which nothing
// changed (a mouse move that only shows the cursor's field line, a repaint, a selection made
// twice) is one copy of the picture instead of thousands of charge discs drawn again.

#include "display/Canvas.h"
#include "model/FrameComposer.h"

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct TScene;

class TFrameCache {
public:
  // Keeping a frame costs a copy of it, about what drawing a few hundred discs costs: frames
  // with fewer discs are composed every time.
  static constexpr size_t kFewestKeptDiscs = 256;
  explicit TFrameCache(size_t fewestKeptDiscs = kFewestKeptDiscs)
      : fewestKeptDiscs_(fewestKeptDiscs) {}

  // Draws the same pixels as ComposeFrame and leaves canvas in the same state: from the kept
  // frame when the background, the marks and every drawn charge are as they were then,
  // otherwise by composing (and keeping the result). Frames with a test charge are always
  // composed: its field line and arrow depend on every source.
  void Compose(TCanvas &canvas, const TFrameInputs &frame);
  // Makes the next Compose draw afresh.
  void Forget() { kept_.reset(); }
  // Whether the last Compose was a copy of the kept frame.
  bool LastWasCopy() const { return lastWasCopy_; }

private:
  // How one source disc is drawn: its place and what decides its colours.
  struct TDisc {
    const void *Sprite = nullptr;
    double X = 0; // px
    double Y = 0; // px
    int Sign = 0;
    bool Selected = false;
    friend bool operator==(const TDisc &, const TDisc &) = default;
  };
  // Everything a frame of sources only is drawn from.
  struct TSources {
    const QImage *Device = nullptr;
    QSize DeviceSize;
    const void *Background = nullptr;
    qint64 BackgroundKey = 0;
    TPoint Origin{};
    bool Path = false;
    double PathFrom[2]{};
    double PathTo[2]{};
    TRect Visible{};
    std::vector<TDisc> Discs;
    friend bool operator==(const TSources &, const TSources &) = default;
  };
  // Null when a drawn sprite is not a plain source.
  static std::optional<TSources> SourcesOf(const TCanvas &canvas, const TFrameInputs &frame);

  size_t fewestKeptDiscs_;
  std::optional<TSources> kept_;
  QImage frame_;
  TCanvas after_; // the canvas as the composition left it: pen, brush, current point
  bool lastWasCopy_ = false;
};
