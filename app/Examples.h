#pragma once
// The ready-made projects of the "Beispiele" menu, kept as resources of the program.

#include <QString>

#include <string>
#include <vector>

struct TExample {
  const char *Title; // menu text in German; ExampleTitle gives it in the program's language
  QString Resource;  // project file path
};

QString ExampleTitle(const TExample &example);
// The note an example's file holds (German), in the program's language.
QString ExampleNote(const std::string &note);

// In menu order.
const std::vector<TExample> &Examples();
