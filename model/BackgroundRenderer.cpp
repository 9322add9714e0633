#include "model/BackgroundRenderer.h"

#include "base/Seams.h"
#include "model/Background.h"
#include "model/ModelHooks.h"

#include <QMetaObject>

#include <new>

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

TBackgroundRenderer::TBackgroundRenderer(QObject *parent)
    : QObject(parent), worker_([this] { Run(); }) {}

TBackgroundRenderer::~TBackgroundRenderer() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
    pending_.reset();
    if (running_)
      running_->store(true);
  }
  wake_.notify_all();
  worker_.join();
}

void TBackgroundRenderer::Request(const TDocument &document, const TTarget &target, bool follow) {
  TJob job{++requested_, TakeSnapshot(document), target, std::make_shared<std::atomic<bool>>()};
  const bool wasBusy = requested_ - 1 > delivered_;
  {
    const std::lock_guard lock(mutex_);
    if (!follow && running_)
      running_->store(true);
    pending_ = std::move(job);
  }
  wake_.notify_one();
  if (!wasBusy)
    emit BusyChanged(true);
}

void TBackgroundRenderer::Run() {
#ifdef __linux__
  // Nice is a property of each thread on Linux, and the tracing threads started from here
  // inherit it: when the cores are short, the window's thread gets the larger share.
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), getpriority(PRIO_PROCESS, 0) + 5);
#endif
  for (;;) {
    TJob job;
    {
      std::unique_lock lock(mutex_);
      running_.reset();
      wake_.wait(lock, [this] { return stopping_ || pending_.has_value(); });
      if (stopping_)
        return;
      job = std::move(*pending_);
      pending_.reset();
      running_ = job.Cancel;
    }
    Draw(job);
  }
}

void TBackgroundRenderer::Draw(const TJob &job) {
  // The picture asks neither the screen nor the windows: what it needs came with the request.
  const seams::ThreadPixelsPerInch ppi(job.Target.Ppi);
  TModelHooks hooks;
  hooks.SurfaceSize = [area = job.Target.Area] { return area; };
  hooks.LabelFontName = [name = job.Target.FontName] { return name; };
  const TThreadModelHooks threadHooks(std::move(hooks));

  TFinishedBackground picture;
  picture.Generation = job.Generation;
  try {
    if (BeforePicture)
      BeforePicture();
    const std::unique_ptr<TDocument> document = DocumentFromSnapshot(job.Snapshot);
    const TBackgroundScene scene = TraceBackground(*document, job.Target.Area, job.Cancel.get());
    if (job.Cancel->load())
      return;
    picture.Bitmap = std::make_unique<TBitmap>(job.Target.Bitmap.Width, job.Target.Bitmap.Height);
    PaintBackground(*document, scene, picture.Bitmap->Canvas(), job.Target.Area,
                    {0, 0, job.Target.Bitmap.Width, job.Target.Bitmap.Height});
    picture.Stats = scene.Stats;
    if (FiguresTooCostlyForFrames(*document)) {
      picture.Figures = TraceTestChargeFigures(*document, job.Target.Area, job.Cancel.get());
      if (job.Cancel->load())
        return;
    }
  } catch (...) {
    // Out of memory for a huge picture, say: the window keeps its last background and
    // reports the error on its own thread.
    picture.Bitmap.reset();
    picture.Error = std::current_exception();
  }
  // A newer request overtook this one while it failed: its error is old news.
  if (job.Cancel->load())
    return;
  {
    const std::lock_guard lock(mutex_);
    done_.push_back(std::move(picture));
  }
  // The call carries nothing but the renderer's name for it: no object of ours changes
  // threads inside the queued call.
  QMetaObject::invokeMethod(this, "DeliverDone", Qt::QueuedConnection);
}

void TBackgroundRenderer::DeliverDone() {
  std::vector<TFinishedBackground> done;
  {
    const std::lock_guard lock(mutex_);
    done.swap(done_);
  }
  for (TFinishedBackground &picture : done)
    Deliver(std::move(picture));
}

void TBackgroundRenderer::Deliver(TFinishedBackground picture) {
  if (picture.Generation <= delivered_)
    return;
  const bool wasBusy = Busy();
  delivered_ = picture.Generation;
  if (picture.Bitmap || picture.Error) {
    finished_ = std::move(picture);
    emit Finished();
  }
  if (wasBusy && !Busy())
    emit BusyChanged(false);
}
