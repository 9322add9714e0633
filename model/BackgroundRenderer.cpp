#include "model/BackgroundRenderer.h"

#include "base/Seams.h"
#include "model/Background.h"

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

void TBackgroundRenderer::Request(const TScene &scene, const TTarget &target, bool follow) {
  TJob job{++requested_, scene, target, std::make_shared<std::atomic<bool>>()};
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

void TBackgroundRenderer::WhileIdle(const std::function<void()> &change) {
  std::unique_lock lock(mutex_);
  if (running_)
    running_->store(true);
  idle_.wait(lock, [this] { return !drawing_; });
  change();
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
      drawing_ = false;
      idle_.notify_all();
      wake_.wait(lock, [this] { return stopping_ || pending_.has_value(); });
      if (stopping_)
        return;
      job = std::move(*pending_);
      pending_.reset();
      running_ = job.Cancel;
      drawing_ = true;
    }
    Draw(job);
  }
}

void TBackgroundRenderer::Draw(const TJob &job) {
  // The picture asks neither the screen nor the windows: what it needs came with the request.
  const seams::ThreadPixelsPerInch ppi(job.Target.Ppi);

  TFinishedBackground picture;
  picture.Generation = job.Generation;
  try {
    if (BeforePicture)
      BeforePicture();
    const TScene &scene = job.Scene;
    const TPictureTarget &target = job.Target.Picture;
    TTracedFrom from = TTracedFrom::Of(scene, job.Target);
    if (!tracedBackground_ || !(*tracedFrom_ == from)) {
      tracedBackground_.reset();
      TBackgroundScene fresh = TraceBackground(scene, target, job.Cancel.get());
      if (job.Cancel->load())
        return;
      tracedBackground_ = std::move(fresh);
      tracedFrom_ = std::move(from);
      ++tracings_;
    }
    const TBackgroundScene &traced = *tracedBackground_;
    picture.Bitmap = std::make_unique<TBitmap>(job.Target.Bitmap.Width, job.Target.Bitmap.Height);
    PaintBackground(scene, traced, picture.Bitmap->Canvas(), target,
                    {0, 0, job.Target.Bitmap.Width, job.Target.Bitmap.Height});
    picture.Stats = traced.Stats;
    if (FiguresTooCostlyForFrames(scene)) {
      picture.Figures = TraceTestChargeFigures(scene, target, job.Cancel.get(), &tracedFigures_);
      // Kept even when cancelled: what was traced serves the next picture.
      tracedFigures_ = {TFigureField::Of(scene, target), *picture.Figures};
      if (job.Cancel->load())
        return;
    } else {
      tracedFigures_ = {}; // frames trace the figures now: none to keep
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

TBackgroundRenderer::TTracedFrom TBackgroundRenderer::TTracedFrom::Of(const TScene &scene,
                                                                      const TTarget &target) {
  TTracedFrom from{scene, target.Bitmap, target.Ppi, target.Picture.Area, target.Picture.Trace};
  TScene &traced = from.Scene;
  for (TPointCharge &charge : traced.Charges)
    if (charge.IsTestCharge)
      charge = {.IsTestCharge = true};
  // Only painted: the selection (and the line through a selected test charge), the voltage
  // path, the arrows, the cursor's line and the particles.
  traced.Selected = -1;
  traced.Selection.clear();
  traced.Voltage = {};
  traced.ArrowScale = 0;
  traced.ArrowColor = 0;
  traced.ShowCursorLine = false;
  traced.Particles.clear();
  traced.ParticleSetup = {};
  traced.SelectedParticle = -1;
  return from;
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
  if (picture.Error) {
    error_ = picture.Error;
    emit Finished();
  } else if (picture.Bitmap && background_ && picture.Bitmap->Width() == background_->Width() &&
             picture.Bitmap->Height() == background_->Height()) {
    // A picture for an older size waits for the one the resize asked for. One with the same
    // pixels (a test charge moved, whose figure came along) leaves the kept one, so that the
    // frames keep their layers and only draw the changed figures again.
    if (!(picture.Bitmap->Image() == background_->Image()))
      background_ = std::move(picture.Bitmap);
    figures_.ByIndex.clear();
    if (picture.Figures)
      figures_.ByIndex = std::move(*picture.Figures);
    emit Finished();
  }
  if (wasBusy && !Busy())
    emit BusyChanged(false);
}

TTraceStats TBackgroundRenderer::DrawNow(const TScene &scene, const TPictureTarget &target) {
  if (!background_)
    return {};
  return DrawBackgroundOn(scene, *background_, target);
}

void TBackgroundRenderer::SetSize(TSize bitmap) {
  if (!background_)
    background_ = std::make_unique<TBitmap>(bitmap.Width, bitmap.Height);
  else
    background_->SetSize(bitmap.Width, bitmap.Height);
}
