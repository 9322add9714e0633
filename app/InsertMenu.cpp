// The main window's "Einfügen" menu: a row of charges, its segment typed in the row window or
// dragged on the drawing surface.
#include "app/MainWindow.h"

#include "app/ChargeRowWindow.h"
#include "model/Document.h"
#include "widgets/ErrorGuard.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

void TForm1::CreateInsertMenu() {
  Einfuegen1 = menuBar()->addMenu(QString());
  MenuItem_ChargeRow = Einfuegen1->addAction(QString());
  Einfuegen1->setToolTipsVisible(true);
  ConnectGuarded(MenuItem_ChargeRow, &QAction::triggered, this, [this] { ShowChargeRowWindow(); });
}

void TForm1::ShowChargeRowWindow() {
  if (chargeRowWindow_ == nullptr) {
    chargeRowWindow_ = new TChargeRowWindow(this);
    // A segment across the middle half of the view, for a start.
    const TSize size = SurfaceSize();
    const TScene &scene = document_.Scene();
    chargeRowWindow_->ShowSegment(scene.ScreenToWorld(size.Width / 4.0L, size.Height / 2.0L),
                                  scene.ScreenToWorld(size.Width * 3 / 4.0L, size.Height / 2.0L));
    ConnectGuarded(chargeRowWindow_, &TChargeRowWindow::DragRequested, this, [this] {
      rowDrag_ = {};
      rowDrag_.Armed = true;
      StatusHint->setText(tr("Ziehen: Strecke der Ladungsreihe"));
      activateWindow();
    });
    ConnectGuarded(chargeRowWindow_, &TChargeRowWindow::InsertRequested, this, [this] {
      const TChargeRow row = chargeRowWindow_->ReadRow(document_.Scene());
      document_.AddRow(RowCharges(document_.Scene(), row));
    });
  }
  chargeRowWindow_->show();
  chargeRowWindow_->raise();
}

bool TForm1::RowDragMouse(TRowDragEvent event, int x, int y) {
  if (!rowDrag_.Armed)
    return false;
  switch (event) {
  case TRowDragEvent::Press:
    rowDrag_.From = QPoint(x, y);
    rowDrag_.To = QPoint(x, y);
    break;
  case TRowDragEvent::Move:
    if (!rowDrag_.From)
      return false; // the mouse only passes by: the status bar shows where it is
    rowDrag_.To = QPoint(x, y);
    break;
  case TRowDragEvent::Release:
    if (!rowDrag_.From)
      return true;
    rowDrag_.To = QPoint(x, y);
    rowDrag_.Armed = false;
    break;
  }
  const TScene &scene = document_.Scene();
  chargeRowWindow_->ShowSegment(scene.ScreenToWorld(rowDrag_.From->x(), rowDrag_.From->y()),
                                scene.ScreenToWorld(rowDrag_.To.x(), rowDrag_.To.y()));
  if (!rowDrag_.Armed) {
    rowDrag_ = {};
    RenderFrame(true);
    chargeRowWindow_->raise();
    chargeRowWindow_->activateWindow();
    return true;
  }
  // The segment on top of the frame, dashed, until the mouse is released.
  TDirectDrawSurface *surface = DXDraw->Surface();
  if (surface == nullptr)
    return true;
  RenderFrame(false);
  TDirectDrawSurfaceCanvas &canvas = surface->Canvas();
  canvas.Pen.Style = TPenStyle::psDash;
  canvas.Pen.Color = 0x000000;
  canvas.Pen.Width = 0;
  // The surface has the screen's device pixels.
  const TPoint from = OnDevice(rowDrag_.From->x(), rowDrag_.From->y());
  const TPoint to = OnDevice(rowDrag_.To.x(), rowDrag_.To.y());
  canvas.MoveTo(from.X, from.Y);
  canvas.LineTo(to.X, to.Y);
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Release();
  DXDraw->Flip();
  return true;
}
