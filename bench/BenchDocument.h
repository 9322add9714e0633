#pragma once
// A document without windows for the benchmarks: a 792 by 535 surface, a sprite engine and
// the background bitmap.

#include "display/Canvas.h"
#include "display/Sprite.h"
#include "model/Background.h"
#include "model/Document.h"
#include "model/ModelHooks.h"

#include <memory>

struct BenchDocument {
  BenchDocument() {
    TModelHooks hooks;
    hooks.Engine = &engine;
    hooks.SurfaceSize = [] { return TSize{792, 535}; };
    hooks.SurfaceCanvas = [this] { return &surface.Canvas(); };
    InstallModelHooks(std::move(hooks));
    engine.VisibleRect = {0, 0, 792, 535};
    ResetDocumentGlobals();
    Background = std::make_unique<TBitmap>(792, 535);
  }
  ~BenchDocument() {
    FreeCharges(true);
    Background.reset();
    InstallModelHooks({});
  }

  TSpriteEngine engine;
  TBitmap surface{792, 535};
};
