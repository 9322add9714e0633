#pragma once
// Between the project file's plain data and the document: the charges and the view state.
// The voltage window's part of the data (chosen charges, value, visibility) is left to the
// caller.

#include "file/ProjectData.h"

// The document as file data; chosen charges, value and visibility are left at their
// defaults for the caller to fill in.
TProjectData CaptureDocument();

// Takes over origin, arrow scale and zoom (at this screen's pixels per inch), and appends
// one charge per record to Charges.
void ApplyViewOf(const TProjectData &data);
void AppendChargesOf(const TProjectData &data);
