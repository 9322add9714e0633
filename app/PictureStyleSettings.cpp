#include "app/PictureStyleSettings.h"

#include <QSettings>

namespace {

const QString kLineWidth = QStringLiteral("Darstellung/Linienbreite");
const QString kLabelSize = QStringLiteral("Darstellung/Schriftgroesse");
const QString kFieldLineColor = QStringLiteral("Darstellung/Feldlinienfarbe");
const QString kFitPage = QStringLiteral("Darstellung/DruckAnSeite");

int32_t StoredInRange(const QSettings &settings, const QString &key, int32_t low, int32_t high,
                      int32_t otherwise) {
  bool ok = false;
  const int value = settings.value(key).toInt(&ok);
  return ok && value >= low && value <= high ? value : otherwise;
}

} // namespace

TPictureStyle StoredPictureStyle(const QSettings &settings) {
  const TPictureStyle plain;
  TPictureStyle style;
  style.LineWidth =
      StoredInRange(settings, kLineWidth, kMinLineWidth, kMaxLineWidth, plain.LineWidth);
  style.LabelSize =
      StoredInRange(settings, kLabelSize, kMinLabelSize, kMaxLabelSize, plain.LabelSize);
  bool ok = false;
  const qlonglong color = settings.value(kFieldLineColor).toLongLong(&ok);
  style.FieldLineColor =
      ok && color >= 0 && color <= 0xFFFFFF ? static_cast<uint32_t>(color) : plain.FieldLineColor;
  style.FitPage = settings.value(kFitPage, plain.FitPage).toBool();
  return style;
}

void KeepPictureStyle(QSettings &settings, const TPictureStyle &style) {
  settings.setValue(kLineWidth, style.LineWidth);
  settings.setValue(kLabelSize, style.LabelSize);
  settings.setValue(kFieldLineColor, static_cast<qlonglong>(style.FieldLineColor));
  settings.setValue(kFitPage, style.FitPage);
}
