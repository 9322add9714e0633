#include "widgets/DXDrawControl.h"

#include "base/Errors.h"
#include "base/Geometry.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace {

// Sets a flag for the lifetime of a scope, also when the scope is left by an error.
class TFlagScope {
public:
  explicit TFlagScope(bool &flag) : flag_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = false; }
  TFlagScope(const TFlagScope &) = delete;
  TFlagScope &operator=(const TFlagScope &) = delete;

private:
  bool &flag_;
};

// A control larger than the limit keeps a surface of the limit's size; beyond it the control
// shows the window's background.
int32_t Bounded(int32_t side) { return std::min(side, kMaxSurfaceSide); }

// Device pixels of a side of the control (logical px).
int32_t DeviceSide(int side, double ratio) {
  return static_cast<int32_t>(std::lround(side * ratio));
}

} // namespace

TDXDraw::TDXDraw(QWidget *parent) : QWidget(parent) {
  // paintEvent covers every pixel: no background fill by Qt first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

TDXDraw::~TDXDraw() {
  Finalize();
  Notify(TDXDrawNotifyType::dxntDestroying);
}

int32_t TDXDraw::SurfaceWidth() const { return surface_ ? surface_->Width() : requestWidth_; }
int32_t TDXDraw::SurfaceHeight() const { return surface_ ? surface_->Height() : requestHeight_; }

void TDXDraw::SetSurfaceSize(int32_t width, int32_t height) {
  width = Bounded(width);
  height = Bounded(height);
  if (initialized_ && !busy_)
    Recreate(width, height);
  else {
    requestWidth_ = width;
    requestHeight_ = height;
  }
}

void TDXDraw::Initialize() {
  Finalize();
  // A control that is a window of its own has no form to live in.
  if (window() == this)
    throw EDXDrawError(QStringLiteral("Form not found"));
  try {
    {
      TFlagScope initialising(busy_);
      Notify(TDXDrawNotifyType::dxntInitializing);
      if (AutoSize) {
        requestWidth_ = Bounded(DeviceSide(width(), DeviceRatio()));
        requestHeight_ = Bounded(DeviceSide(height(), DeviceRatio()));
      }
      surface_ = std::make_unique<TDirectDrawSurface>();
      surface_->Create(requestWidth_, requestHeight_);
      initialized_ = true;
      Notify(TDXDrawNotifyType::dxntSetSurfaceSize);
      Notify(TDXDrawNotifyType::dxntInitialize);
      Notify(TDXDrawNotifyType::dxntInitializeSurface);
    }
    // Nothing presented yet: the control shows black until the first Flip.
    surface_->Fill(0x000000);
    presented_ = QImage();
    update();
    Notify(TDXDrawNotifyType::dxntRestore);
  } catch (...) {
    Finalize();
    throw;
  }
}

void TDXDraw::Finalize() {
  if (!surface_ && !initialized_)
    return;
  {
    TFlagScope finalising(busy_);
    if (surface_) {
      Notify(TDXDrawNotifyType::dxntFinalizeSurface);
      Notify(TDXDrawNotifyType::dxntFinalize);
    }
  }
  surface_.reset();
  initialized_ = false;
  presented_ = QImage();
  update();
}

void TDXDraw::Flip() {
  if (!initialized_ || busy_ || !surface_)
    return;
  // Two buffers trade places: the composed frame is shown, and the next one is drawn on
  // the picture shown so far. Only the first Flip at a size makes the second buffer.
  const QImage &frame = surface_->Image();
  if (presented_.size() != frame.size() || presented_.format() != frame.format()) {
    presented_ = QImage(frame.size(), frame.format());
    if (presented_.isNull())
      return; // no memory for a second buffer: keep showing the last picture
    presented_.fill(Qt::black);
  }
  surface_->Exchange(presented_);
  update();
}

void TDXDraw::paintEvent(QPaintEvent *event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::black);
  if (presented_.isNull())
    return;
  const bool bounded = width() > kMaxSurfaceSide || height() > kMaxSurfaceSide;
  // A surface in device pixels is shown one to one, not scaled up. (The image keeps a ratio
  // of 1: the canvas's painters would scale what they draw on it.)
  const QSizeF shown = QSizeF(presented_.size()) / DeviceRatio();
  QPointF at(0, 0);
  // A bounded surface stays at the top left, where mouse positions are surface pixels.
  if ((Options & doCenter) != 0 && !bounded)
    at = QPointF(std::trunc((width() - shown.width()) / 2),
                 std::trunc((height() - shown.height()) / 2));
  painter.drawImage(QRectF(at, shown), presented_);
  if (bounded) {
    const QRegion beyond = QRegion(rect()) - QRegion(0, 0, kMaxSurfaceSide, kMaxSurfaceSide);
    for (const QRect &part : beyond & event->region())
      painter.fillRect(part, palette().window());
  }
}

