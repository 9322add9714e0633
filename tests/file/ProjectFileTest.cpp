// Project files on disk: load and save, and a save that fails leaves the old file alone.

#include "ProjectBytes.h"

#include "file/ProjectFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cfloat>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A save file whose device refuses writes once budget bytes have gone through.
class TFailingSaveFile : public TReplacingFile {
public:
  TFailingSaveFile(const QString &path, qint64 budget) : TReplacingFile(path), budget_(budget) {}

protected:
  qint64 writeData(const char *data, qint64 length) override {
    if (length > budget_)
      return -1;
    budget_ -= length;
    return TReplacingFile::writeData(data, length);
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
  static TProjectData BadUnit() {
    TProjectData data = WorkedExampleData();
    data.Charges[0].ChargeUnit = 2;
    return data;
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
              "EWriteError: Stream-Schreibfehler in der Datei \"" + path.toStdString() +
                  "\". Die Daten konnten nicht vollständig geschrieben werden.");
    EXPECT_EQ(Contents(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
  }
}

// The kernel's own refusal, not a fake device: with a file-size limit (and SIGXFSZ ignored) a
// write past it fails with EFBIG, the way a full disk fails with ENOSPC. A classroom project
// fits into the device's buffer, so the failure shows only when that buffer goes out.
TEST_F(ProjectFileTest, AWriteTheKernelRefusesFailsTheSaveAndKeepsTheOldFile) {
  const QByteArray old = EncodeProject(WorkedExampleData());
  Put(path, old);
  ASSERT_LT(EncodeProject(Large()).size(), 16 * 1024);
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const std::string outcome = Outcome([&] { SaveProjectFile(path, Large()); });
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(outcome, "EWriteError: Stream-Schreibfehler in der Datei \"" + path.toStdString() +
                         "\". Die Datei wird zu groß.");
  EXPECT_EQ(Contents(path), old);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// A writable file in a folder where no temporary file can be created is written in place.
// Root may create files anywhere, so root drops to another user for the save.
TEST_F(ProjectFileTest, AWritableFileInAReadOnlyFolderIsWrittenInPlace) {
  const QString folder = dir.filePath(QStringLiteral("nur-lesen"));
  ASSERT_TRUE(QDir().mkdir(folder));
  const QString target = folder + QStringLiteral("/projekt.kbf");
  Put(target, QByteArray("alt"));
  ASSERT_EQ(chmod(QFile::encodeName(target).constData(), 0666), 0);
  ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);
  ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(seteuid(65534), 0);
  }
  const std::string outcome = Outcome([&] { SaveProjectFile(target, Large()); });
  const std::string refused = Outcome([&] { SaveProjectFile(folder + "/neu.kbf", Large()); });
  if (root) {
    ASSERT_EQ(seteuid(0), 0);
  }
  chmod(QFile::encodeName(folder).constData(), 0755);

  EXPECT_EQ(outcome, "ok");
  EXPECT_EQ(Contents(target), EncodeProject(Large()));
  EXPECT_EQ(refused.substr(0, 20), "EFCreateError: Datei") << refused;
  EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"projekt.kbf"});
}

// Data that the reader would refuse is never written: the save fails before the file is
// touched, with the message the reader would give.
TEST_F(ProjectFileTest, DataTheReaderWouldRefuseIsNotSaved) {
  struct Case {
    const char *what;
    void (*spoil)(TProjectData &);
    std::string outcome;
  };
  const Case cases[] = {
      {"infinite position", [](TProjectData &d) { d.Charges[0].X = HUGE_VAL; }, kPropertyError},
      {"zoom beyond pixels per metre", [](TProjectData &d) { d.ZoomFactor = LDBL_MAX / 2; },
       kPropertyError},
      {"subnormal arrow scale", [](TProjectData &d) { d.ArrowScale = LDBL_TRUE_MIN; },
       kPropertyError},
      {"arrow factor beyond a double", [](TProjectData &d) { d.ArrowScale = 1e-320L; },
       kPropertyError},
      {"unit", [](TProjectData &d) { d.Charges[0].ChargeUnit = 2; }, kPropertyError},
      {"chosen index", [](TProjectData &d) { d.SecondChosen = 1; },
       "EListError: Listenindex überschreitet das Maximum (1)"},
  };
  const QByteArray old = EncodeProject(WorkedExampleData());
  Put(path, old);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    TProjectData data = WorkedExampleData();
    c.spoil(data);
    EXPECT_EQ(Outcome([&] { SaveProjectFile(path, data); }), c.outcome);
    TProjectData read;
    EXPECT_EQ(DecodeOutcome(EncodeProject(data), read), c.outcome);
    EXPECT_EQ(Contents(path), old);
  }
}

