#pragma once
// True size on the real screen: the main window's screen gives the pixels per inch that
// the picture is made with (its physical density where plausible, times the user's
// calibration of that screen, kept in the program's settings under the screen's name and
// model). When the window moves to another screen, or the calibration changes, the view is
// zoomed back to the zoom it had, so that a centimetre stays a centimetre.

#include <QObject>
#include <QPointer>
#include <QString>

class QScreen;
class QSettings;
class QWidget;
class TCalibrationDialog;
class TDocument;

// The name under which a screen's calibration is kept: its connector name, maker and model.
QString ScreenCalibrationKey(const QScreen &screen);
// The kept calibration factor of the screen (1 when none).
double KeptCalibration(const QSettings &settings, const QString &key);
void KeepCalibration(QSettings &settings, const QString &key, double factor);
// The screen's pixels per inch, calibrated; 96 for none.
double CalibratedPixelsPerInch(const QScreen *screen, const QSettings &settings);

class TTrueSize : public QObject {
  Q_OBJECT

public:
  // Makes the pixels-per-inch seam answer for the screen (at start, before any view).
  static void Install(const QScreen *screen);

  TTrueSize(QWidget &window, TDocument &document);
  // Follows the window to other screens from now on (once it has a native window).
  void Watch();
  // Shows the calibration dialog for the window's screen.
  void Calibrate();

private:
  // Installs for the window's screen, keeping the view's zoom.
  void Follow();

  QWidget &window_;
  TDocument &document_;
  QPointer<TCalibrationDialog> dialog_;
};
