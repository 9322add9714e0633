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
  sources.Visible = frame.Sprites->VisibleRect();
  sources.Discs.reserve(static_cast<size_t>(frame.Sprites->Count()));
  bool plain = true;
  frame.Sprites->VisitDrawn([&](int index, const void *sprite) {
    const TPointCharge *charge = plain ? scene.Charges.At(index) : nullptr;
    if (charge == nullptr || !charge->IsSource()) {
      plain = false;
      return;
    }
    const long double value = charge->ChargeValue;
    sources.Discs.push_back({sprite, charge->X, charge->Y,
                             value > 0   ? 1
                             : value < 0 ? -1
                                         : 0,
                             index == scene.Selected});
  });
  if (!plain)
    return std::nullopt;
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
