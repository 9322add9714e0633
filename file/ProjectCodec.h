#pragma once
// The layout of a project file: origin (8 raw bytes), arrow scale, zoom factor, the list
// of charge records, the two chosen charges, the value index and the voltage window's
// visibility, in the value stream of ValueWriter/ValueReader.

#include "file/ProjectData.h"

#include <QByteArray>
#include <QIODevice>

// Writes data to the device. Throws EWriteError when the device refuses a write.
void WriteProjectData(QIODevice &device, const TProjectData &data);

// Throws what reading the data's file would throw (EPropertyError, EListError), so that
// nothing is saved that could not be opened again.
void CheckProjectData(const TProjectData &data);

// Reads a project from the device into data. Values are stored as soon as they are read,
// so on a failure data keeps the origin, the floats and the complete charge records read
// before it; fields not reached keep what the caller put there (Charges is emptied first).
// After the visibility only the extension block of file/PotentialBlock.h is read. Throws
// EReadError, EPropertyError (also for values out of range: an arrow scale that is not positive and
// finite, a zoom factor whose pixels per metre or arrow factor would not be finite
// (model/ViewLimits.h), a position or charge value that is not finite, a charge whose forces
// would overflow (ChargesUsable), a field-line count outside
// 0..400, a unit other than 0 or 1) and EListError (a chosen index that is neither -1 nor a
// record's).
void ReadProjectData(QIODevice &device, TProjectData &data);

// The bytes of a project file in memory.
QByteArray EncodeProject(const TProjectData &data);
// Reads a project from bytes in memory; the same rules as ReadProjectData.
void DecodeProject(const QByteArray &bytes, TProjectData &data);
