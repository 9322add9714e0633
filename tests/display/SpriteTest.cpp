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

// The list first to last; its count and last entry must agree with the walk.
std::vector<TSprite *> Listed(const TSpriteList &list) {
  std::vector<TSprite *> walked(list.begin(), list.end());
  EXPECT_EQ(list.size(), walked.size());
  EXPECT_EQ(list.front(), walked.empty() ? nullptr : walked.front());
  EXPECT_EQ(list.back(), walked.empty() ? nullptr : walked.back());
  return walked;
}

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
  EXPECT_EQ(Listed(engine.Children()), (std::vector<TSprite *>{a, b, c}));
  EXPECT_EQ(Listed(engine.DrawOrder()), (std::vector<TSprite *>{c, b, a}));
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
  EXPECT_EQ(Listed(engine.Children()), (std::vector<TSprite *>{newer}));
  EXPECT_EQ(Listed(engine.DrawOrder()), (std::vector<TSprite *>{newer}));
  EXPECT_EQ(engine.SpriteAt(110, 110), newer);
  sprites.clear();
  EXPECT_TRUE(engine.Children().empty());
  EXPECT_EQ(engine.SpriteAt(110, 110), nullptr);
}

// Sprites on one spot, each given its Z right after it joined (with Z 0): a sprite joins
// before the first of Z >= 0, the hit is the first created of the greatest Z.
TEST_F(SpriteTest, DepthsGiveDrawOrderAndHit) {
  struct Case {
    std::vector<int32_t> z;
    std::vector<int> drawn; // indices in creation order
    int hit;
  };
  const Case cases[] = {
      {{0, 0, 0}, {2, 1, 0}, 0},
      {{5, 0, 0}, {2, 1, 0}, 0},
      {{-1, -1, 0}, {0, 1, 2}, 2},
      {{-1, 0, -1}, {0, 2, 1}, 1},
      {{-2, 0, -1, 0, 3}, {0, 2, 4, 3, 1}, 4},
      {{0, -1, -1, 0}, {1, 2, 3, 0}, 0},
  };
  engine.VisibleRect = {0, 0, 100, 100};
  for (const Case &c : cases) {
    sprites.clear();
    std::vector<TSprite *> made;
    for (const int32_t z : c.z) {
      made.push_back(Add(10, 10));
      made.back()->Z = z;
    }
    std::vector<TSprite *> expected;
    for (const int i : c.drawn)
      expected.push_back(made[static_cast<size_t>(i)]);
    EXPECT_EQ(Listed(engine.DrawOrder()), expected) << ::testing::PrintToString(c.z);
    drawn.clear();
    engine.Draw();
    EXPECT_EQ(drawn, std::vector<const TSprite *>(expected.begin(), expected.end()));
    EXPECT_EQ(engine.SpriteAt(15, 15), made[static_cast<size_t>(c.hit)]);
  }
}

// Freeing the middle, the first and the last sprite keeps both lists whole; a sprite that
// joins afterwards still goes where it belongs, and the engine's end frees none of the
// sprites left, which become roots.
TEST_F(SpriteTest, FreeingAnyPlaceKeepsBothListsWhole) {
  auto engineOfFive = std::make_unique<TSpriteEngine>();
  std::vector<std::unique_ptr<RecordingSprite>> five;
  for (int i = 0; i < 5; ++i)
    five.push_back(std::make_unique<RecordingSprite>(engineOfFive.get(), &drawn, 10, 10));
  std::vector<TSprite *> s(5);
  for (size_t i = 0; i < 5; ++i)
    s[i] = five[i].get();
  const auto free = [&](TSprite *sprite) {
    for (auto &p : five)
      if (p.get() == sprite)
        p.reset();
  };

  free(s[2]);
  EXPECT_EQ(Listed(engineOfFive->Children()), (std::vector<TSprite *>{s[0], s[1], s[3], s[4]}));
  EXPECT_EQ(Listed(engineOfFive->DrawOrder()), (std::vector<TSprite *>{s[4], s[3], s[1], s[0]}));
  free(s[0]); // first child, last drawn
  free(s[4]); // last child, first drawn
  EXPECT_EQ(Listed(engineOfFive->Children()), (std::vector<TSprite *>{s[1], s[3]}));
  EXPECT_EQ(Listed(engineOfFive->DrawOrder()), (std::vector<TSprite *>{s[3], s[1]}));
  EXPECT_EQ(engineOfFive->SpriteAt(15, 15), s[1]);

  RecordingSprite later(engineOfFive.get(), &drawn, 10, 10);
  RecordingSprite grandchild(&later, &drawn, 0, 0);
  EXPECT_EQ(Listed(engineOfFive->Children()), (std::vector<TSprite *>{s[1], s[3], &later}));
  EXPECT_EQ(Listed(engineOfFive->DrawOrder()), (std::vector<TSprite *>{&later, s[3], s[1]}));
  engineOfFive->VisibleRect = {0, 0, 100, 100};
  engineOfFive->Draw();
  EXPECT_EQ(drawn, (std::vector<const TSprite *>{&later, &grandchild, s[3], s[1]}));

  engineOfFive.reset();
  for (const TSprite *left : {s[1], s[3], static_cast<TSprite *>(&later)}) {
    EXPECT_EQ(left->Parent(), nullptr);
    EXPECT_EQ(left->Engine(), nullptr);
  }
  EXPECT_EQ(grandchild.Parent(), &later);
  EXPECT_EQ(Listed(later.Children()), (std::vector<TSprite *>{&grandchild}));
  five.clear();
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
  auto *leftOut = Add(-20, 10); // X + 20 = 0: wholly outside
  auto *leftIn = Add(-19, 10);  // X + 20 = 1: straddles the edge
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
