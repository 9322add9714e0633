#pragma once
// A scene without windows for the benchmarks: the view of a new project on a 792 by 535
// surface, the background bitmap and a surface to draw lines on.

#include "display/Canvas.h"
#include "model/Background.h"
#include "model/PictureTarget.h"
#include "model/Scene.h"
#include "model/ViewLimits.h"

struct BenchDocument {
  BenchDocument() {
    scene.Origin = {396, 267};
    scene.PixelsPerMetre = DefaultPixelsPerMetre();
  }
  TPictureTarget Target() const {
    TPictureTarget target(area);
    target.Trace = trace;
    return target;
  }
  // Traces and draws the whole background of the scene.
  TTraceStats DrawBackground() { return DrawBackgroundOn(scene, background, Target()); }

  TScene scene;
  TSize area{792, 535};
  TTraceLimits trace;
  TBitmap background{792, 535};
  TBitmap surface{792, 535};
};
