#pragma once
// The charges of a scene as sprites, so that the sprite engine's rules decide which charges a
// frame draws and in which order (newest first, so that older charges lie on top) and which
// one the mouse hits. The charges know nothing of this: whoever shows a scene keeps its
// sprites in step, telling them of every charge inserted or removed.

#include "base/Geometry.h"
#include "display/Sprite.h"
#include "model/PictureTarget.h"

#include <memory>
#include <typeinfo>
#include <vector>

class TCanvas;
struct TScene;
struct TTestChargeFigures;

class TChargeSprites {
public:
  // The sprites join engine, which must outlive them.
  explicit TChargeSprites(TSpriteEngine &engine);
  ~TChargeSprites();
  TChargeSprites(const TChargeSprites &) = delete;
  TChargeSprites &operator=(const TChargeSprites &) = delete;

  // A charge was inserted at index: its sprite is the newest.
  void Insert(int index);
  void Remove(int index);
  // One sprite per charge of the scene, created in index order (as a loaded scene's).
  void Rebuild(const TScene &scene);
  int Count() const { return static_cast<int>(sprites_.size()); }
  // The engine's rectangle: what a frame draws of the sprites.
  TRect VisibleRect() const { return engine_.VisibleRect; }

  // Puts every sprite where its charge is in the scene (the sprites' places are a copy of
  // the scene's, so this changes nothing that the sprites stand for). Whoever changes the
  // scene calls it, or FollowOne for one charge: VisitDrawn takes the places as they are.
  void Follow(const TScene &scene) const;
  void FollowOne(const TScene &scene, int index) const;
  // The charge (index) whose sprite the engine finds topmost at (x, y) px, or -1.
  int ChargeAt(const TScene &scene, int32_t x, int32_t y) const;

  // What the charges are drawn with in one frame.
  struct TFrame {
    TCanvas *Canvas = nullptr;
    const TScene *Scene = nullptr;
    TPictureTarget Target;
    const TTestChargeFigures *Figures = nullptr; // null: every test charge traced
    bool MarkSelection = true;
  };
  // Draws the charges the engine draws, in its order (following the scene first).
  void Draw(const TFrame &frame) const;
  // Calls visit(index, sprite) for every charge Draw would draw, in the same order; the
  // sprite stays the same one while its charge stays in the list.
  template <typename Visit> void VisitDrawn(Visit &&visit) const;

private:
  // Draws nothing itself: the engine only says where it is and in which order it comes.
  class TChargeSprite : public TSprite {
  public:
    TChargeSprite(TSpriteEngine &engine, int index);
    int Index;
  };
  void Renumber(size_t from);

  TSpriteEngine &engine_;
  std::vector<std::unique_ptr<TChargeSprite>> sprites_;
};

template <typename Visit> void TChargeSprites::VisitDrawn(Visit &&visit) const {
  // The type compared directly: a frame of 100,000 charges asks this of every one.
  for (TSprite *sprite : engine_.Drawn())
    if (typeid(*sprite) == typeid(TChargeSprite)) {
      const auto *charge = static_cast<const TChargeSprite *>(sprite);
      visit(charge->Index, static_cast<const void *>(charge));
    }
}
