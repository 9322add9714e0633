// Recovery files: what they keep, and which of them count as left behind. A program that
// no longer runs is a real child process ended with SIGKILL.
#include "file/RecoveryStore.h"
#include "base/Errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TRecoverySnapshot SomeWork(const QString &fileName) {
  TRecoverySnapshot work;
  work.Project.OriginX = 321;
  work.Project.OriginY = -7;
  work.Project.Charges = {{10, 20, 1.602176634e-19L, 16, false, 0},
                          {200.5, 90, -3e-9L, 0, true, 1}};
  work.Project.FirstChosen = 1;
  work.Project.VoltageWindowVisible = true;
  work.FileName = fileName;
  work.Fingerprint = {true, 77, 1'700'000'000'123'456'789, QByteArray(32, '\x5a')};
  work.Written = QDateTime::fromMSecsSinceEpoch(1'700'000'123'456, Qt::UTC);
  return work;
}

void ExpectSameWork(const TRecoverySnapshot &read, const TRecoverySnapshot &written) {
  EXPECT_EQ(read.Project, written.Project);
  EXPECT_EQ(read.FileName, written.FileName);
  EXPECT_EQ(read.Fingerprint, written.Fingerprint);
  EXPECT_EQ(read.Written, written.Written);
}

TEST(RecoveryStoreTest, KeepsWorkAndOriginExactlyAndRefusesDamage) {
  for (const QString &name : {QString(), QStringLiteral("/home/lehrer/Feld ü.kbf")}) {
    const TRecoverySnapshot work = SomeWork(name);
    const QByteArray bytes = EncodeRecovery(work);
    ExpectSameWork(DecodeRecovery(bytes), work);
    // Cut anywhere, it is refused as a whole, never half read.
    for (const qsizetype cut : {qsizetype{0}, qsizetype{5}, qsizetype{20}, bytes.size() - 1}) {
      SCOPED_TRACE(cut);
      EXPECT_THROW(DecodeRecovery(bytes.left(cut)), EReadError);
    }
  }
}

TEST(RecoveryStoreTest, OnlyWorkOfProgramsThatEndedIsLeftBehind) {
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("recovery"));

  // A program killed after its autosave: its lock file stays, with a process that is gone.
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TRecoveryStore store(folder);
    if (store.Claim()) {
      store.Write(SomeWork(QStringLiteral("/abgestürzt.kbf")));
      const char byte = 1;
      [[maybe_unused]] const ssize_t w = ::write(ready[1], &byte, 1);
    }
    ::pause();
    ::_exit(0);
  }
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "the child could not write its recovery file";
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  ::close(ready[0]);
  ::close(ready[1]);

  // A program that still runs (here, in this process) and has written its file.
  TRecoveryStore running(folder);
  ASSERT_TRUE(running.Claim());
  running.Write(SomeWork(QStringLiteral("/läuft.kbf")));
  // One that ended cleanly after writing (as on SIGTERM): no lock at all.
  {
    TRecoveryStore ended(folder);
    ASSERT_TRUE(ended.Claim());
    ended.Write(SomeWork(QString()));
  }
  EXPECT_EQ(QDir(folder).entryList({QStringLiteral("*.kbr")}, QDir::Files).size(), 3);

  TRecoveryStore starting(folder);
  ASSERT_TRUE(starting.Claim());
  std::vector<TLeftWork> left = starting.ClaimLeftWork();
  ASSERT_EQ(left.size(), 2u);
  QStringList names;
  for (const TLeftWork &work : left)
    names << ReadRecoveryFile(work.Path).FileName;
  names.sort();
  EXPECT_EQ(names, (QStringList{QString(), QStringLiteral("/abgestürzt.kbf")}));
  EXPECT_FALSE(QFile::exists(starting.OwnFile())) << "nothing written before a change";

  // While one program offers them, a second one started meanwhile sees none.
  TRecoveryStore second(folder);
  EXPECT_TRUE(second.ClaimLeftWork().empty());

  // Discarded work goes; work only offered stays for the next start.
  DiscardLeftWork(left[0]);
  EXPECT_FALSE(QFile::exists(left[0].Path));
  const QString kept = left[1].Path;
  left.clear();
  const std::vector<TLeftWork> later = second.ClaimLeftWork();
  ASSERT_EQ(later.size(), 1u);
  EXPECT_EQ(later[0].Path, kept);

  // A clean end of the running program takes its file away.
  running.RemoveOwn();
  EXPECT_FALSE(QFile::exists(running.OwnFile()));
}

} // namespace