void TDXDraw::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  if (!AutoSize || busy_)
    return;
  FollowSize(DeviceSide(event->size().width(), DeviceRatio()),
             DeviceSide(event->size().height(), DeviceRatio()));
}

double TDXDraw::DeviceRatio() const { return DeviceScale ? devicePixelRatioF() : 1; }

void TDXDraw::FollowDeviceRatio() {
  if (AutoSize && !busy_)
    FollowSize(DeviceSide(width(), DeviceRatio()), DeviceSide(height(), DeviceRatio()));
}

void TDXDraw::FollowSize(int width, int height) {
  width = Bounded(width);
  height = Bounded(height);
  if (width == SurfaceWidth() && height == SurfaceHeight())
    return;
  if (!initialized_) {
    requestWidth_ = width;
    requestHeight_ = height;
    return;
  }
  try {
    Recreate(width, height);
  } catch (const std::exception &error) {
    Finalize();
    if (OnError)
      OnError(error);
  }
}

void TDXDraw::Recreate(int width, int height) {
  requestWidth_ = width;
  requestHeight_ = height;
  try {
    surface_->Create(width, height); // same surface object, same canvas, cleared black
  } catch (...) {
    Finalize();
    throw;
  }
  Notify(TDXDrawNotifyType::dxntFinalizeSurface);
  Notify(TDXDrawNotifyType::dxntInitializeSurface);
  Notify(TDXDrawNotifyType::dxntSetSurfaceSize);
}

void TDXDraw::RegisterNotifyEvent(const void *receiver, TDXDrawNotifyEvent callback) {
  for (auto &entry : listeners_)
    if (entry.first == receiver) {
      entry.second = std::move(callback);
      return;
    }
  listeners_.emplace_back(receiver, std::move(callback));
}

void TDXDraw::UnRegisterNotifyEvent(const void *receiver) {
  std::erase_if(listeners_, [receiver](const auto &entry) { return entry.first == receiver; });
}

void TDXDraw::Notify(TDXDrawNotifyType type) {
  // A listener may register or unregister while being told; those it removes are skipped.
  const auto listeners = listeners_;
  for (const auto &[receiver, callback] : listeners) {
    const bool still =
        std::any_of(listeners_.begin(), listeners_.end(),
                    [receiver](const auto &entry) { return entry.first == receiver; });
    if (still && callback)
      callback(*this, type);
  }
}

TDXSpriteEngine::TDXSpriteEngine() : engine_(std::make_unique<TSpriteEngine>()) {}

TDXSpriteEngine::~TDXSpriteEngine() { SetDXDraw(nullptr); }

void TDXSpriteEngine::SetDXDraw(TDXDraw *draw) {
  if (draw == dxDraw_)
    return;
  if (dxDraw_ != nullptr) {
    dxDraw_->UnRegisterNotifyEvent(this);
    // The engine must not keep a surface whose control it no longer hears about.
    if (engine_->Surface() != nullptr && engine_->Surface() == dxDraw_->Surface())
      engine_->AttachSurface(nullptr);
  }
  dxDraw_ = draw;
  if (dxDraw_ == nullptr)
    return;
  dxDraw_->RegisterNotifyEvent(
      this, [this](TDXDraw &sender, TDXDrawNotifyType type) { Notified(sender, type); });
  if (dxDraw_->Initialized())
    engine_->AttachSurface(dxDraw_->Surface());
}

void TDXSpriteEngine::Notified(TDXDraw &sender, TDXDrawNotifyType type) {
  switch (type) {
  case TDXDrawNotifyType::dxntInitialize:
    engine_->AttachSurface(sender.Surface());
    break;
  case TDXDrawNotifyType::dxntFinalize:
    engine_->AttachSurface(nullptr);
    break;
  case TDXDrawNotifyType::dxntDestroying:
    if (dxDraw_ == &sender)
      dxDraw_ = nullptr;
    break;
  default:
    break;
  }
}

void TDXSpriteEngine::DrawSprites() {
  if (dxDraw_ != nullptr && dxDraw_->Initialized())
    engine_->Draw();
}
