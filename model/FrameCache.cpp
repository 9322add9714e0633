#include "model/FrameCache.h"

#include "model/Scene.h"
#include "model/TestChargeFigures.h"

#include <algorithm>
#include <cstring>

namespace {

// Copies the pixels of box (clipped to from) into to, which is made like from if it is not.
// Both are 32-bit images, as every canvas device is.
void CopyArea(const QImage &from, QImage &to, TRect box) {
  if (to.size() != from.size() || to.format() != from.format())
    to = QImage(from.size(), from.format());
  box.Left = std::max(box.Left, 0);
  box.Top = std::max(box.Top, 0);
  box.Right = std::min(box.Right, from.width());
  box.Bottom = std::min(box.Bottom, from.height());
  if (box.Left >= box.Right || box.Top >= box.Bottom)
    return;
  const size_t bytes = static_cast<size_t>(box.Width()) * 4;
  for (int y = box.Top; y < box.Bottom; ++y)
    std::memcpy(to.scanLine(y) + static_cast<size_t>(box.Left) * 4,
                from.constScanLine(y) + static_cast<size_t>(box.Left) * 4, bytes);
}

void CopyImage(const QImage &from, QImage &to) {
  CopyArea(from, to, {0, 0, from.width(), from.height()});
}

bool IsEmpty(const TRect &r) { return r.Left >= r.Right || r.Top >= r.Bottom; }

TRect Union(const TRect &a, const TRect &b) {
  if (IsEmpty(a))
    return b;
  if (IsEmpty(b))
    return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

} // namespace

std::optional<TFrameCache::TNow> TFrameCache::Describe(const TCanvas &canvas,
                                                       const TFrameInputs &frame) const {
  const QImage *device = canvas.Device();
  // Pixels the background leaves uncovered keep what the canvas held before.
  if (device == nullptr || frame.Background == nullptr || frame.Sprites == nullptr ||
      frame.Background->Width() < device->width() || frame.Background->Height() < device->height())
    return std::nullopt;
  const TScene &scene = *frame.Scene;
  TNow now;
  TLayout &layout = now.Layout;
  layout.Device = device;
  layout.DeviceSize = device->size();
  layout.Background = frame.Background;
  // Changes with every write to the image, and differs between images.
  layout.BackgroundKey = frame.Background->Image().cacheKey();
  layout.Origin = scene.Origin;
  const TPointCharge *pathStart = scene.VoltageStart();
  const TPointCharge *pathEnd = scene.VoltageEnd();
  if (pathStart != nullptr && pathEnd != nullptr) {
    layout.Path = true;
    layout.PathFrom[0] = pathStart->X;
    layout.PathFrom[1] = pathStart->Y;
    layout.PathTo[0] = pathEnd->X;
    layout.PathTo[1] = pathEnd->Y;
  }
  layout.Visible = frame.Sprites->VisibleRect();
  layout.PenMode = canvas.Pen.Mode;
  layout.FiguresActive = frame.Figures != nullptr && frame.Figures->Active;
  layout.PixelsPerMetre = scene.PixelsPerMetre;
  layout.ArrowScale = scene.ArrowScale;
  layout.ArrowColor = scene.ArrowColor;

  frame.Sprites->Follow(scene);
  now.Items.reserve(static_cast<size_t>(frame.Sprites->Count()));
  bool keepable = true;
  frame.Sprites->VisitDrawn([&](int index, const void *) {
    const TPointCharge *charge = keepable ? scene.Charges.At(index) : nullptr;
    if (charge == nullptr)
      return; // a sprite of a charge the scene no longer has, which Draw skips too
    TItem item{*charge, scene.IsSelected(index), nullptr, index, std::nullopt};
    if (charge->IsTestCharge) {
      if (!layout.FiguresActive) {
        keepable = false;
        return;
      }
      // The same address is the same figure: the items keep theirs.
      item.Figure = frame.Figures->FindShared(index, *charge);
    }
    now.Items.push_back(std::move(item));
  });
  if (!keepable)
    return std::nullopt;
  return now;
}

std::optional<TFrameCache::TChange> TFrameCache::ChangedBox(TNow &now, const TFrameInputs &frame) {
  const TScene &scene = *frame.Scene;
  const auto footprint = [&scene](TItem &item) -> const TChargeFootprint & {
    if (!item.Footprint)
      item.Footprint = ChargeFootprintOf(scene, item.Index, item.Figure.get());
    return *item.Footprint;
  };
  std::vector<TItem> &kept = items_;
  std::vector<TItem> &items = now.Items;
  TRect box{};
  bool any = false;
  // Kept items have their footprints from the frame they were drawn in.
  const auto changed = [&](const TItem &before, TItem &after) {
    any = true;
    box = Union(box, before.Footprint->Whole);
    box = Union(box, footprint(after).Whole);
  };
  if (kept.size() == items.size()) {
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i].SameDrawing(kept[i]))
        items[i].Footprint = std::move(kept[i].Footprint);
      else
        changed(kept[i], items[i]);
  } else {
    // A charge added or removed: the lists agree up to one place and again after it.
    const size_t shorter = std::min(kept.size(), items.size());
    size_t head = 0;
    while (head < shorter && items[head].SameDrawing(kept[head]))
      ++head;
    size_t tail = 0;
    while (head + tail < shorter &&
           items[items.size() - 1 - tail].SameDrawing(kept[kept.size() - 1 - tail]))
      ++tail;
    for (size_t i = 0; i < head; ++i)
      items[i].Footprint = std::move(kept[i].Footprint);
    for (size_t i = 1; i <= tail; ++i)
      items[items.size() - i].Footprint = std::move(kept[kept.size() - i].Footprint);
    any = true;
    for (size_t i = head; i < kept.size() - tail; ++i)
      box = Union(box, kept[i].Footprint->Whole);
    for (size_t i = head; i < items.size() - tail; ++i)
      box = Union(box, footprint(items[i]).Whole);
  }
  const QSize size = now.Layout.DeviceSize;
  box = {std::max(box.Left, 0), std::max(box.Top, 0), std::min(box.Right, size.width()),
         std::min(box.Bottom, size.height())};
  if (IsEmpty(box))
    return TChange{any, {}};
  // A box past a quarter of the picture (a test charge's line, new figures) is composed
  // afresh rather than patched.
  if (int64_t{box.Width()} * box.Height() * 4 > int64_t{size.width()} * size.height())
    return std::nullopt;
  return TChange{true, box};
}

