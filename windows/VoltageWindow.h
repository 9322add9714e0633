#pragma once
// The voltage-and-work window: two position panels ("von:", "nach:") that each take a test
// charge clicked in the main window, and the voltage between their positions or the work
// needed to move the start charge to the end, computed from the potential of all sources.

#include "windows/PositionPanel.h"

#include <QWidget>

class QComboBox;
class QLabel;
class TPointCharge;

class TForm3 : public QWidget {
  Q_OBJECT

public:
  TForm3();

  TPositionPanel *Panel_Pos1 = nullptr; // start, "von:"
  TPositionPanel *Panel_Pos2 = nullptr; // end, "nach:"
  QComboBox *ComboBox_Value = nullptr;  // "Spannung:", "Aufzubringende Arbeit:"
  QLabel *Label_Value = nullptr;

  // The panel waiting for a charge to be clicked in the main window, or null.
  TPositionPanel *PotentialSearching() const { return searching_; }
  // Ends any wait (the waiting panel turns grey); a different panel then waits (silver).
  void SetPotentialSearching(TPositionPanel *panel);
  // The first panel that holds the charge, or null.
  TPositionPanel *PanelOfCharge(const TPointCharge *charge) const;
  // Caption of the panel from its charge, then the value.
  void UpdatePanel(TPositionPanel *panel);
  // The text of Label_Value from both charges and the chosen value.
  void UpdateValue();
  // A charge was moved or edited.
  void ChargeChanged(const TPointCharge *charge);
  // A charge is about to be freed: no panel may keep it.
  void ChargeRemoved(const TPointCharge *charge);

  void Panel_PosClick(TPositionPanel *panel);
  void Panel_PosMouseDown(TPositionPanel *panel, Qt::MouseButton button);
  void ComboBox_ValueClick();

protected:
  void showEvent(QShowEvent *event) override;

private:
  TPositionPanel *searching_ = nullptr;
};
