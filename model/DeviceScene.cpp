#include "model/DeviceScene.h"

#include "base/PixelMath.h"

TScene SceneOnDevice(const TScene &scene, double scale) {
  TScene device = scene;
  if (scale == 1)
    return device;
  const long double s = scale;
  device.Origin = {pixel::Round(scene.Origin.X * s), pixel::Round(scene.Origin.Y * s)};
  device.PixelsPerMetre = scene.PixelsPerMetre * s;
  for (TPointCharge &charge : device.Charges) {
    charge.X = static_cast<double>(device.Origin.X + (charge.CenterX() - scene.Origin.X) * s -
                                   kChargeHalfSize);
    charge.Y = static_cast<double>(device.Origin.Y + (charge.CenterY() - scene.Origin.Y) * s -
                                   kChargeHalfSize);
  }
  return device;
}
