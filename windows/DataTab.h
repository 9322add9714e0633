#pragma once
// The "Daten" page of the settings window: force, its direction, field strength and
// potential at the selected test charge, in a read-only two-column list; below them, when
// asked for, the points where the field vanishes.

#include <QStringList>
#include <QWidget>

class QEvent;
class QTreeWidget;
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

protected:
  void changeEvent(QEvent *event) override;

private:
  // Tooltip, column headers and property names in the language in force.
  void RetranslateUi();
};
