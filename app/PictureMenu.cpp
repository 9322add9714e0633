// The main window's picture commands in "Datei": export to PNG, SVG or PDF, print with a
// preview, and copy to the clipboard. None of them touches the project or its file.
#include "app/MainWindow.h"
#include "app/ParticlePlayer.h"
#include "model/Document.h"

#include "base/Errors.h"
#include "base/ReplacingFile.h"
#include "model/PictureExport.h"
#include "widgets/Dialogs.h"
#include "widgets/ErrorGuard.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPrinter>

namespace {

QString PictureFilter() {
  return QCoreApplication::translate(
      "TForm1", "PNG-Bild (*.png)|*.png|SVG-Zeichnung (*.svg)|*.svg|PDF-Dokument (*.pdf)|*.pdf");
}

} // namespace

void TForm1::CreatePictureMenu() {
  MenuItem_ExportPicture = new QAction(this);
  MenuItem_Print = new QAction(this);
  MenuItem_Print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  MenuItem_CopyPicture = new QAction(this);
  // Strg+C copies the selected charges. Only in the main window: in the tool windows the
  // keys belong to their fields.
  MenuItem_CopyPicture->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  MenuItem_CopyPicture->setShortcutContext(Qt::WindowShortcut);
  Datei1->insertActions(MenuItem_End,
                        {MenuItem_ExportPicture, MenuItem_Print, MenuItem_CopyPicture});
  Datei1->insertSeparator(MenuItem_End);
  ConnectGuarded(MenuItem_ExportPicture, &QAction::triggered, this,
                 [this] { MenuItem_ExportPictureClick(); });
  ConnectGuarded(MenuItem_Print, &QAction::triggered, this, [this] { MenuItem_PrintClick(); });
  ConnectGuarded(MenuItem_CopyPicture, &QAction::triggered, this,
                 [this] { MenuItem_CopyPictureClick(); });
}

TPicture TForm1::Picture() const {
  return {&document_.Scene(), &ChargeSprites, PictureTarget(), false, player_->Trails()};
}

void TForm1::MenuItem_ExportPictureClick() {
  QString initial = pictureName_;
  if (initial.isEmpty() && !FileName().isEmpty()) {
    const QFileInfo project(FileName());
    initial = project.absoluteDir().filePath(project.completeBaseName() + QStringLiteral(".png"));
  }
  const std::optional<QString> name = Dialogs().SaveFileName(
      this, PictureFilter(), QStringLiteral("png"), initial, tr("Bild exportieren"));
  if (!name)
    return;
  pictureName_ = *name;
  const std::optional<TPictureFormat> format = PictureFormatOf(*name);
  if (!format)
    throw EWriteError(tr("Das Bild konnte nicht nach %1 geschrieben werden: Bilder werden als "
                         "PNG, SVG oder PDF exportiert")
                          .arg(*name));
  WritePicture(Picture(), *name, *format);
}

void TForm1::PrintPicture(QPrinter &printer) const {
  // Printing into a file writes it directly: a FIFO there would block the program.
  if (const QString target = printer.outputFileName(); !target.isEmpty()) {
    if (const QString problem = WriteTargetProblem(target); !problem.isEmpty())
      throw EFCreateError(tr("Datei \"%1\" kann nicht erstellt werden. %2").arg(target, problem));
  }
  QPainter painter;
  if (!painter.begin(&printer))
    throw EWriteError(tr("Das Bild konnte nicht gedruckt werden"));
  // The painter's origin is the printable area's corner.
  const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
  PaintPictureOnPage(painter, Picture(), page, pictureStyle_.FitPage);
}

void TForm1::MenuItem_PrintClick() {
  const TSize area = SurfaceSize();
  Dialogs().PrintPreview(this,
                         area.Width > area.Height ? QPageLayout::Landscape : QPageLayout::Portrait,
                         [this](QPrinter &printer) { PrintPicture(printer); });
}

void TForm1::MenuItem_CopyPictureClick() {
  QGuiApplication::clipboard()->setImage(PictureImage(Picture()));
}
