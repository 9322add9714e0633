#pragma once
// The ready-made projects of the "Beispiele" menu, kept as resources of the program.

#include <QString>

#include <vector>

struct TExample {
  QString Title;    // menu text
  QString Resource; // project file path
};

// In menu order.
const std::vector<TExample> &Examples();
