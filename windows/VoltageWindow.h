#pragma once
// The voltage-and-work window: two position panels ("von:", "nach:") that each take a test
// charge clicked in the main window, and the voltage between their positions or the work
// needed to move the start charge to the end, computed from the potential of all sources.

#include "model/Document.h"
#include "windows/PositionPanel.h"

#include <QWidget>

class QComboBox;
class QLabel;

// Its choices are the document's (TScene::Voltage): every change of them is a step of the
// history.
class TForm3 : public QWidget {
  Q_OBJECT

public:
  explicit TForm3(TDocument &document);
  ~TForm3() override;
  TForm3(const TForm3 &) = delete;
  TForm3 &operator=(const TForm3 &) = delete;

  TPositionPanel *Panel_Pos1 = nullptr; // start, "von:"
  TPositionPanel *Panel_Pos2 = nullptr; // end, "nach:"
  QComboBox *ComboBox_Value = nullptr;  // "Spannung:", "Aufzubringende Arbeit:"
  QLabel *Label_Value = nullptr;

  // The panel waiting for a charge to be clicked in the main window, or null.
  TPositionPanel *PotentialSearching() const { return searching_; }
  // Ends any wait (the waiting panel turns grey); a different panel then waits (silver).
  void SetPotentialSearching(TPositionPanel *panel);
  // The first panel that holds the charge at index, or null.
  TPositionPanel *PanelOfCharge(int index) const;
  // The charge index a panel holds, -1 for none.
  int ChargeOf(const TPositionPanel *panel) const;
  // Captions, value list and value text from the document's choices.
  void ShowChoices();
  // A charge was clicked in the main window: the waiting panel takes a test charge that no
  // panel holds yet.
  void ChargeClicked(int index);
  // The state of a new or loaded project: no waiting panel, hidden.
  void Reset();

  void Panel_PosClick(TPositionPanel *panel);
  void Panel_PosMouseDown(TPositionPanel *panel, Qt::MouseButton button);
  void ComboBox_ValueClick();

protected:
  void changeEvent(QEvent *event) override;
  void showEvent(QShowEvent *event) override;

private:
  // Title, labels, value names and tooltips in the language in force.
  void RetranslateUi();

  QLabel *fromLabel_ = nullptr;
  QLabel *toLabel_ = nullptr;
  TDocument &document_;
  TPositionPanel *searching_ = nullptr;
};
