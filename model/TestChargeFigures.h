#pragma once
// The field line and force of every test charge, traced with the background on the worker
// thread once they are too costly for each frame: with thousands of sources and test charges
// a frame would trace for minutes. The frames then draw the figures of the last finished
// background, as they draw its field lines; a test charge that has moved since shows its disc
// alone until the next picture is finished.

#include "model/Document.h"
#include "model/FieldLineTracer.h"
#include "model/Vector.h"

#include <atomic>
#include <optional>
#include <unordered_map>
#include <vector>

// Pairs of source and test charge above which the figures leave the frames.
inline constexpr uint64_t kFramePairBudget = 4096;

struct TTestChargeFigure {
  TChargeState State;  // of the test charge the figure was traced for
  TPolyline Halves[2]; // against the field, then along it
  TVector Force;       // N, on the charge's rounded centre
};

// Whether the test charges of a document are too costly to trace in every frame.
bool FiguresTooCostlyForFrames(const TDocument &document);

// The figure of every test charge of the document, by index (none for a source). A set
// cancel flag ends it early with an incomplete answer.
std::vector<std::optional<TTestChargeFigure>>
TraceTestChargeFigures(const TDocument &document, TSize area, const std::atomic<bool> *cancel);

// The figures the frames draw while Active.
struct TTestChargeFigures {
  bool Active = false;
  std::unordered_map<const TPointCharge *, TTestChargeFigure> ByCharge;
  // The figure traced for the charge as it stands, or null.
  const TTestChargeFigure *Find(const TPointCharge &charge) const;
};
extern TTestChargeFigures TestChargeFigures;