void TFrameCache::ComposeAfresh(TCanvas &canvas, const TFrameInputs &frame,
                                std::optional<TNow> now) {
  last_ = TOutcome::Composed;
  if (!now || now->Items.size() < fewestKeptDiscs_) {
    ComposeFrame(canvas, frame);
    layout_.reset();
    items_.clear();
    return;
  }
  ComposeUnderCharges(canvas, frame);
  CopyImage(*canvas.Device(), under_);
  frame.Sprites->Draw({&canvas, frame.Scene, frame.Target, frame.Figures, true});
  CopyImage(*canvas.Device(), frame_);
  pen_ = canvas.Pen;
  brush_ = canvas.Brush;
  layout_ = now->Layout;
  items_ = std::move(now->Items);
  for (TItem &item : items_)
    item.Footprint = ChargeFootprintOf(*frame.Scene, item.Index, item.Figure.get());
  ComposeOverCharges(canvas, frame);
}

void TFrameCache::Patch(TCanvas &canvas, const TFrameInputs &frame, const TRect &box) {
  CopyArea(under_, scratch_, box);
  // The charges set every part of the pen and brush they draw with, but the mode.
  TCanvas scratch(&scratch_);
  scratch.Pen = canvas.Pen;
  scratch.Brush = canvas.Brush;
  const TScene &scene = *frame.Scene;
  const auto draw = [&](const TItem &item) {
    DrawCharge(scratch, scene, item.Index, frame.Target, frame.Figures, true);
  };
  for (const TItem &item : items_)
    if (item.Footprint->Overlaps(box))
      draw(item);
  // The pen and brush the last charge leaves; drawn outside the box if it missed it.
  if (!items_.back().Footprint->Overlaps(box))
    draw(items_.back());
  CopyArea(scratch_, frame_, box);
  canvas.Draw(0, 0, frame_);
  pen_ = scratch.Pen;
  brush_ = scratch.Brush;
  canvas.Pen = pen_;
  canvas.Brush = brush_;
  ComposeOverCharges(canvas, frame);
}

void TFrameCache::Compose(TCanvas &canvas, const TFrameInputs &frame) {
  std::optional<TNow> now = Describe(canvas, frame);
  if (!now || !layout_ || !(now->Layout == *layout_) || now->Items.empty()) {
    ComposeAfresh(canvas, frame, std::move(now));
    return;
  }
  const std::optional<TChange> change = ChangedBox(*now, frame);
  if (!change) {
    ComposeAfresh(canvas, frame, std::move(now));
    return;
  }
  items_ = std::move(now->Items);
  if (!change->Any) {
    last_ = TOutcome::Copied;
    canvas.Draw(0, 0, frame_);
    canvas.Pen = pen_;
    canvas.Brush = brush_;
    ComposeOverCharges(canvas, frame);
    return;
  }
  last_ = TOutcome::Patched;
  // Drawn even when the changed charges have no pixel on the canvas: the last one's pen and
  // brush are what the frame leaves.
  Patch(canvas, frame, change->Box);
}
