// Backgrounds drawn on the worker thread in the real main window: the window answers while a
// picture is held back on the worker, newer requests cancel older pictures, the finished
// picture is the one drawn in the call, field lines follow a drag before mouse-up, and test
// charges too costly for the frames come with the picture, drawn as the frames draw them; a
// picture that fails is reported.
#include "support/ProgramFixture.h"

#include "base/Seams.h"
#include "model/BackgroundRenderer.h"
#include "model/NumberText.h"
#include "model/TestChargeFigures.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <new>

namespace {

// Holds every picture on the worker thread until opened.
class Gate {
public:
  void Wait() {
    std::unique_lock lock(mutex_);
    waiting_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return open_; });
  }
  // Returns once a picture waits at the gate.
  void AwaitPicture() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_; });
  }
  void Open() {
    const std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }

private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool waiting_ = false;
  bool open_ = false;
};

class BackgroundWorkerTest : public ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    seams::SetBackgroundOnWorker(true);
  }
  void TearDown() override {
    Settle();
    Form1->BackgroundRenderer()->BeforePicture = nullptr;
    seams::SetBackgroundOnWorker(false);
    ProgramTest::TearDown();
  }
  // Handles events until every picture asked for is shown (the worker's answer is an event).
  void Settle() const {
    while (Form1->BackgroundBusy())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  // The background drawn in the call, for the document as it stands.
  QImage DrawnInTheCall() const {
    TBitmap bitmap(Background().Width(), Background().Height());
    DrawBackgroundOn(Scene(), bitmap, Form1->PictureTarget());
    return bitmap.Image();
  }
};

TEST_F(BackgroundWorkerTest, WindowAnswersWhilePictureIsTracedAndNewestPictureWins) {
  Gate gate;
  Form1->BackgroundRenderer()->BeforePicture = [&gate] { gate.Wait(); };
  QSignalSpy finished(Form1->BackgroundRenderer(), &TBackgroundRenderer::Finished);
  const QImage empty = Background().Image();

  const int first = Create(200, 200);
  gate.AwaitPicture();
  // The worker is stuck in the first picture; the window goes on answering.
  Move(500, 300);
  const TWorldPoint mouse = Scene().ScreenToWorld(500, 300);
  EXPECT_EQ(Form1->StatusBar->currentMessage(), StatusPositionText(mouse.X, mouse.Y));
  Create(500, 300);
  Press(200, 200);
  Release(200, 200);
  EXPECT_EQ(Doc().SelectedIndex(), first) << "a click selects at once";
  EXPECT_TRUE(Form1->BackgroundBusy());
  EXPECT_TRUE(Form1->Timer_Progress->isActive()) << "the busy indicator shows if it lasts";
  EXPECT_EQ(Background().Image(), empty) << "nothing shown before a picture is finished";

  gate.Open();
  Settle();
  // The pictures asked for while the first was held were overtaken by the newest: one
  // picture is shown, and it is the one drawn in the call.
  EXPECT_EQ(finished.count(), 1);
  EXPECT_FALSE(Form1->Timer_Progress->isActive() || Form1->BusyIndicator->isVisible());
  EXPECT_EQ(Background().Image(), DrawnInTheCall());
  EXPECT_EQ(Form1->DXDraw->PresentedImage().pixel(30, 30), Background().Image().pixel(30, 30));
}

TEST_F(BackgroundWorkerTest, FieldLinesFollowDragUnlessSwitchedOff) {
  Create(200, 200);
  Settle();
  const QImage atStart = Background().Image();

  Press(200, 200);
  Move(260, 240);
  Move(320, 280);
  Settle();
  // The button is still held: the lines already start at the new place.
  EXPECT_NE(Background().Image(), atStart);
  EXPECT_EQ(Background().Image(), DrawnInTheCall());

  Form1->MenuItem_LiveLines->setChecked(false);
  const QImage held = Background().Image();
  Move(400, 300);
  EXPECT_FALSE(Form1->BackgroundBusy()) << "without live lines a drag asks for no picture";
  EXPECT_EQ(Background().Image(), held);
  Release(400, 300);
  Settle();
  EXPECT_EQ(Background().Image(), DrawnInTheCall()) << "mouse-up shows the final picture";
}

TEST_F(BackgroundWorkerTest, FailedPictureIsReportedAndTheLastOneStays) {
  const int charge = Create(300, 200);
  Settle();
  const QImage before = Background().Image();
  Form1->BackgroundRenderer()->BeforePicture = [] { throw std::bad_alloc(); };
  Doc().MoveCharge(charge, 350, 250);
  Settle();
  ASSERT_EQ(dialogs->Errors().size(), 1u);
  EXPECT_TRUE(dialogs->Errors()[0].contains(QStringLiteral("Zu wenig Arbeitsspeicher")));
  EXPECT_EQ(Background().Image(), before);
}

TEST_F(BackgroundWorkerTest, CostlyTestChargeFiguresComeWithThePictureAsFramesDrawThem) {
  // 70 sources and 70 test charges on a grid: too many pairs for every frame.
  Doc().Load(Form1->SurfaceSize(), [](TScene &scene) {
    for (int i = 0; i < 140; ++i) {
      TPointCharge &charge = scene.Charges.Add({});
      charge.X = 30 + (i % 14) * 52;
      charge.Y = 20 + (i / 14) * 50 + (i % 3) * 7;
      charge.IsTestCharge = i % 2 == 1;
      charge.ChargeValue = (i % 4 < 2 ? 1 : -2) * kElementaryCharge;
      charge.FieldLineCount = charge.IsTestCharge ? 0 : 4;
    }
  });
  Settle();
  const TTestChargeFigures &figures = Form1->BackgroundRenderer()->Figures();
  ASSERT_TRUE(figures.Active);
  EXPECT_EQ(std::count_if(figures.ByIndex.begin(), figures.ByIndex.end(),
                          [](const auto &figure) { return figure != nullptr; }),
            70);

  // A test charge moved: nothing is traced but its figure, and the picture has the same
  // pixels, so the kept background stays. A source moved: all is traced again.
  const TBitmap *kept = &Background();
  const uint64_t tracings = Form1->BackgroundRenderer()->Tracings();
  Doc().MoveCharge(1, 150, 260);
  Settle();
  EXPECT_EQ(&Background(), kept);
  EXPECT_EQ(Form1->BackgroundRenderer()->Tracings(), tracings);
  EXPECT_NE(figures.Find(1, Doc().Charges()[1]), nullptr);
  // The line through the selected test charge is painted, not traced.
  TPotentialOptions potential = Doc().Scene().Potential;
  potential.TestChargeLine = true;
  Doc().ApplyPotential(potential);
  Settle();
  const QImage unselected = Background().Image();
  const uint64_t withLine = Form1->BackgroundRenderer()->Tracings();
  Doc().Select(3);
  Settle();
  EXPECT_EQ(Form1->BackgroundRenderer()->Tracings(), withLine);
  EXPECT_NE(Background().Image(), unselected);
  const QImage beforeSourceMoved = Background().Image();
  Doc().MoveCharge(0, 70, 45);
  Settle();
  EXPECT_NE(Background().Image(), beforeSourceMoved);
  EXPECT_EQ(Form1->BackgroundRenderer()->Tracings(), withLine + 1);
  const QImage fromWorker = Form1->DXDraw->PresentedImage().copy();

  // The same frame with every test charge traced in it.
  seams::SetBackgroundOnWorker(false);
  Form1->RenderFrame(true);
  EXPECT_FALSE(figures.Active);
  EXPECT_EQ(fromWorker, Form1->DXDraw->PresentedImage());
}

} // namespace
