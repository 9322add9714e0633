#include "base/ReplacingFile.h"

#include "base/SystemErrorText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString NotRegularText() {
  return QCoreApplication::translate("TReplacingFile", "Sie ist keine gewöhnliche Datei.");
}

QByteArray Native(const QString &path) { return QFile::encodeName(path); }

// Devices and file systems that cannot sync (EINVAL, EROFS for some special files) have
// nothing to wait for; any other failure is a failed write.
bool Sync(int fd) { return ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS; }

// After the rename the folder entry must reach the disk too, or a crash could bring back
// the old file (or none).
bool SyncFolder(const QString &folder) {
  const int fd = ::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return true; // a folder we may write into but not open: nothing we can sync
  const bool synced = Sync(fd);
  ::close(fd);
  return synced;
}

bool ProcessIsGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// Temporary files of saves whose program is no longer running: killed during a save on a file
// system without O_TMPFILE, they would stay for good.
void RemoveDeadLeftovers(const QString &folder) {
  static const QRegularExpression pattern(
      QStringLiteral("^\\..+\\.kraftbild-(\\d+)(-\\d+)?\\.tmp$"));
  const QDir dir(folder);
  const QStringList names = dir.entryList({QStringLiteral(".*.kraftbild-*.tmp")},
                                          QDir::Files | QDir::Hidden | QDir::System);
  for (const QString &name : names) {
    const QRegularExpressionMatch match = pattern.match(name);
    bool ok = false;
    const pid_t pid = static_cast<pid_t>(match.captured(1).toInt(&ok));
    if (!match.hasMatch() || !ok || pid <= 0 || pid == ::getpid() || !ProcessIsGone(pid))
      continue;
    const QByteArray path = Native(dir.filePath(name));
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode))
      ::unlink(path.constData());
  }
}

// A file that replaces another gets that one's mode at the end; until then only its owner
// may read it. A new file gets the usual mode (0666 less the umask).
int OpenNew(const QString &path, bool replacing) {
  return ::open(Native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                replacing ? 0600 : 0666);
}

} // namespace

QString WriteTargetProblem(const QString &path) {
  struct stat st {};
  if (::stat(Native(path).constData(), &st) != 0)
    return errno == ENOENT ? QString() : SystemErrorText(errno);
  if (!S_ISREG(st.st_mode))
    return NotRegularText();
  // Asked for the effective user, the one that will write.
  if (::faccessat(AT_FDCWD, Native(path).constData(), W_OK, AT_EACCESS) != 0)
    return SystemErrorText(errno);
  return {};
}

QString TemporaryFileName(const QString &targetName, pid_t pid) {
  return QStringLiteral(".%1.kraftbild-%2.tmp").arg(targetName).arg(pid);
}

TReplacingFile::TReplacingFile(QString path) : target_(std::move(path)) {
  // A link keeps pointing where it did; the file it points to is replaced.
  const QFileInfo info(target_);
  if (info.isSymLink() && !info.canonicalFilePath().isEmpty())
    target_ = info.canonicalFilePath();
}

TReplacingFile::~TReplacingFile() { Cancel(); }

bool TReplacingFile::Fail(int errnum) {
  errno_ = errnum;
  reason_.clear();
  return false;
}

bool TReplacingFile::Begin() {
  reason_ = WriteTargetProblem(target_);
  if (!reason_.isEmpty())
    return false;
  struct stat st {};
  existed_ = ::stat(Native(target_).constData(), &st) == 0;
  mode_ = st.st_mode & 07777;
  owner_ = st.st_uid;
  group_ = st.st_gid;

  const QFileInfo info(target_);
  const QString folder = info.absolutePath();
  RemoveDeadLeftovers(folder);
  const QString base = QDir(folder).filePath(TemporaryFileName(info.fileName(), ::getpid()));
  temporary_ = base;
  fd_ = OpenNew(temporary_, existed_);
  // Another save of this program into the same target is under way.
  for (int n = 1; fd_ < 0 && errno == EEXIST && n < 100; ++n) {
    temporary_ = base.chopped(4) + QStringLiteral("-%1.tmp").arg(n);
    fd_ = OpenNew(temporary_, existed_);
  }
  if (fd_ < 0) {
    const int failure = errno;
    temporary_.clear();
    if (!(directWriteFallback_ && existed_ && (failure == EACCES || failure == EPERM)))
      return Fail(failure);
    // Not blocking, in case the target became a FIFO since it was looked at.
    fd_ = ::open(Native(target_).constData(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0)
      return Fail(errno);
    struct stat opened {};
    if (::fstat(fd_, &opened) != 0 || !S_ISREG(opened.st_mode)) {
      ::close(fd_);
      fd_ = -1;
      reason_ = NotRegularText();
      return false;
    }
    if (::ftruncate(fd_, 0) != 0) {
      const int failure2 = errno;
      ::close(fd_);
      fd_ = -1;
      return Fail(failure2);
    }
    inPlace_ = true;
  }
  writeFailed_ = false;
  return QIODevice::open(QIODevice::WriteOnly);
}

qint64 TReplacingFile::writeData(const char *data, qint64 length) {
  qint64 done = 0;
  while (done < length) {
    const ssize_t n = ::write(fd_, data + done, static_cast<size_t>(length - done));
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      writeFailed_ = true;
      errno_ = n < 0 ? errno : EIO;
      return -1;
    }
    done += n;
  }
  return done;
}

bool TReplacingFile::Commit() {
  if (fd_ < 0)
    return false;
  bool ok = !writeFailed_;
  if (ok && !Sync(fd_))
    ok = Fail(errno);
  if (ok && existed_ && !inPlace_) {
    // The new file takes the old one's permission bits and, for root, its owner; a file
    // that cannot get its owner back still holds the bytes, so that is no failure.
    if (::geteuid() == 0 && ::fchown(fd_, owner_, group_) != 0)
      errno = 0;
    if (::fchmod(fd_, mode_) != 0)
      ok = Fail(errno);
  }
  if (::close(fd_) != 0 && ok)
    ok = Fail(errno);
  fd_ = -1;
  QIODevice::close();
  if (ok && !inPlace_ && ::rename(Native(temporary_).constData(), Native(target_).constData()) != 0)
    ok = Fail(errno);
  if (!inPlace_) {
    if (!ok)
      ::unlink(Native(temporary_).constData());
    temporary_.clear();
  }
  if (ok && !SyncFolder(QFileInfo(target_).absolutePath()))
    ok = Fail(errno);
  return ok;
}

void TReplacingFile::Cancel() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (isOpen())
    QIODevice::close();
  if (!temporary_.isEmpty()) {
    ::unlink(Native(temporary_).constData());
    temporary_.clear();
  }
}

QString TReplacingFile::FailureReason() const {
  if (!reason_.isEmpty())
    return reason_;
  if (errno_ != 0)
    return SystemErrorText(errno_);
  return QCoreApplication::translate("TReplacingFile",
                                     "Die Daten konnten nicht vollständig geschrieben werden.");
}
