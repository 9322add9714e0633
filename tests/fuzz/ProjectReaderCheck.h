#pragma once
// What every read of project bytes must satisfy, for the mutation harness, the libFuzzer
// target and the runner over kept inputs: the reader fails only with its own errors and
// their exact texts, keeps only sound values, and whatever it accepts survives a write and a
// second read unchanged.

#include "file/ProjectData.h"

#include <QByteArray>

#include <string>
#include <vector>

enum class EReadOutcome { Accepted, ReadError, PropertyError, ListError, Foreign };

struct TReadCheck {
  EReadOutcome Outcome = EReadOutcome::Foreign;
  TProjectData Data; // as the reader left it, also after a failure
  std::string Fault; // empty when the reader behaved
};

TReadCheck CheckProjectRead(const QByteArray &input);

// Valid project files that reach every kind of value: no charges, one charge, three charges
// with chosen indices, and one with integer tags in the float fields as other writers produce.
std::vector<QByteArray> ProjectSeeds();
