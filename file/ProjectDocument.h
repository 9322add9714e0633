#pragma once
// Between the project file's plain data and the document: the charges and the view state.
// The voltage window's part of the data (chosen charges, value, visibility) is left to the
// caller.

#include "file/ProjectData.h"

class TDocument;

// The document as file data; chosen charges, value and visibility are left at their
// defaults for the caller to fill in.
TProjectData CaptureDocument(const TDocument &document);

// Takes over origin, arrow scale and zoom (at this screen's pixels per inch), and appends
// one charge per record to the document's Charges. Tell nobody.
void ApplyViewOf(const TProjectData &data, TDocument &document);
void AppendChargesOf(const TProjectData &data, TDocument &document);
