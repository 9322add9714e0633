#pragma once
// What a file on disk was when the program last read or wrote it, so that a later save can
// tell whether another program has written it since.

#include <QByteArray>
#include <QString>

#include <cstdint>

struct TFileFingerprint {
  bool Exists = false;
  int64_t Size = 0;       // bytes
  int64_t ModifiedNs = 0; // ns since the epoch: the file's modification time
  QByteArray ContentHash; // SHA-256 of the bytes; empty for anything but a regular file

  friend bool operator==(const TFileFingerprint &, const TFileFingerprint &) = default;
};

// The file at path as it is now. A missing file gives Exists false; a FIFO or device is not
// read (that could block), so only its size and time count.
TFileFingerprint FingerprintOf(const QString &path);
