#pragma once
// The charge list: an owner-drawn drop-down list whose entries carry no text of their own.
// Entry i is drawn from the document's charge i at paint time, as "X: .. | Y: .." in metres, test
// charges in green. The entries are only a count, so that a list of 100,000 charges costs no
// item objects and grows or shrinks in one step.

#include "display/Canvas.h"

#include <QComboBox>

class TDocument;

inline constexpr TColor kTestChargeTextColor = 0x008000;
inline constexpr int kChargeEntryHeight = 16; // px

// Draws entry index into rect: fills it with the canvas's brush colour, then writes the
// charge's position in green for a test charge, otherwise in windowText. An index without
// a charge leaves the entry empty.
void DrawChargeEntry(TCanvas &canvas, const TDocument &document, int index, const TRect &rect,
                     TColor windowText);

class TChargeComboBox : public QComboBox {
  Q_OBJECT

public:
  explicit TChargeComboBox(const TDocument &document, QWidget *parent = nullptr);

  // Makes the list hold count entries, adding or removing at the end in one step; the
  // current index is then whatever the combo box makes of it.
  void SetEntryCount(int count);
  // Repaints the closed box and the open list (after a charge moved or changed).
  void RepaintEntries();

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  const TDocument &document_;
};
