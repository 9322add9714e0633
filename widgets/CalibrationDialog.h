#pragma once
// "Bildschirm kalibrieren": the user matches a drawn bar to a ruler or a bank card held
// against the screen and so sets the factor on the screen's pixels per inch, in 0.1 % steps.
// Not modal: the main window goes on showing the picture at the old size until "OK".

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QLabel;

inline constexpr double kCalibrationMin = 0.5; // factors on the screen's pixels per inch
inline constexpr double kCalibrationMax = 2.0;
inline constexpr double kBankCardWidthMm = 85.60; // ISO/IEC 7810 ID-1

// The factor kept to 0.1 % and within kCalibrationMin..kCalibrationMax (1 for none).
double CalibrationStep(double factor);

class TCalibrationBar;

class TCalibrationDialog : public QDialog {
  Q_OBJECT

public:
  // ppi: the screen's pixels per inch before calibration; factor: the calibration so far.
  TCalibrationDialog(double ppi, double factor, QWidget *parent = nullptr);
  double Factor() const;
  void SetFactor(double factor);
  // The drawn bar's length in logical pixels.
  double BarLength() const;

private:
  void Changed();

  double ppi_;
  QComboBox *reference_ = nullptr;
  QDoubleSpinBox *percent_ = nullptr;
  TCalibrationBar *bar_ = nullptr;
};