TEST_F(ProjectFileTest, FilesThatCannotBeOpenedOrCreatedNameThePathAndTheReason) {
  const QString missing = dir.filePath(QStringLiteral("fehlt/neu.kbf"));
  const std::string create = Outcome([&] { SaveProjectFile(missing, WorkedExampleData()); });
  const std::string reason = "Die Datei oder der Ordner existiert nicht.";
  EXPECT_EQ(create, "EFCreateError: Datei \"" + missing.toStdString() +
                        "\" kann nicht erstellt werden. " + reason);
  EXPECT_FALSE(QFile::exists(missing));

  TProjectData read = WorkedExampleData();
  EXPECT_EQ(Outcome([&] { LoadProjectFile(missing, read); }),
            "EFOpenError: Datei " + missing.toStdString() + " kann nicht geöffnet werden. " +
                reason);
  EXPECT_EQ(read, WorkedExampleData());

  // The codec's own failures, in a file: the fixed text, the file and why.
  const std::string named = " in der Datei \"" + path.toStdString() + "\". ";
  const std::pair<QByteArray, std::string> damaged[] = {
      {QByteArray(1, '\x8C'),
       "EReadError: Stream-Lesefehler" + named + "Die Datei endet vorzeitig."},
      {EncodeProject(BadUnit()), "EPropertyError: Ungültiger Eigenschaftswert" + named +
                                     "Ein Wert liegt außerhalb seines Bereichs."}};
  for (const auto &[bytes, outcome] : damaged) {
    Put(path, bytes);
    EXPECT_EQ(Outcome([&] { LoadProjectFile(path, read); }), outcome);
  }
}

// A save replaces only a regular file: renaming over a FIFO or a device would replace it, and
// writing into a FIFO would block. A symbolic link to a regular file still works, and stays.
TEST_F(ProjectFileTest, SavesReplaceOnlyRegularFiles) {
  const QString fifo = dir.filePath(QStringLiteral("rohr.kbf"));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString folder = dir.filePath(QStringLiteral("ordner.kbf"));
  ASSERT_TRUE(QDir().mkdir(folder));
  for (const QString &target : {fifo, QStringLiteral("/dev/null"), folder}) {
    SCOPED_TRACE(target.toStdString());
    EXPECT_EQ(Outcome([&] { SaveProjectFile(target, WorkedExampleData()); }),
              "EFCreateError: Datei \"" + target.toStdString() +
                  "\" kann nicht erstellt werden. Sie ist keine gewöhnliche Datei.");
  }
  struct stat st {};
  ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  ASSERT_EQ(stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));

  const QString link = dir.filePath(QStringLiteral("verweis.kbf"));
  Put(path, "alt");
  ASSERT_TRUE(QFile::link(path, link));
  SaveProjectFile(link, WorkedExampleData());
  EXPECT_EQ(QFileInfo(link).symLinkTarget(), path);
  EXPECT_EQ(Contents(path), Hex(kWorkedExampleHex));
  EXPECT_EQ(QDir(dir.path()).entryList({"*.tmp"}, QDir::Files | QDir::Hidden), QStringList{});
}

