// The commands of "Bearbeiten" on the selected charges: the clipboard, duplicating, selecting
// all and flipping the sign.
#include "app/MainWindow.h"
#include "model/ChargeTransfer.h"
#include "model/Document.h"
#include "widgets/ErrorGuard.h"

#include <QAction>
#include <QMenu>

void TForm1::CreateSelectionMenu() {
  Bearbeiten1->addSeparator();
  MenuItem_Cut = Bearbeiten1->addAction(QString());
  MenuItem_Copy = Bearbeiten1->addAction(QString());
  MenuItem_Paste = Bearbeiten1->addAction(QString());
  MenuItem_Duplicate = Bearbeiten1->addAction(QString());
  MenuItem_SelectAll = Bearbeiten1->addAction(QString());
  MenuItem_FlipSign = Bearbeiten1->addAction(QString());
  const std::pair<QAction *, QKeySequence> keys[] = {
      {MenuItem_Cut, QKeySequence(Qt::CTRL | Qt::Key_X)},
      {MenuItem_Copy, QKeySequence(Qt::CTRL | Qt::Key_C)},
      {MenuItem_Paste, QKeySequence(Qt::CTRL | Qt::Key_V)},
      {MenuItem_Duplicate, QKeySequence(Qt::CTRL | Qt::Key_D)},
      {MenuItem_SelectAll, QKeySequence(Qt::CTRL | Qt::Key_A)},
      {MenuItem_FlipSign, QKeySequence(Qt::CTRL | Qt::Key_U)}};
  for (const auto &[action, key] : keys) {
    action->setShortcut(key);
    // Only in the main window: in the tool windows these keys work on the text fields.
    action->setShortcutContext(Qt::WindowShortcut);
  }
  ConnectGuarded(MenuItem_Cut, &QAction::triggered, this, [this] { CutSelection(); });
  ConnectGuarded(MenuItem_Copy, &QAction::triggered, this, [this] { CopySelection(); });
  ConnectGuarded(MenuItem_Paste, &QAction::triggered, this, [this] { PasteCharges(); });
  ConnectGuarded(MenuItem_Duplicate, &QAction::triggered, this, [this] { DuplicateSelection(); });
  ConnectGuarded(MenuItem_SelectAll, &QAction::triggered, this, [this] { document_.SelectAll(); });
  ConnectGuarded(MenuItem_FlipSign, &QAction::triggered, this, [this] {
    ReleaseGrab();
    document_.FlipSelection();
  });
}

void TForm1::CopySelection() {
  const std::vector<TTransferredCharge> charges =
      TransferredCharges(document_.Scene(), document_.SelectedIndices());
  if (!charges.empty())
    clipboard_->Put(EncodeCharges(charges), ChargesText(charges));
}

void TForm1::CutSelection() {
  // A grab never outlives its charge.
  ReleaseGrab();
  CopySelection();
  document_.DeleteSelection();
}

void TForm1::PasteCharges() {
  const std::optional<std::vector<TTransferredCharge>> charges =
      DecodeCharges(clipboard_->Charges());
  if (!charges)
    return;
  ReleaseGrab();
  std::optional<TPoint> at;
  if (mouseOnSurface_)
    at = TPoint{mouseOnSurface_->x(), mouseOnSurface_->y()};
  document_.AddCharges(PlacedCharges(document_.Scene(), *charges, at, kPasteOffset), false);
}

void TForm1::DuplicateSelection() {
  ReleaseGrab();
  const TScene &scene = document_.Scene();
  document_.AddCharges(PlacedCharges(scene, TransferredCharges(scene, document_.SelectedIndices()),
                                     std::nullopt, kPasteOffset),
                       true);
}
