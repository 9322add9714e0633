#pragma once
// The content of a project file as plain data, apart from the windows it is loaded into.

#include "file/ParticleBlock.h"
#include "model/FieldLineOptions.h"
#include "model/PotentialOptions.h"

#include <cstdint>
#include <vector>

struct TChargeRecord {
  double X = 0;                // px: left edge of the charge's 20 by 20 square
  double Y = 0;                // px: top edge
  long double ChargeValue = 0; // C
  uint32_t FieldLineCount = 0; // 0..400
  bool IsTestCharge = false;
  uint8_t ChargeUnit = 0; // 0 elementary charge, 1 coulomb

  friend bool operator==(const TChargeRecord &, const TChargeRecord &) = default;
};

// Largest field-line count a file may hold (the settings window's limit).
inline constexpr int32_t kMaxFieldLineCount = 400;

struct TProjectData {
  int32_t OriginX = 0;             // px: screen pixel of the world origin
  int32_t OriginY = 0;             // px
  long double ArrowScale = 1e-23L; // N per metre of drawn force arrow
  long double ZoomFactor = 1.0L;   // 1.0 at 100 %: PixelsPerMetre x 0.0254 / pixels per inch
  std::vector<TChargeRecord> Charges;
  int32_t FirstChosen = -1;  // index into Charges of the voltage window's first charge, -1 none
  int32_t SecondChosen = -1; // same for the second
  int32_t ValueIndex = -1;   // voltage window's value: -1 none, 0 voltage, 1 work; others as read
  bool VoltageWindowVisible = false;
  TPotentialOptions Potential;  // the extension block after the last item
  TFieldLineOptions FieldLines; // the extension block after that
  TParticleContent Particles;   // and the one after that

  friend bool operator==(const TProjectData &, const TProjectData &) = default;
};
