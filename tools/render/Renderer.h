#pragma once
// Loads a project file into a scene without windows, saves it again and draws the frame, as the
// options ask.

#include "RenderOptions.h"

#include "file/ProjectData.h"

#include "display/Canvas.h"
#include "display/Sprite.h"
#include "model/Scene.h"

#include <memory>
#include <optional>
#include <vector>

struct TParticleTrail;

class TRenderer {
public:
  explicit TRenderer(const TRenderOptions &options);
  ~TRenderer();
  // Loads, draws and writes what the options ask for; the exit code. Project file errors
  // are thrown.
  int Run();

private:
  // Saves the loaded document to the --save file through the program's save routine.
  void Save(const TProjectData &loaded) const;
  // Flies every particle for the --simulate time and writes the --trajectory file; the
  // trails for the pictures, or none without --simulate.
  std::optional<std::vector<TParticleTrail>> Fly() const;
  // The data tab's four rows of every test charge, then the voltage window's value line.
  void PrintData(const TProjectData &data) const;

  TRenderOptions options_;
  TScene scene_;
  TSpriteEngine engine_;
  TBitmap frame_;
};
