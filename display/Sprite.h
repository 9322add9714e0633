#pragma once
// The sprite tree: sprites with a position and size, drawn in depth order, culled against
// the engine's visible rectangle and hit-tested by the engine. Needs no drawing surface.

#include "display/Geometry.h"

#include <cstdint>
#include <vector>

class TSpriteEngine;

// What the engine needs of the surface it draws on: only its size.
class TSpriteSurface {
public:
  virtual ~TSpriteSurface() = default;
  virtual int32_t SurfaceWidth() const = 0;
  virtual int32_t SurfaceHeight() const = 0;
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
  const std::vector<TSprite *> &Children() const { return children_; }
  const std::vector<TSprite *> &DrawOrder() const { return drawOrder_; }

  bool Visible = true;
  double X = 0; // px, relative to the parent
  double Y = 0; // px, relative to the parent
  int32_t Z = 0;
  int32_t Width = 0;
  int32_t Height = 0;

protected:
  void DrawTree(const TRect &visible);
  void HitTest(double px, double py, TSprite *&result);

private:
  void Detach(TSprite *child);

  TSpriteEngine *engine_ = nullptr;
  TSprite *parent_ = nullptr;
  std::vector<TSprite *> children_;
  std::vector<TSprite *> drawOrder_;
  friend class TSpriteEngine;
};

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

  TRect VisibleRect{};

private:
  const TSpriteSurface *surface_ = nullptr;
};
