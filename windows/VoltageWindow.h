#pragma once
// The voltage-and-work window: two position panels ("von:", "nach:") that each take a test
// charge clicked in the main window, and the voltage between their positions or the work
// needed to move the start charge to the end, computed from the potential of all sources.

#include "model/Document.h"
#include "windows/PositionPanel.h"

#include <QWidget>

class QComboBox;
class QLabel;

// What a project file keeps of the window.
struct TVoltageChoices {
  const TPointCharge *Start = nullptr;
  const TPointCharge *End = nullptr;
  int ValueIndex = -1; // -1 for none
  bool Visible = false;
};

// Its choices are steps of the document's history: start, end (charge indices, -1 for
// none) and the value index.
class TForm3 : public QWidget, public TChoiceHolder {
  Q_OBJECT

public:
  explicit TForm3(TDocument &document);
  ~TForm3() override;
  TForm3(const TForm3 &) = delete;
  TForm3 &operator=(const TForm3 &) = delete;

  std::vector<int> HeldChoices() const override;
  void RestoreChoices(const std::vector<int> &choices) override;

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
  // Caption of the panel from its charge, then the value; tells who draws the voltage path.
  void UpdatePanel(TPositionPanel *panel);
  // The text of Label_Value from both charges and the chosen value.
  void UpdateValue();
  // A charge was moved or edited.
  void ChargeChanged(const TPointCharge *charge);
  // A charge was clicked in the main window: the waiting panel takes a test charge that no
  // panel holds yet.
  void ChargeClicked(TPointCharge *charge);
  // The state of a new project: no charges chosen, no value, no waiting panel, hidden.
  void Reset();
  TVoltageChoices Choices() const;
  // Takes a loaded project's choices; a value index the list does not know is none.
  void ShowChoices(const TVoltageChoices &choices);
  // A charge is about to be freed: no panel may keep it.
  void ChargeRemoved(const TPointCharge *charge);

  void Panel_PosClick(TPositionPanel *panel);
  void Panel_PosMouseDown(TPositionPanel *panel, Qt::MouseButton button);
  void ComboBox_ValueClick();

signals:
  // The two chosen charges, whose voltage path the frame shows.
  void PathChanged(const TPointCharge *start, const TPointCharge *end);

protected:
  void showEvent(QShowEvent *event) override;

private:
  TDocument &document_;
  TPositionPanel *searching_ = nullptr;
  int valueShown_ = -1; // the value index before the user picks another
};
