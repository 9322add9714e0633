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
#include <optional>
#include <vector>

// Pairs of source and test charge above which the figures leave the frames.
inline constexpr uint64_t kFramePairBudget = 4096;

struct TTestChargeFigure {
  TPointCharge State;  // the test charge the figure was traced for
  TPolyline Halves[2]; // against the field, then along it
  TVector Force;       // N, on the charge's rounded centre
};

// Whether the test charges of a scene are too costly to trace in every frame.
bool FiguresTooCostlyForFrames(const TScene &scene);

// The figure of every test charge of the scene, by index (none for a source). A set
// cancel flag ends it early with an incomplete answer.
std::vector<std::optional<TTestChargeFigure>>
TraceTestChargeFigures(const TScene &scene, const TPictureTarget &target,
                       const std::atomic<bool> *cancel);

// The figures the frames draw while Active, by charge index of the scene they were traced for.
struct TTestChargeFigures {
  bool Active = false;
  std::vector<std::optional<TTestChargeFigure>> ByIndex;
  // The figure traced for the charge at index as it stands, or null.
  const TTestChargeFigure *Find(int index, const TPointCharge &charge) const;
};
