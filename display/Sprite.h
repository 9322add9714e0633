#pragma once
// The sprite tree: sprites with a position and size, drawn in depth order, culled against
// the engine's visible rectangle and hit-tested by the engine. Needs no drawing surface.

#include "base/Geometry.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

class TSpriteEngine;
class TSprite;

// What the engine needs of the surface it draws on: only its size.
class TSpriteSurface {
public:
  virtual ~TSpriteSurface() = default;
  virtual int32_t SurfaceWidth() const = 0;
  virtual int32_t SurfaceHeight() const = 0;
};

// A sprite's place in one of its parent's lists.
struct TSpriteLink {
  TSprite *Prev = nullptr;
  TSprite *Next = nullptr;
};

// One of a sprite's lists of children, first to last. The lists are threaded through the
// children themselves, so that joining and leaving one costs the same for any length.
class TSpriteList {
public:
  class iterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = TSprite *;
    using difference_type = std::ptrdiff_t;
    using pointer = TSprite *const *;
    using reference = TSprite *const &;

    iterator() = default;
    iterator(TSprite *at, TSpriteLink TSprite::*link) : at_(at), link_(link) {}
    reference operator*() const { return at_; }
    iterator &operator++();
    iterator operator++(int) {
      iterator before = *this;
      ++*this;
      return before;
    }
    friend bool operator==(const iterator &a, const iterator &b) { return a.at_ == b.at_; }

  private:
    TSprite *at_ = nullptr;
    TSpriteLink TSprite::*link_ = nullptr;
  };

  iterator begin() const { return {first_, link_}; }
  iterator end() const { return {nullptr, link_}; }
  TSprite *front() const { return first_; }
  TSprite *back() const { return last_; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

private:
  friend class TSprite;
  explicit TSpriteList(TSpriteLink TSprite::*link) : link_(link) {}
  // Puts s before `before`, or at the end when that is null.
  void Insert(TSprite *s, TSprite *before);
  void Remove(TSprite *s);

  TSprite *first_ = nullptr;
  TSprite *last_ = nullptr;
  size_t size_ = 0;
  TSpriteLink TSprite::*link_;
};

class TSprite {
public:
  // Joins Parent's Children (at the end) and DrawOrder (before the first sprite of equal
  // or greater Z). A null parent makes a root, which only an engine is.
  explicit TSprite(TSprite *parent);
  // Leaves the parent's lists. Children are owned elsewhere (charges by the charge list), so
  // they are only detached, last first: a child outliving its parent becomes a root.
  virtual ~TSprite();
  TSprite(const TSprite &) = delete;
  TSprite &operator=(const TSprite &) = delete;

  // Per-frame drawing; the base draws nothing.
  virtual void DrawSelf() {}
  // The sprite's square in surface pixels: truncated absolute position plus size.
  virtual TRect BoundsRect() const;

  TSpriteEngine *Engine() const { return engine_; }
  TSprite *Parent() const { return parent_; }
  // In the order of creation.
  const TSpriteList &Children() const { return children_; }
  // Sorted by Z, equal Z newest first (as long as no Z changes after its sprite joined).
  const TSpriteList &DrawOrder() const { return drawOrder_; }

  bool Visible = true;
  double X = 0; // px, relative to the parent
  double Y = 0; // px, relative to the parent
  int32_t Z = 0;
  int32_t Width = 0;
  int32_t Height = 0;

protected:
  // Calls draw for this sprite and its children as a frame draws them.
  template <typename Draw> void DrawTree(const TRect &visible, Draw &draw);
  void HitTest(double px, double py, TSprite *&result);

private:
  TSpriteEngine *engine_ = nullptr;
  TSprite *parent_ = nullptr;
  TSpriteLink sibling_;
  TSpriteLink drawn_;
  TSpriteList children_{&TSprite::sibling_};
  TSpriteList drawOrder_{&TSprite::drawn_};
  friend class TSpriteEngine;
  friend class TSpriteList;
};

inline TSpriteList::iterator &TSpriteList::iterator::operator++() {
  at_ = (at_->*link_).Next;
  return *this;
}

class TSpriteEngine : public TSprite {
public:
  TSpriteEngine();
  ~TSpriteEngine() override;

  // The topmost visible sprite whose closed square holds the point (px); null if none.
  TSprite *SpriteAt(int32_t x, int32_t y);
  // Makes surface the engine's surface; a non-null one also sets VisibleRect and size.
  void AttachSurface(const TSpriteSurface *surface);
  const TSpriteSurface *Surface() const { return surface_; }
  // Calls DrawSelf of every visible sprite that overlaps VisibleRect, in draw order.
  void Draw();
  // Every sprite that Draw would draw, in the same order.
  std::vector<TSprite *> Drawn();

  TRect VisibleRect{};

private:
  const TSpriteSurface *surface_ = nullptr;
};
