#pragma once
// Command line of kraftbild-render.

#include "model/Particle.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

struct TRenderOptions {
  QString Project;
  QString Png;             // empty: no picture written
  QString Svg;             // the same picture as vectors; empty: none
  QString Pdf;             // empty: none
  QString Save;            // empty: no project written
  int Width = 792;         // px of the drawing surface
  int Height = 535;        // px
  int Ppi = 96;            // screen pixels per inch
  uint32_t Step = 3;       // tracer step, 1..21
  int Selected = -1;       // index of the selected charge, -1 none
  QString Locale;          // empty: the environment's
  uint64_t StepBudget = 0; // steps per half-line instead of 30 ms; 0 keeps the clock
  bool Stats = false;
  bool Data = false;               // print the data tab of every test charge and the voltage line
  bool Equipotentials = false;     // lines at the automatic levels, or at Levels
  std::vector<long double> Levels; // V
  bool PotentialMap = false;
  bool ZeroPoints = false;          // the points where the field vanishes
  bool LineArrows = false;          // heads along the field lines
  bool FluxLines = false;           // lines in proportion to charge, each traced once
  bool Accurate = false;            // lines traced to a set accuracy
  std::vector<TParticle> Particles; // released into the project's field
  long double Simulate = 0;         // s each particle flies; 0: they stay at their start
  QString Trajectory;               // CSV of every accepted step; empty: none
};

// Fills options from the arguments (the program name first); on a bad option returns false
// with a one-line explanation.
bool ParseRenderOptions(const QStringList &arguments, TRenderOptions &options, QString &problem);

QString RenderUsage();
