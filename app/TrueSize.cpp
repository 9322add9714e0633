#include "app/TrueSize.h"

#include "base/ScreenDensity.h"
#include "base/Seams.h"
#include "model/Document.h"
#include "widgets/CalibrationDialog.h"
#include "widgets/ErrorGuard.h"

#include <QScreen>
#include <QSettings>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace {

// The program's settings, as main() keeps the language in them.
QSettings ProgramSettings() {
  return QSettings(QStringLiteral("kraftbild"), QStringLiteral("kraftbild"));
}

QString SettingsName(const QString &key) {
  // A key of its own per screen: no '/' of a name makes a settings group.
  return QStringLiteral("screens/") + QString::fromLatin1(QUrl::toPercentEncoding(key));
}

} // namespace

QString ScreenCalibrationKey(const QScreen &screen) {
  return screen.name() + u'|' + screen.manufacturer() + u'|' + screen.model();
}

double KeptCalibration(const QSettings &settings, const QString &key) {
  bool ok = false;
  const double factor = settings.value(SettingsName(key)).toDouble(&ok);
  return ok ? CalibrationStep(factor) : 1;
}

void KeepCalibration(QSettings &settings, const QString &key, double factor) {
  settings.setValue(SettingsName(key), CalibrationStep(factor));
}

double CalibratedPixelsPerInch(const QScreen *screen, const QSettings &settings) {
  if (screen == nullptr)
    return kLogicalPixelsPerInch;
  return TruePixelsPerInch(screen) * KeptCalibration(settings, ScreenCalibrationKey(*screen));
}

void TTrueSize::Install(const QScreen *screen) {
  const double ppi = CalibratedPixelsPerInch(screen, ProgramSettings());
  seams::SetPixelsPerInchSource([ppi] { return ppi; });
}

TTrueSize::TTrueSize(QWidget &window, TDocument &document) : window_(window), document_(document) {}

void TTrueSize::Watch() {
  QWindow *handle = window_.windowHandle();
  if (handle == nullptr)
    return;
  ConnectGuarded(handle, &QWindow::screenChanged, this, [this] { Follow(); });
  Follow();
}

void TTrueSize::Follow() {
  const double before = seams::ScreenPixelsPerInch();
  const long double zoom = document_.Scene().ZoomFactor();
  Install(window_.screen());
  if (seams::ScreenPixelsPerInch() != before)
    document_.ZoomAbout(zoom, document_.Scene().Origin);
}

void TTrueSize::Calibrate() {
  const QScreen *screen = window_.screen();
  if (screen == nullptr)
    return;
  if (dialog_ != nullptr) {
    dialog_->raise();
    dialog_->activateWindow();
    return;
  }
  const QString key = ScreenCalibrationKey(*screen);
  dialog_ = new TCalibrationDialog(TruePixelsPerInch(screen),
                                   KeptCalibration(ProgramSettings(), key), &window_);
  dialog_->setAttribute(Qt::WA_DeleteOnClose);
  ConnectGuarded(dialog_.data(), &QDialog::accepted, this, [this, key] {
    QSettings settings = ProgramSettings();
    KeepCalibration(settings, key, dialog_->Factor());
    settings.sync();
    Follow();
  });
  dialog_->show();
}
