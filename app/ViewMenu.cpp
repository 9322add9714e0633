// The main window's "Ansicht" menu and the mouse wheel: zoom in the steps of the view tab's
// list, about the mouse or the middle of the drawing surface, and "Alles zeigen".
#include "app/MainWindow.h"

#include "app/PictureStyleWindow.h"

#include "model/Document.h"
#include "model/Zoom.h"
#include "widgets/ErrorGuard.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <cstdlib>
#include <optional>

namespace {

constexpr int kWheelNotch = 120; // angle delta of one notch (1/8 degree)

} // namespace

void TForm1::CreateViewMenu() {
  Ansicht1 = menuBar()->addMenu(QString());
  MenuItem_ZoomIn = Ansicht1->addAction(QString());
  // Plus needs Shift on many keyboards: Strg+= is the same key there.
  MenuItem_ZoomIn->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
       QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Plus)});
  MenuItem_ZoomOut = Ansicht1->addAction(QString());
  MenuItem_ZoomOut->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Minus),
       QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Minus)});
  Ansicht1->addSeparator();
  MenuItem_ShowAll = Ansicht1->addAction(QString());
  Ansicht1->addSeparator();
  MenuItem_PictureStyle = Ansicht1->addAction(QString());
  const auto middle = [this] {
    const TSize size = SurfaceSize();
    return TPoint{size.Width / 2, size.Height / 2};
  };
  ConnectGuarded(MenuItem_ZoomIn, &QAction::triggered, this,
                 [this, middle] { ZoomStep(1, middle()); });
  ConnectGuarded(MenuItem_ZoomOut, &QAction::triggered, this,
                 [this, middle] { ZoomStep(-1, middle()); });
  ConnectGuarded(MenuItem_ShowAll, &QAction::triggered, this, [this] { MenuItem_ShowAllClick(); });
  ConnectGuarded(MenuItem_PictureStyle, &QAction::triggered, this, [this] {
    if (pictureStyleWindow_ == nullptr) {
      pictureStyleWindow_ = new TPictureStyleWindow(this);
      pictureStyleWindow_->ShowStyle(pictureStyle_);
      ConnectGuarded(pictureStyleWindow_, &TPictureStyleWindow::StyleChanged, this,
                     [this](const TPictureStyle &style) {
                       SetPictureStyle(style);
                       if (PictureStyleChosen)
                         PictureStyleChosen(style);
                     });
    }
    pictureStyleWindow_->show();
    pictureStyleWindow_->raise();
  });
}

void TForm1::DXDrawMouseWheel(int angleDelta, int x, int y) {
  wheelRemainder_ += angleDelta;
  const int notches = wheelRemainder_ / kWheelNotch;
  wheelRemainder_ -= notches * kWheelNotch;
  for (int i = 0; i < std::abs(notches); ++i)
    ZoomStep(notches > 0 ? 1 : -1, {x, y});
}

void TForm1::ZoomStep(int direction, TPoint pivot) {
  if (DragCharge != -1 || PanAnchor.X != -1)
    return;
  if (const std::optional<long double> zoom =
          NextZoomStep(document_.Scene().ZoomFactor(), direction))
    document_.ZoomAbout(*zoom, pivot);
}

void TForm1::MenuItem_ShowAllClick() {
  if (DragCharge != -1 || PanAnchor.X != -1)
    return;
  document_.ShowAll(SurfaceSize());
}
