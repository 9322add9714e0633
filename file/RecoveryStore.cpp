#include "file/RecoveryStore.h"

#include "base/Errors.h"
#include "base/SystemErrorText.h"
#include "file/ProjectCodec.h"
#include "file/StreamFormat.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr char kMagic[] = "KBRECOV1";
constexpr int kMagicSize = sizeof(kMagic) - 1;
const QString kSuffix = QStringLiteral(".kbr");

QString LockPathOf(const QString &recoveryFile) { return recoveryFile + QStringLiteral(".lock"); }

// Only a dead process makes a lock stale: by age, a program left open over lunch would
// lose its lock to the next one started.
std::unique_ptr<QLockFile> MakeLock(const QString &recoveryFile) {
  auto lock = std::make_unique<QLockFile>(LockPathOf(recoveryFile));
  lock->setStaleLockTime(0);
  return lock;
}

bool Sync(int fd) { return ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS; }

void SyncFolder(const QString &folder) {
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    Sync(fd);
    ::close(fd);
  }
}

} // namespace

QByteArray EncodeRecovery(const TRecoverySnapshot &snapshot) {
  QByteArray bytes(kMagic, kMagicSize);
  QDataStream out(&bytes, QIODevice::Append);
  out.setVersion(QDataStream::Qt_6_0);
  const TFileFingerprint &print = snapshot.Fingerprint;
  out << snapshot.FileName << print.Exists << qint64{print.Size} << qint64{print.ModifiedNs}
      << print.ContentHash << snapshot.Written.toMSecsSinceEpoch()
      << EncodeProject(snapshot.Project);
  return bytes;
}

TRecoverySnapshot DecodeRecovery(const QByteArray &bytes) {
  if (!bytes.startsWith(QByteArray(kMagic, kMagicSize)))
    throw EReadError(QCoreApplication::translate("RecoveryStore",
                                                 "Keine Wiederherstellungsdatei des Kraftbilds"));
  QDataStream in(bytes.sliced(kMagicSize));
  in.setVersion(QDataStream::Qt_6_0);
  TRecoverySnapshot snapshot;
  qint64 size = 0;
  qint64 modified = 0;
  qint64 written = 0;
  QByteArray project;
  in >> snapshot.FileName >> snapshot.Fingerprint.Exists >> size >> modified >>
      snapshot.Fingerprint.ContentHash >> written >> project;
  if (in.status() != QDataStream::Ok)
    throw EReadError(ReadErrorText());
  snapshot.Fingerprint.Size = size;
  snapshot.Fingerprint.ModifiedNs = modified;
  snapshot.Written = QDateTime::fromMSecsSinceEpoch(written, Qt::UTC);
  DecodeProject(project, snapshot.Project);
  return snapshot;
}

TRecoveryStore::TRecoveryStore(QString folder)
    : folder_(std::move(folder)),
      id_(QStringLiteral("%1-%2")
              .arg(QCoreApplication::applicationPid())
              .arg(QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0'))) {}

TRecoveryStore::~TRecoveryStore() = default;

QString TRecoveryStore::DefaultFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
         QStringLiteral("/recovery");
}

bool TRecoveryStore::Claim() {
  if (lock_ != nullptr && lock_->isLocked())
    return true;
  if (!QDir().mkpath(folder_))
    return false;
  lock_ = MakeLock(OwnFile());
  return lock_->tryLock(0);
}

QString TRecoveryStore::OwnFile() const { return folder_ + u'/' + id_ + kSuffix; }

void TRecoveryStore::Write(const TRecoverySnapshot &snapshot) const {
  const QByteArray bytes = EncodeRecovery(snapshot);
  QSaveFile file(OwnFile());
  if (!file.open(QIODevice::WriteOnly))
    throw EFCreateError(
        QCoreApplication::translate("RecoveryStore", "Datei \"%1\" kann nicht erstellt werden. %2")
            .arg(OwnFile(), file.errorString()));
  if (file.write(bytes) != bytes.size() || !file.flush() || !Sync(file.handle())) {
    file.cancelWriting();
    throw EWriteError(WriteErrorText());
  }
  if (!file.commit())
    throw EWriteError(WriteErrorText());
  SyncFolder(folder_);
}

void TRecoveryStore::RemoveOwn() const { QFile::remove(OwnFile()); }

std::vector<TLeftWork> TRecoveryStore::ClaimLeftWork() const {
  QDir folder(folder_);
  const QFileInfoList files =
      folder.entryInfoList({u'*' + kSuffix}, QDir::Files, QDir::Time | QDir::Reversed);
  std::vector<TLeftWork> left;
  for (const QFileInfo &file : files) {
    const QString path = file.absoluteFilePath();
    if (path == QFileInfo(OwnFile()).absoluteFilePath())
      continue;
    std::shared_ptr<QLockFile> lock = MakeLock(path);
    // Free, or stale and taken over: its program has ended.
    if (lock->tryLock(0))
      left.push_back({path, std::move(lock)});
  }
  return left;
}

TRecoverySnapshot ReadRecoveryFile(const QString &path) {
  // Opened by hand for the error number: QFile's reason would be the system's English text.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  const auto openError = [&path](const QString &reason) {
    return EFOpenError(
        QCoreApplication::translate("RecoveryStore", "Datei %1 kann nicht geöffnet werden. %2")
            .arg(path, reason));
  };
  if (fd < 0)
    throw openError(SystemErrorText(errno));
  QFile file;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    throw openError(
        QCoreApplication::translate("RecoveryStore", "Die Datei kann nicht gelesen werden."));
  }
  return DecodeRecovery(file.readAll());
}

void DiscardLeftWork(const TLeftWork &work) { QFile::remove(work.Path); }
