#include "display/Sprite.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A sprite that records when it is asked to draw itself.
class RecordingSprite : public TSprite {
public:
  RecordingSprite(TSprite *parent, std::vector<const TSprite *> *log, double x, double y)
      : TSprite(parent), log_(log) {
    X = x;
    Y = y;
    Width = 20;
    Height = 20;
  }
  void DrawSelf() override { log_->push_back(this); }

private:
  std::vector<const TSprite *> *log_;
};

class FixedSurface : public TSpriteSurface {
public:
  FixedSurface(int w, int h) : w_(w), h_(h) {}
  int32_t SurfaceWidth() const override { return w_; }
  int32_t SurfaceHeight() const override { return h_; }

private:
  int w_, h_;
};

class SpriteTest : public ::testing::Test {
protected:
  RecordingSprite *Add(double x, double y) {
    sprites.push_back(std::make_unique<RecordingSprite>(&engine, &drawn, x, y));
    return sprites.back().get();
  }
  TSpriteEngine engine;
  std::vector<const TSprite *> drawn;
  std::vector<std::unique_ptr<RecordingSprite>> sprites;
};

TEST_F(SpriteTest, CreationJoinsChildrenAndDrawOrderNewestFirst) {
  auto *a = Add(0, 0);
  auto *b = Add(0, 0);
  auto *c = Add(0, 0);
  EXPECT_EQ(a->Engine(), &engine);
  EXPECT_EQ(a->Parent(), &engine);
  EXPECT_EQ(engine.Children(), (std::vector<TSprite *>{a, b, c}));
  EXPECT_EQ(engine.DrawOrder(), (std::vector<TSprite *>{c, b, a}));
  EXPECT_TRUE(a->Visible);
  EXPECT_EQ(a->Z, 0);
}

TEST_F(SpriteTest, DrawOrderInsertsByDepth) {
  // A new sprite (Z 0) goes before the first sprite of equal or greater depth.
  auto *a = Add(0, 0);
  a->Z = 5;
  auto *b = Add(0, 0);
  EXPECT_EQ(engine.DrawOrder().front(), b);
  EXPECT_EQ(engine.DrawOrder().back(), a);
}

TEST_F(SpriteTest, FreeingRemovesFromBothListsAndUncoversTheOther) {
  auto *older = Add(100, 100);
  auto *newer = Add(100, 100);
  // The oldest is drawn last (on top) and is the one hit.
  EXPECT_EQ(engine.SpriteAt(110, 110), older);
  engine.VisibleRect = {0, 0, 400, 300};
  engine.Draw();
  EXPECT_EQ(drawn, (std::vector<const TSprite *>{newer, older}));

  sprites.erase(sprites.begin());
  EXPECT_EQ(engine.Children(), (std::vector<TSprite *>{newer}));
  EXPECT_EQ(engine.DrawOrder(), (std::vector<TSprite *>{newer}));
  EXPECT_EQ(engine.SpriteAt(110, 110), newer);
  sprites.clear();
  EXPECT_TRUE(engine.Children().empty());
  EXPECT_EQ(engine.SpriteAt(110, 110), nullptr);
}

TEST_F(SpriteTest, HitTestIsInclusiveTwentyOnePixels) {
  auto *s = Add(190, 140); // created by a click at (200, 150)
  for (int x = 175; x <= 225; ++x)
    for (int y = 125; y <= 175; ++y) {
      const bool inside = x >= 190 && x <= 210 && y >= 140 && y <= 160;
      EXPECT_EQ(engine.SpriteAt(x, y) == s, inside) << x << ", " << y;
    }
  s->Visible = false;
  EXPECT_EQ(engine.SpriteAt(200, 150), nullptr);
}

TEST_F(SpriteTest, CullingTruncatesWhileHitTestRoundsToEven) {
  auto *a = Add(11.5, 0);
  EXPECT_EQ(a->BoundsRect(), (TRect{11, 0, 31, 20}));
  EXPECT_EQ(engine.SpriteAt(11, 5), nullptr); // Round(11.5) = 12
  EXPECT_EQ(engine.SpriteAt(12, 5), a);
  a->X = 10.5;
  EXPECT_EQ(a->BoundsRect().Left, 10);
  EXPECT_EQ(engine.SpriteAt(10, 5), a); // Round(10.5) = 10
  a->X = -3.7;
  EXPECT_EQ(a->BoundsRect().Left, -3);
}

TEST_F(SpriteTest, CullingAgainstVisibleRect) {
  FixedSurface surface(100, 80);
  engine.AttachSurface(&surface);
  EXPECT_EQ(engine.VisibleRect, (TRect{0, 0, 100, 80}));
  EXPECT_EQ(engine.Width, 100);
  auto *leftOut = Add(-20, 10);  // X + 20 = 0: wholly outside
  auto *leftIn = Add(-19, 10);   // X + 20 = 1: straddles the edge
  auto *below = Add(10, 80);
  auto *inside = Add(50, 50);
  engine.Draw();
  EXPECT_EQ(drawn, (std::vector<const TSprite *>{inside, leftIn}));
  (void)leftOut;
  (void)below;

  // A grown surface uncovers the sprite below only once it is attached again.
  FixedSurface bigger(100, 200);
  drawn.clear();
  engine.Draw();
  EXPECT_EQ(drawn.size(), 2u);
  engine.AttachSurface(&bigger);
  drawn.clear();
  engine.Draw();
  EXPECT_EQ(drawn, (std::vector<const TSprite *>{inside, below, leftIn}));

  engine.AttachSurface(nullptr);
  EXPECT_EQ(engine.Surface(), nullptr);
  EXPECT_EQ(engine.VisibleRect, (TRect{0, 0, 100, 200}));
}

TEST_F(SpriteTest, FarAwaySpritesNeitherOverflowNorDraw) {
  engine.VisibleRect = {0, 0, 800, 600};
  Add(1e15, -1e15);
  Add(-1e300, 5);
  engine.Draw();
  EXPECT_TRUE(drawn.empty());
  EXPECT_EQ(engine.SpriteAt(0, 0), nullptr);
}

TEST_F(SpriteTest, InvisibleSpritesAreSkippedWithTheirChildren) {
  engine.VisibleRect = {0, 0, 800, 600};
  auto *parent = Add(10, 10);
  RecordingSprite child(parent, &drawn, 5, 5);
  EXPECT_EQ(child.Engine(), &engine);
  EXPECT_EQ(child.BoundsRect(), (TRect{15, 15, 35, 35}));
  parent->Visible = false;
  engine.Draw();
  EXPECT_TRUE(drawn.empty());
  parent->Visible = true;
  engine.Draw();
  EXPECT_EQ(drawn, (std::vector<const TSprite *>{parent, &child}));
  EXPECT_EQ(engine.SpriteAt(16, 16), parent); // child found too, but not with a greater Z
}

} // namespace
