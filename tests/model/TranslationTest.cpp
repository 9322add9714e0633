// The texts that base, display and model make for the user come out in English under the
// English translators, and every one of them, a failure's reasons included, goes through the
// translation without changing the German text.

#include "DocumentFixture.h"
#include "base/Errors.h"
#include "display/Canvas.h"
#include "display/Surface.h"
#include "model/Document.h"
#include "model/NumberText.h"
#include "model/PictureExport.h"
#include "model/Readouts.h"
#include "support/QtPrinters.h"
#include "support/Translators.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <functional>
#include <sys/stat.h>
#include <vector>

namespace {

// The message of act's failure.
QString FailureOf(const std::function<void()> &act) {
  try {
    act();
  } catch (const EKraftbildError &error) {
    return error.Message();
  }
  return QStringLiteral("no error");
}

// A text the code makes, and its English (null where the table does not say it).
struct TMadeText {
  const char *what;
  std::function<QString()> make;
  const char *english;
};

class ModelTranslationTest : public DocumentTest {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    AddCharge(100, 100, 1e-9L);
    AddCharge(300, 100, 0, true); // feels a force but has no charge of its own
    AddCharge(100, 100, 1, true); // on the source: infinite potential
  }

  std::vector<TMadeText> Texts() {
    return {
        {"number text", [] { return FailureOf([] { StrToNumber(QStringLiteral("abc")); }); },
         "'abc' is not a valid floating point value"},
        {"picture into a missing folder",
         [this] { return FailureOf([this] { WritePngImage(image, missing); }); },
         "The picture could not be written to $missing. The file or folder does not exist."},
        {"picture onto a FIFO",
         [this] { return FailureOf([this] { WritePngImage(image, fifo); }); },
         "The picture could not be written to $fifo. It is not a regular file."},
        {"canvas on an 8-bit image",
         [] {
           return FailureOf([] {
             QImage indexed(4, 4, QImage::Format_Indexed8);
             TCanvas(&indexed).Rectangle(0, 0, 2, 2);
           });
         },
         "Canvas does not allow drawing"},
        {"surface exchanged for another size",
         [] {
           return FailureOf([] {
             TDirectDrawSurface surface;
             surface.Create(4, 4);
             QImage other(2, 2, QImage::Format_RGB32);
             surface.Exchange(other);
           });
         },
         nullptr},
        {"no test charge", [this] { return DataRowsFor(scene, nullptr).Force; },
         "(no test charge)"},
        {"test charge without charge",
         [this] { return DataRowsFor(scene, &scene.Charges[1]).Angle; }, nullptr},
        {"potential on a source",
         [this] { return DataRowsFor(scene, &scene.Charges[2]).Potential; }, "(infinite)"},
        {"no charge chosen", [this] { return PanelCaption(scene, nullptr); }, nullptr},
        {"click hint", [this] { return VoltageValueText(scene, nullptr, nullptr, kValueVoltage); },
         "(Click a field above, then the charge you want.)"},
        {"value hint",
         [this] { return VoltageValueText(scene, &scene.Charges[0], &scene.Charges[1], -1); },
         nullptr},
    };
  }

  QString WithPaths(const char *text) const {
    return QString::fromUtf8(text)
        .replace(QStringLiteral("$missing"), missing)
        .replace(QStringLiteral("$fifo"), fifo);
  }

  QTemporaryDir dir;
  QString missing = dir.filePath(QStringLiteral("fehlt/bild.png"));
  QString fifo = dir.filePath(QStringLiteral("rohr.png"));
  QImage image{4, 4, QImage::Format_RGB32};
};

TEST_F(ModelTranslationTest, EnglishTranslatorsGiveEnglishTexts) {
  TDocument document;
  document.CreateCharge(100, 100);
  const TInstalledTranslators english{"base", "display", "model"};
  for (const TMadeText &text : Texts()) {
    SCOPED_TRACE(text.what);
    if (text.english != nullptr) {
      EXPECT_EQ(text.make(), WithPaths(text.english));
    }
  }
  // History steps keep their German names, so that steps recorded before a switch follow it;
  // the menu translates them.
  EXPECT_EQ(document.History().UndoText(), QStringLiteral("Ladung erzeugen"));
  EXPECT_EQ(
      QCoreApplication::translate("TDocument", document.History().UndoText().toUtf8().constData()),
      QStringLiteral("Create Charge"));
}

// Every sentence of every text carries the mark: the fixed text and each reason put into it
// were translated; without the marks the text is the German one.
TEST_F(ModelTranslationTest, EveryTextAndReasonGoesThroughTheTranslation) {
  for (const TMadeText &text : Texts()) {
    SCOPED_TRACE(text.what);
    const QString german = text.make();
    ASSERT_NE(german, QStringLiteral("no error"));
    QString marked;
    {
      const TInstalledTranslators marking{std::make_unique<TMarkingTranslator>()};
      marked = text.make();
    }
    for (const QString &sentence : marked.split(QStringLiteral(". ")))
      EXPECT_TRUE(sentence.startsWith(TMarkingTranslator::Mark())) << sentence.toStdString();
    EXPECT_EQ(QString(marked).remove(TMarkingTranslator::Mark()), german);
  }
}

} // namespace
