#include "Trajectory.h"

#include "base/Errors.h"
#include "base/ReplacingFile.h"
#include "model/ParticleFlight.h"

#include <QFileInfo>

#include <array>
#include <charconv>

namespace {

void AppendNumber(std::string &csv, long double value) {
  std::array<char, 64> text{};
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc())
    csv.append(text.data(), end);
}

} // namespace

void AppendTrajectoryRows(std::string &csv, const TParticleFlight &flight) {
  for (const TParticleState &s : flight.Track()) {
    for (const long double value : {s.T, s.X, s.Y, s.VX, s.VY}) {
      AppendNumber(csv, value);
      csv += ',';
    }
    AppendNumber(csv, flight.KineticEnergy(s));
    csv += ',';
    AppendNumber(csv, flight.PotentialEnergy(s));
    csv += '\n';
  }
}

void WriteTrajectory(const QString &fileName, const std::string &csv) {
  TReplacingFile file(fileName);
  const auto failure = [&] {
    return EWriteError(QStringLiteral("Die Bahndaten konnten nicht nach %1 geschrieben werden. %2")
                           .arg(QFileInfo(fileName).absoluteFilePath(), file.FailureReason()));
  };
  if (!file.Begin())
    throw failure();
  if (file.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size())) {
    file.Cancel();
    throw failure();
  }
  if (!file.Commit())
    throw failure();
}
