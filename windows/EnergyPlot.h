#pragma once
// A small plot of a particle's energies over its flight time: kinetic, potential and total
// energy (eV) against time (s), with labelled axes and a legend, painted by itself.

#include "model/ParticleReadouts.h"

#include <QWidget>

#include <vector>

class TEnergyPlot : public QWidget {
  Q_OBJECT

public:
  explicit TEnergyPlot(QWidget *parent = nullptr);

  // The curves from these samples (s, J), in order of time; none clears the plot.
  void SetSamples(std::vector<TEnergySample> samples);
  const std::vector<TEnergySample> &Samples() const { return samples_; }

  QSize sizeHint() const override;

protected:
  void changeEvent(QEvent *event) override;
  void paintEvent(QPaintEvent *event) override;

private:
  void RetranslateUi();

  std::vector<TEnergySample> samples_;
};
