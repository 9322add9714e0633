#include "model/FrameCache.h"

#include "display/Sprite.h"
#include "model/Background.h"
#include "model/Document.h"
#include "model/FrameComposer.h"
#include "model/PointCharge.h"

std::optional<TFrameCache::TSources>
TFrameCache::SourcesOf(const TCanvas &canvas, const TDocument &document, TSpriteEngine &engine,
                       const TPointCharge *pathStart, const TPointCharge *pathEnd) {
  TSources sources;
  sources.Device = canvas.Device();
  if (sources.Device != nullptr)
    sources.DeviceSize = sources.Device->size();
  if (Background) {
    sources.Background = Background.get();
    // Changes with every write to the image, and differs between images.
    sources.BackgroundKey = Background->Image().cacheKey();
  }
  sources.Origin = document.Origin;
  if (pathStart != nullptr && pathEnd != nullptr) {
    sources.Path = true;
    sources.PathFrom[0] = pathStart->X;
    sources.PathFrom[1] = pathStart->Y;
    sources.PathTo[0] = pathEnd->X;
    sources.PathTo[1] = pathEnd->Y;
  }
  sources.Visible = engine.VisibleRect;
  const TPointCharge *selected = document.Selected();
  bool plain = true;
  engine.ForEachDrawn([&](TSprite &sprite) {
    const auto *charge = dynamic_cast<const TPointCharge *>(&sprite);
    if (charge == nullptr || !charge->IsSource()) {
      plain = false;
      return;
    }
    const long double value = charge->ChargeValue;
    sources.Discs.push_back({charge, charge->X, charge->Y,
                             value > 0   ? 1
                             : value < 0 ? -1
                                         : 0,
                             charge == selected});
  });
  if (!plain)
    return std::nullopt;
  return sources;
}

void TFrameCache::Compose(TCanvas &canvas, const TDocument &document, TSpriteEngine &engine,
                          const TPointCharge *pathStart, const TPointCharge *pathEnd) {
  std::optional<TSources> now = SourcesOf(canvas, document, engine, pathStart, pathEnd);
  lastWasCopy_ = now && kept_ && *now == *kept_;
  if (lastWasCopy_) {
    canvas.Draw(0, 0, frame_);
    // Only the drawing state, not the canvas's kind: the device is the same one.
    static_cast<TCanvas &>(canvas) = after_;
    return;
  }
  ComposeFrame(canvas, document, engine, pathStart, pathEnd);
  kept_ = std::move(now);
  if (kept_ && kept_->Discs.size() >= fewestKeptDiscs_ && canvas.Device() != nullptr) {
    frame_ = canvas.Device()->copy();
    after_ = canvas;
  } else {
    kept_.reset();
    frame_ = QImage();
  }
}
