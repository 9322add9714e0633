#pragma once
// The flights of kraftbild-render's particles as a CSV file: a row per accepted step.

#include <QString>

#include <string>

class TParticleFlight;

// The header row, with its line end.
inline constexpr char kTrajectoryHeader[] = "t,x,y,vx,vy,ekin,epot\n";

// Appends a row per state of the flight's track, from its start: time (s), place (m),
// velocity (m/s), kinetic and potential energy (J), each the shortest text that reads back
// as the same extended-precision value, with a point as decimal separator.
void AppendTrajectoryRows(std::string &csv, const TParticleFlight &flight);

// Writes the text to the file, replacing it only once every byte has arrived. Throws
// EWriteError with a German message that names the file and the reason.
void WriteTrajectory(const QString &fileName, const std::string &csv);
