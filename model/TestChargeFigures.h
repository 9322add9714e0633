#pragma once
// The field line and force of every test charge, traced with the background on the worker
// thread once they are too costly for each frame: with thousands of sources and test charges
// a frame would trace for minutes. The frames then draw the figures of the last finished
// background, as they draw its field lines; a test charge that has moved since shows its disc
// alone until the next picture is finished.

#include "model/FieldLineTracer.h"
#include "model/Scene.h"
#include "model/Vector.h"

#include <atomic>
#include <memory>
#include <vector>

// Pairs of source and test charge above which the figures leave the frames.
inline constexpr uint64_t kFramePairBudget = 4096;

struct TTestChargeFigure {
  TPointCharge State;  // the test charge the figure was traced for
  TPolyline Halves[2]; // against the field, then along it
  TVector Force;       // N, on the charge's rounded centre
};

// Figures by charge index; none for a source, or where tracing was cancelled. Shared, so that
// a later picture can keep the figures that did not change without copying them.
using TFigureList = std::vector<std::shared_ptr<const TTestChargeFigure>>;

// Whether the test charges of a scene are too costly to trace in every frame.
bool FiguresTooCostlyForFrames(const TScene &scene);

// Everything a figure depends on besides its own test charge: in the same field a test charge
// that did not move has the same figure.
struct TFigureField {
  std::vector<TPointCharge> Sources; // in the scene's order
  long double PixelsPerMetre = 0;
  uint32_t StepLength = 0;
  TSize Area{};
  TTraceLimits Trace;
  static TFigureField Of(const TScene &scene, const TPictureTarget &target);
  friend bool operator==(const TFigureField &, const TFigureField &) = default;
};

// Figures traced before and the field they were traced in.
struct TTracedFigures {
  TFigureField Field;
  TFigureList ByIndex;
};

// The figure of every test charge of the scene, by index. A test charge that before holds a
// figure for, in the same field, keeps it: dragging one test charge among thousands traces
// one figure. A set cancel flag ends it early with an incomplete answer.
TFigureList TraceTestChargeFigures(const TScene &scene, const TPictureTarget &target,
                                   const std::atomic<bool> *cancel,
                                   const TTracedFigures *before = nullptr);

// The figures the frames draw while Active, by charge index of the scene they were traced for.
struct TTestChargeFigures {
  bool Active = false;
  TFigureList ByIndex;
  // The figure traced for the charge at index as it stands, or null.
  const TTestChargeFigure *Find(int index, const TPointCharge &charge) const {
    return FindShared(index, charge).get();
  }
  // The same, sharing it: whoever keeps it can tell it by its address for as long as it
  // keeps it.
  std::shared_ptr<const TTestChargeFigure> FindShared(int index, const TPointCharge &charge) const;
};
