#pragma once
// A scene in memory with a background bitmap of the surface's size, German number texts and a
// fixed step cap instead of the tracer's clock, for tests of the background picture.

#include "DocumentFixture.h"
#include "model/Background.h"

#include <QLocale>

#include <memory>

class BackgroundFixture : public DocumentTest {
protected:
  void SetUp() override {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    background = std::make_unique<TBitmap>(surfaceSize.Width, surfaceSize.Height);
  }
  void TearDown() override { QLocale::setDefault(QLocale::c()); }
  TPictureTarget Target() const {
    TPictureTarget target(surfaceSize);
    target.Trace = trace;
    return target;
  }
  // Draws the whole background of the scene anew.
  TTraceStats DrawBackground() { return DrawBackgroundOn(scene, *background, Target()); }

  std::unique_ptr<TBitmap> background;
  TTraceLimits trace{3000};
};
