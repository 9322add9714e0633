#pragma once
// The drawing-surface control and the sprite-engine component that draws the charges on it.
// Frames are composed on the control's off-screen surface and presented with Flip, which
// exchanges the surface's image with the picture the control shows (two buffers, no copy);
// a repaint shows that last presented picture again and never a frame that is still being
// composed. After a Flip the surface holds an older frame: every frame is drawn whole.

#include "display/Sprite.h"
#include "display/Surface.h"
#include "widgets/ErrorGuard.h"

#include <QImage>
#include <QWidget>

#include <exception>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// What the control tells its listeners.
enum class TDXDrawNotifyType {
  dxntInitializing,      // Initialize begins
  dxntSetSurfaceSize,    // the surface has a new size
  dxntInitialize,        // initialised: the surface exists
  dxntInitializeSurface, // the surface image was made
  dxntRestore,           // the surface and the screen were cleared after initialising
  dxntFinalizeSurface,   // the surface image is about to go
  dxntFinalize,          // finalised: the surface is about to go
  dxntDestroying,        // the control is being destroyed
};

// Options that change what the control does when presenting.
enum TDXDrawOption : unsigned {
  doWaitVBlank = 1u, // present in step with the display (Qt's repaint scheduling does this)
  doCenter = 2u,     // centre the picture when its size differs from the control's
};

class TDXDraw;
using TDXDrawNotifyEvent = std::function<void(TDXDraw &sender, TDXDrawNotifyType type)>;

class TDXDraw : public QWidget {
  Q_OBJECT

public:
  explicit TDXDraw(QWidget *parent = nullptr);
  ~TDXDraw() override;

  // Makes the surface at the control's size (with AutoSize), at least 1 by 1 and at most
  // kMaxSurfaceSide a side, cleared black,
  // after finalising whatever exists. Raises EDXDrawError "Form not found" when the control
  // is not inside a window of its own; on any failure the control stays uninitialised.
  void Initialize();
  // Tells the listeners and frees the surface; does nothing when there is none.
  void Finalize();
  // Presents the surface: its image becomes the picture the control shows, and the surface
  // gets the one shown before (black after a change of size); a repaint is scheduled. Does nothing
  // while not initialised. Repaints are coalesced by Qt to the display's refresh, which is what
  // waiting for the vertical blank achieved.
  void Flip();

  bool Initialized() const { return initialized_; }
  // The surface to draw on; null before Initialize and after Finalize.
  TDirectDrawSurface *Surface() const { return surface_.get(); }
  // The surface's size while it exists, otherwise the size asked for (640 by 480 at first).
  int32_t SurfaceWidth() const;
  int32_t SurfaceHeight() const;
  // Asks for a surface size, bounded by kMaxSurfaceSide a side; made at once when initialised,
  // otherwise used by Initialize when AutoSize is off.
  void SetSurfaceSize(int32_t width, int32_t height);

  // The surface follows the control's size (on by default).
  bool AutoSize = true;
  // The surface has the screen's device pixels (the control's size times its device pixel
  // ratio) and is shown one to one, so that what is drawn on it is sharp at any scale
  // factor; off, it has the control's logical pixels and is scaled up when shown.
  bool DeviceScale = false;
  // Device pixels per logical pixel of the surface: the control's ratio with DeviceScale.
  double DeviceRatio() const;
  // Makes the surface again at the device pixels of the control's screen (with AutoSize),
  // after the control moved to a screen of another ratio.
  void FollowDeviceRatio();
  unsigned Options = doWaitVBlank | doCenter;

  // The picture shown by the last Flip; null before the first one.
  const QImage &PresentedImage() const { return presented_; }

  // Listeners, keyed by their receiver; registering a receiver again replaces its callback.
  void RegisterNotifyEvent(const void *receiver, TDXDrawNotifyEvent callback);
  void UnRegisterNotifyEvent(const void *receiver);

  // Failures of the control's own event handling (making the surface again after a resize),
  // which cannot travel to a caller: the control is left uninitialised and the error is
  // handed here; by default it is reported in the error box like any other error.
  std::function<void(const std::exception &)> OnError = ReportException;

protected:
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

private:
  void Notify(TDXDrawNotifyType type);
  void FollowSize(int width, int height);
  void Recreate(int width, int height);

  std::unique_ptr<TDirectDrawSurface> surface_;
  QImage presented_;
  bool initialized_ = false;
  bool busy_ = false; // initialising or finalising: size changes wait
  int32_t requestWidth_ = 640;
  int32_t requestHeight_ = 480;
  std::vector<std::pair<const void *, TDXDrawNotifyEvent>> listeners_;
};

// Connects a sprite tree to a drawing-surface control: the engine's surface follows the
// control's initialisation, and DrawSprites draws the tree on it.
class TDXSpriteEngine {
public:
  TDXSpriteEngine();
  ~TDXSpriteEngine();
  TDXSpriteEngine(const TDXSpriteEngine &) = delete;
  TDXSpriteEngine &operator=(const TDXSpriteEngine &) = delete;

  TDXDraw *DXDraw() const { return dxDraw_; }
  // Listens to draw (and no longer to the previous control); attaches draw's surface at
  // once when it is initialised.
  void SetDXDraw(TDXDraw *draw);
  TSpriteEngine *Engine() const { return engine_.get(); }
  // Draws every visible sprite that overlaps the surface, when there is an initialised
  // control; otherwise does nothing.
  void DrawSprites();

private:
  void Notified(TDXDraw &sender, TDXDrawNotifyType type);

  TDXDraw *dxDraw_ = nullptr;
  std::unique_ptr<TSpriteEngine> engine_;
};
