#include "file/FileFingerprint.h"

#include <QCryptographicHash>
#include <QFile>

#include <sys/stat.h>

TFileFingerprint FingerprintOf(const QString &path) {
  TFileFingerprint print;
  struct stat status {};
  if (::stat(QFile::encodeName(path).constData(), &status) != 0)
    return print;
  print.Exists = true;
  print.Size = status.st_size;
  print.ModifiedNs =
      static_cast<int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
  if (!S_ISREG(status.st_mode))
    return print;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return print;
  QCryptographicHash hash(QCryptographicHash::Sha256);
  // A file that cannot be read to its end differs from any that could.
  if (hash.addData(&file))
    print.ContentHash = hash.result();
  return print;
}
