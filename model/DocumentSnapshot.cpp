#include "model/DocumentSnapshot.h"

TDocumentSnapshot TakeSnapshot(const TDocument &document) {
  TDocumentSnapshot snapshot;
  snapshot.View = {document.Origin,
                   document.PixelsPerMetre,
                   document.ArrowScale,
                   document.ArrowColor,
                   document.StepLength,
                   document.ShowCursorLine,
                   {}};
  snapshot.Potential = document.Potential;
  snapshot.Charges.reserve(static_cast<size_t>(document.Charges.Count()));
  for (const auto &charge : document.Charges)
    snapshot.Charges.push_back(StateOf(*charge));
  snapshot.Selected = document.SelectedIndex();
  return snapshot;
}

std::unique_ptr<TDocument> DocumentFromSnapshot(const TDocumentSnapshot &snapshot) {
  auto document = std::make_unique<TDocument>();
  const TViewState &view = snapshot.View;
  document->Origin = view.Origin;
  document->PixelsPerMetre = view.PixelsPerMetre;
  document->ArrowScale = view.ArrowScale;
  document->ArrowColor = view.ArrowColor;
  document->StepLength = view.StepLength;
  document->ShowCursorLine = view.ShowCursorLine;
  document->Potential = snapshot.Potential;
  for (const TChargeState &state : snapshot.Charges) {
    auto charge = std::make_unique<TPointCharge>(nullptr);
    charge->X = state.X;
    charge->Y = state.Y;
    charge->ChargeValue = state.Value;
    charge->FieldLineCount = state.FieldLines;
    charge->IsTestCharge = state.TestCharge;
    charge->ChargeUnit = state.Unit;
    document->Charges.Add(std::move(charge));
  }
  document->Select(snapshot.Selected);
  return document;
}
