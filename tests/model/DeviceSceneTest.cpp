// The scene on a screen's device pixels: the same charges in metres, every distance from the
// origin scale times as many pixels, and the axes one device pixel thick whatever the scale.
#include "model/DeviceScene.h"
#include "base/PixelMath.h"
#include "display/Canvas.h"
#include "model/Background.h"

#include <gtest/gtest.h>

namespace {

TScene SceneWithCharges() {
  TScene scene;
  scene.Origin = {301, 207};
  for (const auto &[x, y] : {std::pair{291.0, 197.0}, {10.5, -3.25}, {1000.0, 40.0}})
    scene.Charges.Add({x, y, 1e-9L, 8, false, 1});
  return scene;
}

TEST(DeviceSceneTest, ChargesKeepTheirMetresAndScaleTheirDistanceFromTheOrigin) {
  const TScene scene = SceneWithCharges();
  for (const double scale : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0}) {
    const TScene device = SceneOnDevice(scene, scale);
    EXPECT_EQ(device.Origin.X, pixel::Round(301 * scale)) << scale;
    EXPECT_EQ(device.Origin.Y, pixel::Round(207 * scale)) << scale;
    for (int i = 0; i < scene.Charges.Count(); ++i) {
      const TWorldPoint before = scene.ChargeWorldPosition(scene.Charges[i]);
      const TWorldPoint after = device.ChargeWorldPosition(device.Charges[i]);
      EXPECT_NEAR(static_cast<double>(after.X), static_cast<double>(before.X), 1e-15) << scale;
      EXPECT_NEAR(static_cast<double>(after.Y), static_cast<double>(before.Y), 1e-15) << scale;
      EXPECT_NEAR(static_cast<double>(device.Charges[i].CenterX() - device.Origin.X),
                  static_cast<double>(scene.Charges[i].CenterX() - scene.Origin.X) * scale, 1e-9);
    }
  }
  // At 100 % nothing moves: pictures stay the pixels they were.
  EXPECT_EQ(SceneOnDevice(scene, 1).Charges, scene.Charges);
  EXPECT_EQ(SceneOnDevice(scene, 1).PixelsPerMetre, scene.PixelsPerMetre);
}

TEST(DeviceSceneTest, TheXAxisIsOneDevicePixelThickAtEveryScale) {
  TScene scene;
  scene.Origin = {151, 101};
  for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
    const TScene device = SceneOnDevice(scene, scale);
    const TSize area{pixel::Round(300 * scale), pixel::Round(200 * scale)};
    TBitmap bitmap(area.Width, area.Height);
    DrawBackgroundOn(device, bitmap, TPictureTarget(area));
    // A column between two ticks: grey on the axis row only.
    const int x = device.Origin.X + pixel::Round(TickScale(device).Pixels / 2);
    int grey = 0;
    for (int y = 0; y < area.Height; ++y)
      grey += FromQRgb(bitmap.Image().pixel(x, y)) == kAxisColor;
    EXPECT_EQ(grey, 1) << scale;
    EXPECT_EQ(FromQRgb(bitmap.Image().pixel(x, device.Origin.Y)), kAxisColor) << scale;
  }
}

} // namespace