// The new file has the old one's permission bits; a file the user may not write is refused
// (root may write any, so root drops to another user for that part).
TEST_F(ProjectFileTest, AReplacedFileKeepsItsModeAndAReadOnlyOneIsRefused) {
  for (const mode_t mode : {0444, 0640, 0604}) {
    SCOPED_TRACE(mode);
    Put(path, "alt");
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), mode), 0);
    const bool root = geteuid() == 0;
    const std::string outcome = Outcome([&] { SaveProjectFile(path, WorkedExampleData()); });
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, mode);
    if (root || (mode & 0200) != 0) {
      EXPECT_EQ(outcome, "ok");
      EXPECT_EQ(Contents(path), Hex(kWorkedExampleHex));
    } else {
      EXPECT_EQ(outcome, "EFCreateError: Datei \"" + path.toStdString() +
                             "\" kann nicht erstellt werden. Zugriff verweigert.");
    }
    ASSERT_TRUE(QFile::remove(path));
  }
  if (geteuid() != 0)
    return;
  Put(path, "alt");
  ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0444), 0);
  ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
  ASSERT_EQ(seteuid(65534), 0);
  const std::string refused = Outcome([&] { SaveProjectFile(path, WorkedExampleData()); });
  ASSERT_EQ(seteuid(0), 0);
  EXPECT_EQ(refused, "EFCreateError: Datei \"" + path.toStdString() +
                         "\" kann nicht erstellt werden. Zugriff verweigert.");
  EXPECT_EQ(Contents(path), "alt");
}

// A program killed during a save leaves its temporary file; the next save into the folder
// removes those whose program is gone, and no other file.
TEST_F(ProjectFileTest, TheTemporaryFilesOfDeadSavesAreRemoved) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0)
    _exit(0);
  ASSERT_EQ(waitpid(child, nullptr, 0), child); // its pid now names no running program
  const QStringList dead = {TemporaryFileName(QStringLiteral("Projekt ä.kbf"), child),
                            TemporaryFileName(QStringLiteral("anderes.kbf"), child)};
  const QStringList kept = {TemporaryFileName(QStringLiteral("anderes.kbf"), getppid()),
                            QStringLiteral(".fremd.kraftbild-x.tmp")};
  for (const QString &name : dead + kept)
    Put(dir.filePath(name), "halb");
  EXPECT_TRUE(dead[0].startsWith(QStringLiteral(".Projekt ä.kbf.kraftbild-")))
      << dead[0].toStdString();

  SaveProjectFile(path, WorkedExampleData());
  QStringList expected = kept + QStringList{"Projekt ä.kbf"};
  expected.sort();
  QStringList found = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
  found.sort();
  EXPECT_EQ(found, expected);
}

// Only regular files are read: a FIFO would block the program for good, a device could feed
// it without end, and a file beyond the size limit would exhaust the memory.
TEST_F(ProjectFileTest, OnlyRegularFilesOfBoundedSizeAreOpened) {
  const QString fifo = dir.filePath(QStringLiteral("rohr.kbf"));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString huge = dir.filePath(QStringLiteral("riesig.kbf"));
  {
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(kMaxProjectFileBytes + 1)); // sparse: costs no disk
  }
  const QString notRegular =
      QStringLiteral(" kann nicht geöffnet werden. Sie ist keine gewöhnliche Datei.");
  for (const auto &[file, reason] :
       {std::pair{fifo, notRegular}, std::pair{QStringLiteral("/dev/zero"), notRegular},
        std::pair{dir.path(), notRegular},
        std::pair{huge,
                  QStringLiteral(" kann nicht geöffnet werden. Sie ist größer als 64 MB.")}}) {
    SCOPED_TRACE(file.toStdString());
    TProjectData read = WorkedExampleData();
    EXPECT_EQ(Outcome([&] { LoadProjectFile(file, read); }),
              "EFOpenError: Datei " + (file + reason).toStdString());
    EXPECT_EQ(read, WorkedExampleData());
  }
}

} // namespace
