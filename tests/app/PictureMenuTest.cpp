// The picture commands of "Datei": export through the save dialog, copy, and print; the
// project, its file name and Modified stay as they were.
#include "support/ProgramFixture.h"
#include "support/VectorPictures.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

class PictureMenuTest : public ProgramTest {
protected:
  // A positive and a negative source 38 px (10.05 mm at 96 ppi) apart, as clicks put them.
  void SetUp() override {
    ProgramTest::SetUp();
    Create(300, 200);
    ChangeCharge(Create(338, 200),
                 [](TPointCharge &charge) { charge.ChargeValue = -kElementaryCharge; });
    Form1->SetFileName(dir.filePath(QStringLiteral("feld.kbf")));
    Doc().MarkSaved();
  }
  // The frame the screen shows without a selection.
  QImage ScreenWithoutSelection() const {
    Doc().Select(-1);
    Form1->BackgroundRenderer()->DrawNow(Scene(), Form1->PictureTarget());
    Form1->RenderFrame(true);
    return Form1->DXDraw->PresentedImage().convertToFormat(QImage::Format_RGB32);
  }
  QTemporaryDir dir;
};

TEST_F(PictureMenuTest, ExportWritesTheTypeOfTheChosenNameAndLeavesTheProjectAlone) {
  const QString project = Form1->FileName();
  struct Case {
    const char *name;
    QByteArray start; // of the file's bytes
  };
  for (const Case &c :
       {Case{"bild.png", "\x89PNG"}, Case{"bild.SVG", "<?xml"}, Case{"bild.pdf", "%PDF"}}) {
    SCOPED_TRACE(c.name);
    const QString path = dir.filePath(c.name);
    dialogs->FileNames.push_back(path);
    Form1->MenuItem_ExportPicture->trigger();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith(c.start));
    EXPECT_FALSE(Doc().Modified());
    EXPECT_EQ(Form1->FileName(), project);
  }
  const auto saves = dialogs->Calls;
  ASSERT_GE(saves.size(), 3u);
  EXPECT_TRUE(saves[0].Title.contains(QStringLiteral("PDF-Dokument (*.pdf)")));
  EXPECT_EQ(saves[0].Caption, QStringLiteral("Bild exportieren")) << "not \"Speichern unter\"";
  EXPECT_EQ(saves[0].Text, dir.filePath(QStringLiteral("feld.png"))) << "named after the project";
  EXPECT_EQ(saves[1].Text, dir.filePath(QStringLiteral("bild.png"))) << "then the last export";
  EXPECT_TRUE(dialogs->Errors().empty());

  const QImage png(dir.filePath(QStringLiteral("bild.png")));
  EXPECT_TRUE(png.convertToFormat(QImage::Format_RGB32) == ScreenWithoutSelection());
  EXPECT_EQ(png.dotsPerMeterX(), 3780);
}

// A FIFO as the target would block the export or the printing into a file for good.
TEST_F(PictureMenuTest, AFailedExportOrPrintIsReportedAndChangesNothing) {
  const QString missing = dir.filePath(QStringLiteral("fehlt/bild.png"));
  const QString unknown = dir.filePath(QStringLiteral("bild.jpg"));
  const QString fifo = dir.filePath(QStringLiteral("rohr.pdf"));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  dialogs->FileNames = {missing, unknown, fifo};
  dialogs->PrintFiles = {fifo};
  for (int i = 0; i < 3; ++i)
    Form1->MenuItem_ExportPicture->trigger();
  Form1->MenuItem_Print->trigger();
  EXPECT_EQ(dialogs->Errors(),
            (std::vector<QString>{
                QStringLiteral("Das Bild konnte nicht nach %1 geschrieben werden. Die Datei oder "
                               "der Ordner existiert nicht.")
                    .arg(missing),
                QStringLiteral("Das Bild konnte nicht nach %1 geschrieben werden: Bilder werden "
                               "als PNG, SVG oder PDF exportiert.")
                    .arg(unknown),
                QStringLiteral("Das Bild konnte nicht nach %1 geschrieben werden. Sie ist keine "
                               "gewöhnliche Datei.")
                    .arg(fifo),
                QStringLiteral("Datei \"%1\" kann nicht erstellt werden. Sie ist keine "
                               "gewöhnliche Datei.")
                    .arg(fifo)}));
  EXPECT_FALSE(QFile::exists(unknown));
  struct stat st {};
  ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_FALSE(Doc().Modified());
}

TEST_F(PictureMenuTest, CopyPutsTheScreenPictureOnTheClipboard) {
  EXPECT_EQ(Form1->MenuItem_CopyPicture->shortcut(),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  Form1->MenuItem_CopyPicture->trigger();
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_TRUE(copied.convertToFormat(QImage::Format_RGB32) == ScreenWithoutSelection());
  EXPECT_FALSE(Doc().Modified());
}

// Printed through the preview on a PDF printer at its own resolution, the pair is as far
// apart as on screen at 96 ppi; the wide picture lies on a landscape page.
TEST_F(PictureMenuTest, PrintDrawsThePictureAtTrueScale) {
  const QString path = dir.filePath(QStringLiteral("druck.pdf"));
  dialogs->PrintFiles.push_back(path);
  Form1->MenuItem_Print->trigger();
  ASSERT_EQ(dialogs->Calls.size(), 1u);
  EXPECT_EQ(dialogs->Calls[0].Kind, QStringLiteral("print"));
  EXPECT_EQ(dialogs->Calls[0].Text, QStringLiteral("landscape"));
  const QImage page = RenderPdf(path, 254);
  if (page.isNull())
    GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
  const std::optional<QPointF> red = Centroid(page, 0xFF0000);
  const std::optional<QPointF> blue = Centroid(page, 0x0000FF);
  ASSERT_TRUE(red && blue);
  EXPECT_GT(page.width(), page.height());
  EXPECT_NEAR(blue->x() - red->x(), 38 * 254 / 96.0, 1);
  EXPECT_NEAR(blue->y() - red->y(), 0, 1);
}

} // namespace
