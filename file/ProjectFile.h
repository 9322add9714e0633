#pragma once
// Project files on disk: reading one, and saving one so that the target is replaced only
// when every byte was written.

#include "base/ReplacingFile.h"
#include "file/ProjectData.h"

#include <QString>

#include <functional>
#include <memory>

// Largest project file that is read: about 1.7 million charges.
inline constexpr qint64 kMaxProjectFileBytes = 64LL * 1024 * 1024;

// Reads the project file at path (the full path) into data; see ReadProjectData for what a
// failure leaves in data. Throws EFOpenError when the file cannot be opened, is not a regular
// file or is larger than kMaxProjectFileBytes, and EOutOfMemoryError when its charges do not
// fit into memory. The codec's errors (EReadError, EPropertyError, EListError) name the file
// and the reason.
void LoadProjectFile(const QString &path, TProjectData &data);

// Makes the file a save writes through; tests hand in one whose writes fail.
using TSaveFileFactory = std::function<std::unique_ptr<TReplacingFile>(const QString &path)>;

// Writes data to the file at path (the full path). Data the reader would refuse is refused
// first (CheckProjectData), and nothing is written. The bytes go to a temporary file that
// replaces the target only when all of them were written and synced, so after a failure the
// previous file is still there as it was; only in a folder where no temporary file can be
// created is the target written in place. Throws EFCreateError when the file cannot be
// created (also when the target is not a regular file, or one the user may not write) and
// EWriteError when a write, the sync or the final replacement fails; both name the file and
// the reason.
void SaveProjectFile(const QString &path, const TProjectData &data,
                     const TSaveFileFactory &makeFile = {});
