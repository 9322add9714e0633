#pragma once
// What the field model needs of the program that owns it: the sprite engine new charges
// join, the canvas of the drawing surface that charges draw on and the drawing surface's
// size. The program installs these at start-up; tests and
// the command-line renderer install their own.

#include "base/Geometry.h"

#include <QString>

#include <functional>

class TSpriteEngine;
class TCanvas;

struct TModelHooks {
  TSpriteEngine *Engine = nullptr;
  // Canvas of the surface being composed; null while there is no surface.
  std::function<TCanvas *()> SurfaceCanvas;
  // Width and height of the drawing surface in pixels.
  std::function<TSize()> SurfaceSize;
  // Font face of the main window, which the axis labels use.
  std::function<QString()> LabelFontName;
};

// The hooks in force; all empty until installed.
TModelHooks &ModelHooks();
void InstallModelHooks(TModelHooks hooks);

// While it lives, the hooks on the thread that made it are these (a picture drawn on a worker
// thread must not call into the windows).
class TThreadModelHooks {
public:
  explicit TThreadModelHooks(TModelHooks hooks);
  ~TThreadModelHooks();
  TThreadModelHooks(const TThreadModelHooks &) = delete;
  TThreadModelHooks &operator=(const TThreadModelHooks &) = delete;

private:
  TModelHooks hooks_;
  TModelHooks *previous_;
};

// Convenience readers with safe answers when a hook is missing.
TSize SurfaceSize();
TCanvas *SurfaceCanvas();
QString LabelFontName();
