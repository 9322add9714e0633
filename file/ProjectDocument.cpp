#include "file/ProjectDocument.h"

#include "model/Document.h"

#include <memory>

TProjectData CaptureDocument() {
  TProjectData data;
  data.OriginX = Origin.X;
  data.OriginY = Origin.Y;
  data.ArrowScale = ArrowScale;
  data.ZoomFactor = ZoomFactor();
  for (const auto &c : Charges)
    data.Charges.push_back(
        {c->X, c->Y, c->ChargeValue, c->FieldLineCount, c->IsTestCharge, c->ChargeUnit});
  return data;
}

void ApplyViewOf(const TProjectData &data) {
  Origin = {data.OriginX, data.OriginY};
  ArrowScale = data.ArrowScale;
  PixelsPerMetre = data.ZoomFactor * DefaultPixelsPerMetre();
}

void AppendChargesOf(const TProjectData &data) {
  for (const TChargeRecord &r : data.Charges) {
    auto charge = std::make_unique<TPointCharge>();
    charge->X = r.X;
    charge->Y = r.Y;
    charge->ChargeValue = r.ChargeValue;
    charge->FieldLineCount = r.FieldLineCount;
    charge->IsTestCharge = r.IsTestCharge;
    charge->ChargeUnit = r.ChargeUnit;
    Charges.Add(std::move(charge));
  }
}
