#include "model/DocumentSnapshot.h"

TDocumentSnapshot TakeSnapshot(const TDocument &document) {
  TDocumentSnapshot snapshot;
  snapshot.View = document.ViewValues();
  snapshot.Potential = document.Potential;
  snapshot.Charges.reserve(static_cast<size_t>(document.Charges.Count()));
  for (const auto &charge : document.Charges)
    snapshot.Charges.push_back(StateOf(*charge));
  snapshot.Selected = document.SelectedIndex();
  return snapshot;
}

std::unique_ptr<TDocument> DocumentFromSnapshot(const TDocumentSnapshot &snapshot) {
  auto document = std::make_unique<TDocument>();
  for (const TChargeState &state : snapshot.Charges) {
    auto charge = std::make_unique<TPointCharge>(nullptr);
    ApplyState(*charge, state);
    document->Charges.Add(std::move(charge));
  }
  // Nobody listens to this document: the view's and the selection's signals go nowhere.
  document->SetViewValues(snapshot.View);
  document->Potential = snapshot.Potential;
  document->Select(snapshot.Selected);
  return document;
}
