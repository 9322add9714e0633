#include "model/FrameCache.h"

#include "display/Sprite.h"
#include "model/FrameComposer.h"
#include "model/PointCharge.h"
#include "model/Scene.h"

std::optional<TFrameCache::TSources> TFrameCache::SourcesOf(const TCanvas &canvas,
                                                            const TFrameInputs &frame) {
  const TScene &scene = *frame.Scene;
  TSources sources;
  sources.Device = canvas.Device();
  if (sources.Device != nullptr)
    sources.DeviceSize = sources.Device->size();
  if (frame.Background != nullptr) {
    sources.Background = frame.Background;
    // Changes with every write to the image, and differs between images.
    sources.BackgroundKey = frame.Background->Image().cacheKey();
  }
  sources.Origin = scene.Origin;
  const TPointCharge *pathStart = scene.VoltageStart();
  const TPointCharge *pathEnd = scene.VoltageEnd();
  if (pathStart != nullptr && pathEnd != nullptr) {
    sources.Path = true;
    sources.PathFrom[0] = pathStart->X;
    sources.PathFrom[1] = pathStart->Y;
    sources.PathTo[0] = pathEnd->X;
    sources.PathTo[1] = pathEnd->Y;
  }
  if (frame.Sprites == nullptr)
    return sources;
  frame.Sprites->Follow(scene);
  sources.Visible = frame.Sprites->VisibleRect();
  for (const TChargeSprites::TDrawn &drawn : frame.Sprites->Drawn()) {
    const TPointCharge *charge = scene.Charges.At(drawn.Index);
    if (charge == nullptr || !charge->IsSource())
      return std::nullopt;
    const long double value = charge->ChargeValue;
    sources.Discs.push_back({drawn.Sprite, charge->X, charge->Y,
                             value > 0   ? 1
                             : value < 0 ? -1
                                         : 0,
                             drawn.Index == scene.Selected});
  }
  return sources;
}

void TFrameCache::Compose(TCanvas &canvas, const TFrameInputs &frame) {
  std::optional<TSources> now = SourcesOf(canvas, frame);
  lastWasCopy_ = now && kept_ && *now == *kept_;
  if (lastWasCopy_) {
    canvas.Draw(0, 0, frame_);
    // Only the drawing state, not the canvas's kind: the device is the same one.
    static_cast<TCanvas &>(canvas) = after_;
    return;
  }
  ComposeFrame(canvas, frame);
  kept_ = std::move(now);
  if (kept_ && kept_->Discs.size() >= fewestKeptDiscs_ && canvas.Device() != nullptr) {
    frame_ = canvas.Device()->copy();
    after_ = canvas;
  } else {
    kept_.reset();
    frame_ = QImage();
  }
}
