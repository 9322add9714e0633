// The messages of failed reads and writes of project and recovery files come out in English
// under the English translators, and every sentence of them, reasons included, goes through
// the translation without changing the German text.

#include "ProjectBytes.h"

#include "file/ProjectFile.h"
#include "file/RecoveryStore.h"
#include "support/QtPrinters.h"
#include "support/Translators.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <functional>
#include <sys/stat.h>
#include <vector>

namespace {

struct TFailure {
  const char *what;
  std::function<void()> act;
  const char *english; // with $path for the file; null where the table does not say it
};

class FileTranslationTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  }

  // Each failure reads or writes a file of its own at Path(what).
  QString Path(const char *what) const { return dir.filePath(QString::fromUtf8(what)); }
  void Put(const char *what, const QByteArray &bytes) const {
    QFile file(Path(what));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }
  static TProjectData Spoilt(void (*spoil)(TProjectData &)) {
    TProjectData data = WorkedExampleData();
    spoil(data);
    return data;
  }

  std::vector<TFailure> Failures() {
    Put("truncated", QByteArray(1, '\x8C'));
    Put("out of range",
        EncodeProject(Spoilt([](TProjectData &d) { d.Charges[0].ChargeUnit = 2; })));
    Put("chosen charge missing",
        EncodeProject(Spoilt([](TProjectData &d) { d.SecondChosen = 1; })));
    Put("recovery of another kind", "KBPROJECT");
    Put("truncated recovery", "KBRECOV1\x01");
    const auto load = [this](const QString &path) {
      return [this, path] {
        TProjectData read;
        LoadProjectFile(path, read);
      };
    };
    return {
        {"truncated", load(Path("truncated")),
         "Stream read error in the file \"$path\". The file ends prematurely."},
        {"out of range", load(Path("out of range")),
         "Invalid property value in the file \"$path\". A value is out of its range."},
        {"chosen charge missing", load(Path("chosen charge missing")),
         "List index out of bounds (1) in the file \"$path\". A selected charge is missing."},
        {"missing", load(Path("missing")),
         "Cannot open file $path. The file or folder does not exist."},
        {"FIFO", load(fifo), "Cannot open file $fifo. It is not a regular file."},
        {"save into a missing folder",
         [this] {
           SaveProjectFile(Path("save into a missing folder") + "/new.kbf", WorkedExampleData());
         },
         "Cannot create file \"$path/new.kbf\". The file or folder does not exist."},
        {"save onto a FIFO", [this] { SaveProjectFile(fifo, WorkedExampleData()); },
         "Cannot create file \"$fifo\". It is not a regular file."},
        {"save of data the reader would refuse",
         [] {
           SaveProjectFile(QStringLiteral("/nowhere.kbf"),
                           Spoilt([](TProjectData &d) { d.Charges[0].X = HUGE_VAL; }));
         },
         "Invalid property value"},
        {"recovery of another kind", [this] { ReadRecoveryFile(Path("recovery of another kind")); },
         "Not a recovery file of Das Kraftbild"},
        {"truncated recovery", [this] { ReadRecoveryFile(Path("truncated recovery")); },
         "Stream read error"},
        {"recovery missing", [this] { ReadRecoveryFile(Path("recovery missing")); },
         "Cannot open file $path. The file or folder does not exist."},
    };
  }

  QString English(const TFailure &failure) const {
    return QString::fromUtf8(failure.english)
        .replace(QStringLiteral("$path"), Path(failure.what))
        .replace(QStringLiteral("$fifo"), fifo);
  }

  static QString FailureOf(const std::function<void()> &act) {
    try {
      act();
    } catch (const EKraftbildError &error) {
      return error.Message();
    }
    return QStringLiteral("no error");
  }

  QTemporaryDir dir;
  QString fifo = dir.filePath(QStringLiteral("rohr.kbf"));
};

TEST_F(FileTranslationTest, EnglishTranslatorsGiveEnglishMessages) {
  const std::vector<TFailure> failures = Failures();
  const TInstalledTranslators english{"base", "model", "file"};
  for (const TFailure &failure : failures) {
    SCOPED_TRACE(failure.what);
    if (failure.english != nullptr) {
      EXPECT_EQ(FailureOf(failure.act), English(failure));
    }
  }
}

// Every sentence carries the mark: the fixed text and each reason put into it were translated;
// without the marks the message is the German one.
TEST_F(FileTranslationTest, EveryMessageAndReasonGoesThroughTheTranslation) {
  for (const TFailure &failure : Failures()) {
    SCOPED_TRACE(failure.what);
    const QString german = FailureOf(failure.act);
    ASSERT_NE(german, QStringLiteral("no error"));
    QString marked;
    {
      const TInstalledTranslators marking{std::make_unique<TMarkingTranslator>()};
      marked = FailureOf(failure.act);
    }
    for (const QString &sentence : marked.split(QStringLiteral(". ")))
      EXPECT_TRUE(sentence.startsWith(TMarkingTranslator::Mark())) << sentence.toStdString();
    EXPECT_EQ(QString(marked).remove(TMarkingTranslator::Mark()), german);
  }
}

} // namespace
