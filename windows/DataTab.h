#pragma once
// The "Daten" page of the settings window: force, its direction, field strength and
// potential at the selected test charge, in a read-only two-column list; below them, when
// asked for, the points where the field vanishes. Under that list, while a particle is
// selected, its readouts and a plot of its energies.

#include "model/ParticleReadouts.h"

#include <QStringList>
#include <QWidget>

#include <optional>
#include <vector>

class QEvent;
class QTreeWidget;
class TEnergyPlot;
struct TDataRows;

inline constexpr int kPropertyColumnWidth = 90; // px

class TDataTab : public QWidget {
  Q_OBJECT

public:
  explicit TDataTab(QWidget *parent = nullptr);

  // Rows "Kraft", "Winkel", "Feldstärke", "Potenzial"; columns "Eigenschaft", "Wert".
  QTreeWidget *ListView_Data = nullptr;

  // Puts the four values into the "Wert" column.
  void ShowRows(const TDataRows &rows);
  // One row "Feldfreier Punkt" per position text after the four rows, none for an empty list.
  void ShowZeroPoints(const QStringList &positions);
  // The "Wert" text of a row.
  QString Value(int row) const;

  // Rows "Zeit", "Ort", "Geschwindigkeit", "Kinetische Energie", "Potenzielle Energie",
  // "Gesamtenergie", "Drift (relativ)"; shown with the plot while a particle is selected.
  QTreeWidget *ListView_Particle = nullptr;
  TEnergyPlot *Plot_Energy = nullptr;
  // The selected particle's readout and its energies so far; null hides both.
  void ShowParticle(const TParticleReadout *readout, std::vector<TEnergySample> curve);
  // The "Wert" text of a particle's row.
  QString ParticleValue(int row) const;

protected:
  void changeEvent(QEvent *event) override;

private:
  // Tooltip, column headers and property names in the language in force.
  void RetranslateUi();

  // The readout last shown, to show it again in another language.
  std::optional<TParticleReadout> particle_;
};
