// The drawing-surface control and the sprite-engine component, on the offscreen platform.
#include "base/Errors.h"
#include "base/Geometry.h"
#include "support/PixelTesting.h"
#include "widgets/DXDrawControl.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using N = TDXDrawNotifyType;

constexpr TColor kBlack = 0x000000;
constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;

// A form with the control in it, shown so that resizes reach the control at once.
struct Form {
  Form(int width, int height) : window(std::make_unique<QWidget>()) {
    draw = new TDXDraw(window.get());
    draw->resize(width, height);
    window->resize(200, 150);
    window->show();
  }
  // What the control shows on the screen.
  QImage Screen() const { return draw->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  std::unique_ptr<QWidget> window;
  TDXDraw *draw = nullptr; // owned by window
};

void Paint(TDXDraw &draw, TColor color) {
  auto &canvas = draw.Surface()->Canvas();
  canvas.Brush.SetColor(color);
  canvas.FillRect(draw.Surface()->ClientRect());
  canvas.Release();
}

// Records every notice of a control.
struct NoticeLog {
  explicit NoticeLog(TDXDraw &draw) : draw_(draw) {
    draw.RegisterNotifyEvent(this, [this](TDXDraw &, N type) { notices.push_back(type); });
  }
  ~NoticeLog() { draw_.UnRegisterNotifyEvent(this); }
  std::vector<N> Take() { return std::exchange(notices, {}); }
  std::vector<N> notices;

private:
  TDXDraw &draw_;
};

class CountingSprite : public TSprite {
public:
  explicit CountingSprite(TSprite *parent) : TSprite(parent) {
    Width = 20;
    Height = 20;
  }
  void DrawSelf() override { ++draws; }
  int draws = 0;
};

TEST(DXDrawTest, ControlWithoutAFormCannotInitialize) {
  TDXDraw alone;
  try {
    alone.Initialize();
    FAIL() << "no error";
  } catch (const EDXDrawError &error) {
    EXPECT_EQ(error.Message(), QStringLiteral("Form not found"));
  }
  EXPECT_FALSE(alone.Initialized());
  EXPECT_EQ(alone.Surface(), nullptr);
  alone.Flip(); // changes nothing, raises nothing
  EXPECT_TRUE(alone.PresentedImage().isNull());
}

TEST(DXDrawTest, EmptyControlGetsOnePixelSurfaceAndGrowingGivesTheNewSizeInBlack) {
  Form form(0, 0);
  form.draw->Initialize();
  ASSERT_TRUE(form.draw->Initialized());
  TDirectDrawSurface *surface = form.draw->Surface();
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->ClientRect(), (TRect{0, 0, 1, 1}));
  EXPECT_EQ(PixelAt(surface->Image(), 0, 0), Rgb{kBlack});

  TCanvas *canvas = &surface->Canvas();
  canvas->Pen.Color = kRed;
  Paint(*form.draw, kBlue);
  form.draw->resize(30, 20);
  EXPECT_EQ(form.draw->Surface(), surface) << "the same surface object";
  EXPECT_EQ(&surface->Canvas(), canvas) << "the same canvas object";
  EXPECT_EQ(canvas->Pen.Color, kRed);
  EXPECT_EQ(surface->ClientRect(), (TRect{0, 0, 30, 20}));
  EXPECT_EQ(CountColor(surface->Image(), kBlack), 30 * 20);

  form.draw->resize(0, 5);
  EXPECT_EQ(surface->ClientRect(), (TRect{0, 0, 1, 5}));
}

TEST(DXDrawTest, FlipAndDrawSpritesBeforeInitializeChangeNothing) {
  Form form(40, 30);
  TDXSpriteEngine engine;
  engine.SetDXDraw(form.draw);
  CountingSprite sprite(engine.Engine());
  form.draw->Flip();
  engine.DrawSprites();
  EXPECT_EQ(sprite.draws, 0);
  const QImage screen = form.Screen();
  EXPECT_EQ(CountColor(screen, kBlack), screen.width() * screen.height());
}

