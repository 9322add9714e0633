#include "display/Sprite.h"

#include "display/PixelMath.h"

#include <algorithm>

TSprite::TSprite(TSprite *parent) : parent_(parent) {
  if (parent_ == nullptr)
    return;
  engine_ = parent_->engine_ != nullptr ? parent_->engine_ : static_cast<TSpriteEngine *>(parent_);
  parent_->children_.push_back(this);
  // Binary search for the first sprite with Z >= ours: equal depths put the newest first.
  auto &order = parent_->drawOrder_;
  const auto at = std::partition_point(order.begin(), order.end(),
                                       [this](const TSprite *s) { return s->Z < Z; });
  order.insert(at, this);
}

TSprite::~TSprite() {
  while (!children_.empty()) {
    TSprite *child = children_.back();
    Detach(child);
    child->parent_ = nullptr;
    child->engine_ = nullptr;
  }
  if (parent_ != nullptr)
    parent_->Detach(this);
}

void TSprite::Detach(TSprite *child) {
  std::erase(children_, child);
  std::erase(drawOrder_, child);
  if (children_.empty()) {
    children_.shrink_to_fit();
    drawOrder_.shrink_to_fit();
  }
}

TRect TSprite::BoundsRect() const {
  double wx = X;
  double wy = Y;
  for (const TSprite *p = parent_; p != nullptr; p = p->parent_) {
    wx += p->X;
    wy += p->Y;
  }
  const int32_t left = pixel::Trunc(wx);
  const int32_t top = pixel::Trunc(wy);
  return {left, top, left + Width, top + Height};
}

void TSprite::DrawTree(const TRect &visible) {
  if (!Visible)
    return;
  if (engine_ != nullptr && Overlaps(BoundsRect(), visible))
    DrawSelf();
  // A DrawSelf never changes the tree; iterate over a copy all the same, cheaply.
  const std::vector<TSprite *> order = drawOrder_;
  for (TSprite *child : order)
    child->DrawTree(visible);
}

void TSprite::HitTest(double px, double py, TSprite *&result) {
  const int32_t x = pixel::Round(px);
  const int32_t y = pixel::Round(py);
  for (TSprite *child : children_) {
    if (child->Visible) {
      const int32_t left = pixel::Round(child->X);
      const int32_t top = pixel::Round(child->Y);
      const bool inside = x >= left && x <= left + child->Width && y >= top &&
                          y <= top + child->Height;
      if (inside && (result == nullptr || child->Z > result->Z))
        result = child;
    }
    child->HitTest(px - child->X, py - child->Y, result);
  }
}

TSpriteEngine::TSpriteEngine() : TSprite(nullptr) {}

TSpriteEngine::~TSpriteEngine() = default;

TSprite *TSpriteEngine::SpriteAt(int32_t x, int32_t y) {
  TSprite *result = nullptr;
  HitTest(x - X, y - Y, result);
  return result;
}

void TSpriteEngine::AttachSurface(const TSpriteSurface *surface) {
  surface_ = surface;
  if (surface_ == nullptr)
    return;
  VisibleRect = {0, 0, surface_->SurfaceWidth(), surface_->SurfaceHeight()};
  Width = surface_->SurfaceWidth();
  Height = surface_->SurfaceHeight();
}

void TSpriteEngine::Draw() { DrawTree(VisibleRect); }
