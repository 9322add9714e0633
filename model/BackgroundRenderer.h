#pragma once
// Draws background pictures on a worker thread, so that the window answers input while field
// lines are traced, and keeps the last one for the frames. Each request is a copy of a scene; a
// newer request cancels the picture in progress (or, for live pictures during a drag, lets it
// finish and follows it), and every finished picture newer than the last one taken becomes the
// background on the thread that owns the renderer.

#include "base/Geometry.h"
#include "display/Canvas.h"
#include "model/Background.h"
#include "model/FieldLine.h"
#include "model/PictureTarget.h"
#include "model/Scene.h"
#include "model/TestChargeFigures.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// One finished background.
struct TFinishedBackground {
  uint64_t Generation = 0;
  std::unique_ptr<TBitmap> Bitmap; // null when drawing it failed
  std::exception_ptr Error;        // why it failed
  TTraceStats Stats;
  // By charge index of the request's scene, when they were too costly for the frames.
  std::optional<TFigureList> Figures;
};

class TBackgroundRenderer : public QObject {
  Q_OBJECT

public:
  // What a picture depends on besides the scene.
  struct TTarget {
    TSize Bitmap;    // px of the background bitmap
    double Ppi = 96; // logical px per inch
    TPictureTarget Picture;
  };

  explicit TBackgroundRenderer(QObject *parent = nullptr);
  ~TBackgroundRenderer() override;
  TBackgroundRenderer(const TBackgroundRenderer &) = delete;
  TBackgroundRenderer &operator=(const TBackgroundRenderer &) = delete;

  // Asks for the background of the scene. follow: a picture in progress is finished rather
  // than cancelled, so that a stream of requests (a drag) still shows pictures.
  void Request(const TScene &scene, const TTarget &target, bool follow);
  // Draws the background of the scene at once, on this thread, at the background's size.
  TTraceStats DrawNow(const TScene &scene, const TPictureTarget &target);

  // The background the frames start from; null until SetSize. Tests mark it.
  const TBitmap *Background() const { return background_.get(); }
  TBitmap *Background() { return background_.get(); }
  // Makes the background that large (px), keeping what it shows where it fits; a picture
  // finished for another size is not taken.
  void SetSize(TSize bitmap);
  // The test charges' figures of the last background taken, which the frames draw while
  // they are active.
  const TTestChargeFigures &Figures() const { return figures_; }
  // How many pictures traced their background; the others painted the last one's again.
  uint64_t Tracings() const { return tracings_.load(); }
  void SetFiguresActive(bool active) { figures_.Active = active; }
  // The figures belong to a scene that is gone.
  void ForgetFigures() { figures_.ByIndex.clear(); }
  // Runs change while no picture is being drawn: the picture in progress is cancelled, and
  // the next one waits until change returns. For what the worker reads without a lock, such
  // as the default locale of the numbers. change must not request a picture.
  void WhileIdle(const std::function<void()> &change);
  // A request is neither delivered nor overtaken by a delivered newer one.
  bool Busy() const { return requested_ > delivered_; }

  // Runs on the worker thread before each picture is traced (tests hold a picture back with
  // it). Set it while nothing is requested.
  std::function<void()> BeforePicture;

signals:
  // A picture newer than every one delivered before became the background, or drawing one
  // failed (TakeError).
  void Finished();
  // Busy() changed.
  void BusyChanged(bool busy);

public:
  // Why the picture announced by the last Finished failed; null when it did not, or once
  // taken.
  std::exception_ptr TakeError() { return std::exchange(error_, nullptr); }

private:
  // On the renderer's thread: every picture the worker finished, oldest first.
  Q_INVOKABLE void DeliverDone();

  struct TJob {
    uint64_t Generation = 0;
    TScene Scene;
    TTarget Target;
    std::shared_ptr<std::atomic<bool>> Cancel;
  };

  void Run();
  void Draw(const TJob &job);
  void Deliver(TFinishedBackground picture);

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_; // drawing_ became false
  bool drawing_ = false;
  std::optional<TJob> pending_;
  std::shared_ptr<std::atomic<bool>> running_; // cancel flag of the picture in progress
  std::vector<TFinishedBackground> done_;      // finished, not yet delivered
  bool stopping_ = false;

  // User-interface thread only.
  uint64_t requested_ = 0;
  uint64_t delivered_ = 0;
  std::unique_ptr<TBitmap> background_;
  TTestChargeFigures figures_;
  // The last figures the worker traced, kept on its thread for the next picture.
  TTracedFigures tracedFigures_;
  // What the worker traced for the last picture (its field lines, potential grid and points
  // of no force) and from what: the scene with every test charge left blank (they move no
  // field line) and what is only painted left out, and the target. A test charge dragged or
  // a new selection then traces nothing of the background.
  struct TTracedFrom {
    TScene Scene;
    TSize Bitmap;
    double Ppi = 0;
    TSize Area;
    TTraceLimits Trace;
    static TTracedFrom Of(const TScene &scene, const TTarget &target);
    friend bool operator==(const TTracedFrom &, const TTracedFrom &) = default;
  };
  std::optional<TTracedFrom> tracedFrom_;
  std::atomic<uint64_t> tracings_{0};
  std::optional<TBackgroundScene> tracedBackground_;
  std::exception_ptr error_;

  std::thread worker_; // last: starts after everything it uses
};