TEST(DXDrawTest, RepaintShowsTheLastPresentedFrame) {
  Form form(40, 30);
  form.draw->Initialize();
  EXPECT_EQ(CountColor(form.Screen(), kBlack), 40 * 30) << "black before the first Flip";

  const TDirectDrawSurface &surface = *form.draw->Surface();
  Paint(*form.draw, kRed);
  const uchar *first = surface.Image().constBits();
  form.draw->Flip();
  Paint(*form.draw, kBlue); // composing the next frame must not show
  EXPECT_EQ(CountColor(form.Screen(), kRed), 40 * 30);

  form.draw->Flip();
  EXPECT_EQ(CountColor(form.Screen(), kBlue), 40 * 30);
  // Two buffers take turns: Flip and drawing copy no picture.
  const uchar *second = form.draw->PresentedImage().constBits();
  EXPECT_NE(second, first);
  EXPECT_EQ(surface.Image().constBits(), first);
  Paint(*form.draw, kRed);
  form.draw->Flip();
  EXPECT_EQ(form.draw->PresentedImage().constBits(), first);
  EXPECT_EQ(surface.Image().constBits(), second);
  EXPECT_EQ(CountColor(form.Screen(), kRed), 40 * 30);
}

TEST(DXDrawTest, CenterPlacesASmallerSurfaceInTheMiddle) {
  Form form(30, 20);
  form.draw->AutoSize = false;
  form.draw->SetSurfaceSize(10, 11);
  form.draw->Initialize();
  ASSERT_EQ(form.draw->SurfaceWidth(), 10);
  Paint(*form.draw, kRed);
  form.draw->Flip();
  QImage screen = form.Screen();
  EXPECT_EQ(ChangedBox(screen, kBlack), (PixelBox{10, 4, 19, 14}));

  form.draw->Options = doWaitVBlank;
  screen = form.Screen();
  EXPECT_EQ(ChangedBox(screen, kBlack), (PixelBox{0, 0, 9, 10}));
}

// A control beyond kMaxSurfaceSide keeps a surface of that size at its top left, whatever
// way the size is asked for; beyond it the control shows the window's background.
TEST(DXDrawTest, TheSurfaceIsBoundedAndTheRestShowsTheBackground) {
  Form form(kMaxSurfaceSide + 8, 20);
  form.draw->Initialize();
  EXPECT_EQ(form.draw->SurfaceWidth(), kMaxSurfaceSide);
  EXPECT_EQ(form.draw->SurfaceHeight(), 20);
  form.draw->resize(30, kMaxSurfaceSide + 1);
  EXPECT_EQ(form.draw->Surface()->ClientRect(), (TRect{0, 0, 30, kMaxSurfaceSide}));
  form.draw->resize(kMaxSurfaceSide + 8, 20);
  Paint(*form.draw, kRed);
  form.draw->Flip();
  const QImage screen = form.Screen();
  ASSERT_EQ(screen.width(), kMaxSurfaceSide + 8);
  const TColor background = FromQRgb(form.draw->palette().window().color().rgb());
  for (const auto &[x, color] : {std::pair{0, kRed},
                                 {kMaxSurfaceSide - 1, kRed},
                                 {kMaxSurfaceSide, background},
                                 {kMaxSurfaceSide + 7, background}})
    EXPECT_EQ(PixelAt(screen, x, 10), Rgb{color}) << x;

  form.draw->AutoSize = false;
  form.draw->SetSurfaceSize(kMaxSurfaceSide * 4, 3);
  EXPECT_EQ(form.draw->Surface()->ClientRect(), (TRect{0, 0, kMaxSurfaceSide, 3}));
}

TEST(DXDrawTest, ListenersAreToldInOrder) {
  Form form(40, 30);
  NoticeLog log(*form.draw);

  form.draw->resize(50, 30); // uninitialised: only remembered
  EXPECT_TRUE(log.Take().empty());

  form.draw->Initialize();
  EXPECT_EQ(log.Take(),
            (std::vector<N>{N::dxntInitializing, N::dxntSetSurfaceSize, N::dxntInitialize,
                            N::dxntInitializeSurface, N::dxntRestore}));
  EXPECT_EQ(form.draw->SurfaceWidth(), 50);

  form.draw->resize(60, 35);
  EXPECT_EQ(log.Take(), (std::vector<N>{N::dxntFinalizeSurface, N::dxntInitializeSurface,
                                        N::dxntSetSurfaceSize}));
  form.draw->resize(60, 35);
  EXPECT_TRUE(log.Take().empty());

  form.draw->Initialize(); // starts from scratch
  EXPECT_EQ(log.Take(),
            (std::vector<N>{N::dxntFinalizeSurface, N::dxntFinalize, N::dxntInitializing,
                            N::dxntSetSurfaceSize, N::dxntInitialize, N::dxntInitializeSurface,
                            N::dxntRestore}));

  form.draw->Finalize();
  EXPECT_EQ(log.Take(), (std::vector<N>{N::dxntFinalizeSurface, N::dxntFinalize}));
  EXPECT_EQ(form.draw->Surface(), nullptr);
  form.draw->Finalize();
  EXPECT_TRUE(log.Take().empty());
}

