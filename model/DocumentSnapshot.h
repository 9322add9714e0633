#pragma once
// A copy of everything a picture of the document depends on, as plain values: taken on the
// user-interface thread, it lets a worker thread draw the picture while the document changes.

#include "base/Geometry.h"
#include "model/Document.h"

#include <QString>

#include <memory>
#include <vector>

struct TDocumentSnapshot {
  TViewValues View;
  TPotentialOptions Potential;
  std::vector<TChargeState> Charges;
  int Selected = -1;
};

TDocumentSnapshot TakeSnapshot(const TDocument &document);
// A document of its own with the snapshot's state, its charges in no sprite engine.
std::unique_ptr<TDocument> DocumentFromSnapshot(const TDocumentSnapshot &snapshot);
