// Project files on disk: load and save, and a save that fails leaves the old file alone.

#include "ProjectBytes.h"

#include "app/file/ProjectFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A save file whose device refuses writes once budget bytes have gone through.
class TFailingSaveFile : public QSaveFile {
public:
  TFailingSaveFile(const QString &path, qint64 budget) : QSaveFile(path), budget_(budget) {}

protected:
  qint64 writeData(const char *data, qint64 length) override {
    if (length > budget_)
      return -1;
    budget_ -= length;
    return QSaveFile::writeData(data, length);
  }

private:
  qint64 budget_;
};

class ProjectFileTest : public ::testing::Test {
protected:
  QByteArray Contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
  }
  void Put(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }
  // A project larger than one buffer of the writer and the reader.
  static TProjectData Large() {
    TProjectData data = WorkedExampleData();
    for (int i = 0; i < 150; ++i)
      data.Charges.push_back({i * 1.5, -i * 0.25, i * 1e-19L, uint32_t(i), i % 2 == 0, 1});
    data.SecondChosen = 149;
    return data;
  }

  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("Projekt ä.kbf"));
};

TEST_F(ProjectFileTest, SaveReplacesTheFileAndLoadReadsItBack) {
  Put(path, QByteArray(5000, 'x'));
  SaveProjectFile(path, WorkedExampleData());
  EXPECT_EQ(Contents(path), Hex(kWorkedExampleHex));

  SaveProjectFile(path, Large());
  EXPECT_EQ(Contents(path), EncodeProject(Large()));
  TProjectData read;
  LoadProjectFile(path, read);
  EXPECT_EQ(read, Large());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Projekt ä.kbf"});
}

TEST_F(ProjectFileTest, AFailedWriteKeepsTheOldFileAsItWas) {
  const QByteArray old = EncodeProject(WorkedExampleData());
  Put(path, old);
  for (const qint64 budget : {0, 2048}) {
    SCOPED_TRACE(budget);
    EXPECT_EQ(Outcome([&] {
                SaveProjectFile(path, Large(), [&](const QString &target) {
                  return std::make_unique<TFailingSaveFile>(target, budget);
                });
              }),
              "EWriteError: Stream-Schreibfehler");
    EXPECT_EQ(Contents(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
  }
}

TEST_F(ProjectFileTest, FilesThatCannotBeOpenedOrCreatedNameThePathAndTheReason) {
  const QString missing = dir.filePath(QStringLiteral("fehlt/neu.kbf"));
  const std::string create = Outcome([&] { SaveProjectFile(missing, WorkedExampleData()); });
  const std::string createStart =
      "EFCreateError: Datei \"" + missing.toStdString() + "\" kann nicht erstellt werden. ";
  EXPECT_EQ(create.substr(0, createStart.size()), createStart);
  EXPECT_GT(create.size(), createStart.size()); // the system's reason follows
  EXPECT_FALSE(QFile::exists(missing));

  TProjectData read = WorkedExampleData();
  const std::string open = Outcome([&] { LoadProjectFile(missing, read); });
  const std::string openStart =
      "EFOpenError: Datei " + missing.toStdString() + " kann nicht geöffnet werden. ";
  EXPECT_EQ(open.substr(0, openStart.size()), openStart);
  EXPECT_GT(open.size(), openStart.size());
  EXPECT_EQ(read, WorkedExampleData());

  const std::string folder = Outcome([&] { LoadProjectFile(dir.path(), read); });
  EXPECT_EQ(folder.substr(0, 19), "EFOpenError: Datei ") << folder;
}

} // namespace
