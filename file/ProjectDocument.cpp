#include "file/ProjectDocument.h"

#include "model/Document.h"

#include <memory>

TProjectData CaptureDocument(const TDocument &document) {
  TProjectData data;
  data.OriginX = document.Origin.X;
  data.OriginY = document.Origin.Y;
  data.ArrowScale = document.ArrowScale;
  data.ZoomFactor = document.ZoomFactor();
  data.Potential = document.Potential;
  for (const auto &c : document.Charges)
    data.Charges.push_back(
        {c->X, c->Y, c->ChargeValue, c->FieldLineCount, c->IsTestCharge, c->ChargeUnit});
  return data;
}

void ApplyViewOf(const TProjectData &data, TDocument &document) {
  document.Origin = {data.OriginX, data.OriginY};
  document.ArrowScale = data.ArrowScale;
  document.PixelsPerMetre = data.ZoomFactor * DefaultPixelsPerMetre();
  document.Potential = data.Potential;
}

void AppendChargesOf(const TProjectData &data, TDocument &document) {
  for (const TChargeRecord &r : data.Charges) {
    auto charge = std::make_unique<TPointCharge>();
    charge->X = r.X;
    charge->Y = r.Y;
    charge->ChargeValue = r.ChargeValue;
    charge->FieldLineCount = r.FieldLineCount;
    charge->IsTestCharge = r.IsTestCharge;
    charge->ChargeUnit = r.ChargeUnit;
    document.Charges.Add(std::move(charge));
  }
}
