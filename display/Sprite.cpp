#include "display/Sprite.h"

#include "base/PixelMath.h"

void TSpriteList::Insert(TSprite *s, TSprite *before) {
  TSpriteLink &link = s->*link_;
  link.Next = before;
  link.Prev = before != nullptr ? (before->*link_).Prev : last_;
  (link.Prev != nullptr ? (link.Prev->*link_).Next : first_) = s;
  (before != nullptr ? (before->*link_).Prev : last_) = s;
  ++size_;
}

void TSpriteList::Remove(TSprite *s) {
  TSpriteLink &link = s->*link_;
  (link.Prev != nullptr ? (link.Prev->*link_).Next : first_) = link.Next;
  (link.Next != nullptr ? (link.Next->*link_).Prev : last_) = link.Prev;
  link = {};
  --size_;
}

TSprite::TSprite(TSprite *parent) : parent_(parent) {
  if (parent_ == nullptr)
    return;
  engine_ = parent_->engine_ != nullptr ? parent_->engine_ : static_cast<TSpriteEngine *>(parent_);
  parent_->children_.Insert(this, nullptr);
  // Before the first sprite of equal or greater Z, so equal depths put the newest first. A
  // new sprite's Z is still 0, so the scan passes only sprites of negative Z: none for
  // charges, which keeps joining constant.
  TSprite *before = parent_->drawOrder_.front();
  while (before != nullptr && before->Z < Z)
    before = before->drawn_.Next;
  parent_->drawOrder_.Insert(this, before);
}

TSprite::~TSprite() {
  while (!children_.empty()) {
    TSprite *child = children_.back();
    children_.Remove(child);
    drawOrder_.Remove(child);
    child->parent_ = nullptr;
    child->engine_ = nullptr;
  }
  if (parent_ != nullptr) {
    parent_->children_.Remove(this);
    parent_->drawOrder_.Remove(this);
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

template <typename Draw> void TSprite::DrawTree(const TRect &visible, Draw &draw) {
  if (!Visible)
    return;
  if (engine_ != nullptr && Overlaps(BoundsRect(), visible))
    draw(*this);
  // A DrawSelf never changes the tree; the next sprite is taken first all the same.
  for (TSprite *child = drawOrder_.front(); child != nullptr;) {
    TSprite *next = child->drawn_.Next;
    child->DrawTree(visible, draw);
    child = next;
  }
}

void TSprite::HitTest(double px, double py, TSprite *&result) {
  const int32_t x = pixel::Round(px);
  const int32_t y = pixel::Round(py);
  for (TSprite *child : children_) {
    if (child->Visible) {
      const int32_t left = pixel::Round(child->X);
      const int32_t top = pixel::Round(child->Y);
      const bool inside =
          x >= left && x <= left + child->Width && y >= top && y <= top + child->Height;
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

void TSpriteEngine::Draw() {
  auto draw = [](TSprite &sprite) { sprite.DrawSelf(); };
  DrawTree(VisibleRect, draw);
}

std::vector<TSprite *> TSpriteEngine::Drawn() {
  std::vector<TSprite *> drawn;
  drawn.reserve(Children().size() + 1);
  auto collect = [&drawn](TSprite &sprite) { drawn.push_back(&sprite); };
  DrawTree(VisibleRect, collect);
  return drawn;
}
