#include "file/ProjectDocument.h"

#include "model/Scene.h"
#include "model/ViewLimits.h"

namespace {

// A chosen charge the scene holds, else none.
int ChargeOrNone(const TScene &scene, int32_t index) {
  return scene.Charges.At(index) != nullptr ? index : -1;
}

} // namespace

TProjectData CaptureScene(const TScene &scene) {
  TProjectData data;
  data.OriginX = scene.Origin.X;
  data.OriginY = scene.Origin.Y;
  data.ArrowScale = scene.ArrowScale;
  data.ZoomFactor = scene.ZoomFactor();
  data.Potential = scene.Potential;
  data.FieldLines = scene.FieldLines;
  for (const TPointCharge &c : scene.Charges)
    data.Charges.push_back(
        {c.X, c.Y, c.ChargeValue, c.FieldLineCount, c.IsTestCharge, c.ChargeUnit});
  data.FirstChosen = ChargeOrNone(scene, scene.Voltage.Start);
  data.SecondChosen = ChargeOrNone(scene, scene.Voltage.End);
  data.ValueIndex = scene.Voltage.Value;
  data.Particles = {scene.Particles, scene.ParticleSetup};
  return data;
}

void ApplyViewOf(const TProjectData &data, TScene &scene) {
  scene.Origin = {data.OriginX, data.OriginY};
  scene.ArrowScale = data.ArrowScale;
  scene.PixelsPerMetre = data.ZoomFactor * DefaultPixelsPerMetre();
  scene.Potential = data.Potential;
  scene.FieldLines = data.FieldLines;
  // A value the window does not list is none.
  const bool known = data.ValueIndex >= 0 && data.ValueIndex < kVoltageValueCount;
  scene.Voltage.Value = known ? data.ValueIndex : -1;
}

void AppendChargesOf(const TProjectData &data, TScene &scene) {
  scene.Charges.Reserve(static_cast<size_t>(scene.Charges.Count()) + data.Charges.size());
  for (const TChargeRecord &r : data.Charges)
    scene.Charges.Add({r.X, r.Y, r.ChargeValue, r.FieldLineCount, r.IsTestCharge, r.ChargeUnit});
  scene.Voltage.Start = ChargeOrNone(scene, data.FirstChosen);
  scene.Voltage.End = ChargeOrNone(scene, data.SecondChosen);
  scene.Particles.insert(scene.Particles.end(), data.Particles.Particles.begin(),
                         data.Particles.Particles.end());
  if (!data.Particles.Empty())
    scene.ParticleSetup = data.Particles.Setup;
}