TEST(DXDrawTest, DestroyingTheControlFinalisesAndTellsListeners) {
  Form form(40, 30);
  form.draw->Initialize();
  std::vector<N> notices;
  form.draw->RegisterNotifyEvent(&notices,
                                 [&notices](TDXDraw &, N type) { notices.push_back(type); });
  delete form.draw;
  EXPECT_EQ(notices, (std::vector<N>{N::dxntFinalizeSurface, N::dxntFinalize, N::dxntDestroying}));
}

TEST(DXDrawTest, SurfaceCanvasIsOpenFromTheFirstDrawingUntilRelease) {
  Form form(20, 20);
  form.draw->Initialize();
  TDirectDrawSurfaceCanvas &canvas = form.draw->Surface()->Canvas();
  EXPECT_FALSE(canvas.IsOpen());
  canvas.Pen.Width = 2;
  canvas.Brush.SetColor(kBlue);
  canvas.Font.Size = 12;
  canvas.MoveTo(0, 0);
  EXPECT_FALSE(canvas.IsOpen());
  canvas.LineTo(5, 5);
  EXPECT_TRUE(canvas.IsOpen());
  canvas.Release();
  EXPECT_FALSE(canvas.IsOpen());
  EXPECT_EQ(canvas.Pen.Width, 2);
  EXPECT_EQ(canvas.Brush.Color(), kBlue);
  EXPECT_EQ(canvas.Font.Size, 12);
  canvas.FillRect({0, 0, 1, 1});
  EXPECT_TRUE(canvas.IsOpen());
}

TEST(DXSpriteEngineTest, FollowsTheControlsInitialisation) {
  Form form(40, 30);
  TDXSpriteEngine engine;
  engine.SetDXDraw(form.draw);
  EXPECT_EQ(engine.Engine()->Surface(), nullptr);

  form.draw->Initialize();
  EXPECT_EQ(engine.Engine()->Surface(), form.draw->Surface());
  EXPECT_EQ(engine.Engine()->VisibleRect, (TRect{0, 0, 40, 30}));

  // A size change alone does not reach the engine; the main window attaches again.
  form.draw->resize(80, 60);
  EXPECT_EQ(engine.Engine()->VisibleRect, (TRect{0, 0, 40, 30}));

  CountingSprite sprite(engine.Engine());
  engine.DrawSprites();
  EXPECT_EQ(sprite.draws, 1);

  form.draw->Finalize();
  EXPECT_EQ(engine.Engine()->Surface(), nullptr);
  engine.DrawSprites();
  EXPECT_EQ(sprite.draws, 1);
}

TEST(DXSpriteEngineTest, AttachesAtOnceToAnInitialisedControlAndLeavesThePreviousOne) {
  Form first(40, 30);
  Form second(20, 10);
  first.draw->Initialize();
  second.draw->Initialize();

  TDXSpriteEngine engine;
  engine.SetDXDraw(first.draw);
  EXPECT_EQ(engine.Engine()->Surface(), first.draw->Surface());
  engine.SetDXDraw(second.draw);
  EXPECT_EQ(engine.Engine()->Surface(), second.draw->Surface());
  EXPECT_EQ(engine.Engine()->VisibleRect, (TRect{0, 0, 20, 10}));

  first.draw->Finalize(); // no longer heard
  EXPECT_EQ(engine.Engine()->Surface(), second.draw->Surface());

  Form third(15, 15); // not initialised: the old surface is let go
  engine.SetDXDraw(third.draw);
  EXPECT_EQ(engine.Engine()->Surface(), nullptr);
}

TEST(DXSpriteEngineTest, ForgetsAControlThatIsDestroyedAndViceVersa) {
  Form form(40, 30);
  form.draw->Initialize();
  auto engine = std::make_unique<TDXSpriteEngine>();
  engine->SetDXDraw(form.draw);
  delete form.draw;
  EXPECT_EQ(engine->DXDraw(), nullptr);
  EXPECT_EQ(engine->Engine()->Surface(), nullptr);
  engine->DrawSprites();

  Form other(10, 10);
  engine->SetDXDraw(other.draw);
  engine.reset(); // the control must not call a freed component
  other.draw->Initialize();
  other.draw->Finalize();
}

} // namespace
