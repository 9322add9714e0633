#include "model/ChargeSprites.h"

#include "model/ChargeDrawing.h"
#include "model/Scene.h"

TChargeSprites::TChargeSprite::TChargeSprite(TSpriteEngine &engine, int index)
    : TSprite(&engine), Index(index) {
  Width = 2 * kChargeHalfSize;
  Height = 2 * kChargeHalfSize;
}

TChargeSprites::TChargeSprites(TSpriteEngine &engine) : engine_(engine) {}

TChargeSprites::~TChargeSprites() = default;

void TChargeSprites::Renumber(size_t from) {
  for (size_t i = from; i < sprites_.size(); ++i)
    sprites_[i]->Index = static_cast<int>(i);
}

void TChargeSprites::Insert(int index) {
  const auto at = static_cast<size_t>(index);
  sprites_.insert(sprites_.begin() + index, std::make_unique<TChargeSprite>(engine_, index));
  Renumber(at);
}

void TChargeSprites::Remove(int index) {
  if (index < 0 || index >= Count())
    return;
  sprites_.erase(sprites_.begin() + index);
  Renumber(static_cast<size_t>(index));
}

void TChargeSprites::Rebuild(const TScene &scene) {
  sprites_.clear();
  sprites_.reserve(static_cast<size_t>(scene.Charges.Count()));
  for (int i = 0; i < scene.Charges.Count(); ++i)
    sprites_.push_back(std::make_unique<TChargeSprite>(engine_, i));
  Follow(scene);
}

void TChargeSprites::Follow(const TScene &scene) const {
  const size_t count = std::min(sprites_.size(), static_cast<size_t>(scene.Charges.Count()));
  for (size_t i = 0; i < count; ++i) {
    const TPointCharge &charge = scene.Charges[static_cast<int>(i)];
    sprites_[i]->X = charge.X;
    sprites_[i]->Y = charge.Y;
  }
}

void TChargeSprites::FollowOne(const TScene &scene, int index) const {
  const TPointCharge *charge = scene.Charges.At(index);
  if (charge == nullptr || index >= Count())
    return;
  sprites_[static_cast<size_t>(index)]->X = charge->X;
  sprites_[static_cast<size_t>(index)]->Y = charge->Y;
}

int TChargeSprites::ChargeAt(const TScene &scene, int32_t x, int32_t y) const {
  Follow(scene);
  const auto *sprite = dynamic_cast<const TChargeSprite *>(engine_.SpriteAt(x, y));
  return sprite != nullptr ? sprite->Index : -1;
}

void TChargeSprites::Draw(const TFrame &frame) const {
  const TScene &scene = *frame.Scene;
  Follow(scene);
  VisitDrawn([&](int index, const void *) {
    if (index < scene.Charges.Count()) // sprites of charges the scene no longer has
      DrawCharge(*frame.Canvas, scene, index, frame.Target, frame.Figures, frame.MarkSelection);
  });
}
