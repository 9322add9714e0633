#pragma once
// Sets up a document without windows, loads a project file into it and draws the frame.

#include "RenderOptions.h"

#include "display/Canvas.h"
#include "display/Sprite.h"

#include <memory>

class TRenderer {
public:
  explicit TRenderer(const TRenderOptions &options);
  ~TRenderer();
  // Loads, draws and writes what the options ask for; the exit code. Project file errors
  // are thrown.
  int Run();

private:
  TRenderOptions options_;
  TSpriteEngine engine_;
  TBitmap frame_;
};
