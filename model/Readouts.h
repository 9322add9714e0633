#pragma once
// The texts that show the physics of a scene to the user: a charge's position, the
// four quantities at a test charge, and the voltage or work between two test charges. The
// windows show them; the command-line renderer prints them.

#include "base/Geometry.h"

#include <QString>
#include <QStringList>

struct TScene;
class TPointCharge;

inline constexpr long double kFullCircle = 6.283185307179586477L; // rad
inline constexpr long double kPiDegrees = 3.1415926535897932385L; // for rad to degrees

// "X: <x> | Y: <y>" with the metre coordinates of the charge's centre in "0.####".
QString PositionText(const TScene &scene, const TPointCharge &charge);

// The coordinate texts "( x m | y m )" of the points where the field vanishes on a surface of
// that size (px), when the scene shows them; none otherwise.
QStringList ZeroPointTexts(const TScene &scene, TSize surface);

// The four rows of the data tab: force, its direction, field strength and potential.
struct TDataRows {
  QString Force;
  QString Angle;
  QString FieldStrength;
  QString Potential;
  friend bool operator==(const TDataRows &, const TDataRows &) = default;
};
// The fixed texts in the sources' language; the routines below answer their translations
// (context "Readouts").
inline const QString kNoTestChargeText =
    QString::fromUtf8(QT_TRANSLATE_NOOP("Readouts", "(keine Probeladung)"));
inline const QString kNoChargeText =
    QString::fromUtf8(QT_TRANSLATE_NOOP("Readouts", "(keine Ladung)"));
inline const QString kInfiniteText =
    QString::fromUtf8(QT_TRANSLATE_NOOP("Readouts", "(unendlich)"));

// The rows for the selected charge; null (no selection) or a charge that is not a test
// charge gives "(keine Probeladung)" in every row.
TDataRows DataRowsFor(const TScene &scene, const TPointCharge *selected);

// Value indices of the voltage window.
inline constexpr int kValueVoltage = 0;
inline constexpr int kValueWork = 1;
inline const QString kNoChargeChosenText =
    QString::fromUtf8(QT_TRANSLATE_NOOP("Readouts", "(keine Ladung ausgewählt)"));
inline const QString kClickHintText = QString::fromUtf8(QT_TRANSLATE_NOOP(
    "Readouts", "(Klicken Sie ein Feld oben und dann die gewünschte Ladung an.)"));
inline const QString kChooseValueHintText = QString::fromUtf8(
    QT_TRANSLATE_NOOP("Readouts", "(Wählen Sie den Wert aus, der ausgegeben werden soll.)"));

// Caption of a position panel: the charge's position, or "(keine Ladung ausgewählt)".
QString PanelCaption(const TScene &scene, const TPointCharge *charge);

// The voltage window's result: the click hint unless both charges are chosen, the value
// hint unless valueIndex is voltage or work, else U = V(end) - V(start) in V or the work
// U * q(start) in J. A potential that is infinite, or a difference that is undefined,
// reads "(unendlich)".
QString VoltageValueText(const TScene &scene, const TPointCharge *start, const TPointCharge *end,
                         int valueIndex);
