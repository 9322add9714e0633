#pragma once
// The entries of a colour combo box as data: the colour texts, the names (one per colour and
// a last one for the free colour), and how each entry is named and drawn. Kept apart from the
// widget so that drawing can be checked on a plain image.

#include "display/Canvas.h"

#include <QString>
#include <QStringList>

#include <optional>

struct TColorEntries {
  QStringList Colors;     // colour texts ("$0000FF"); entry i < Colors.size() shows Colors[i]
  QStringList Names;      // entry names; the last one names the free-colour entry
  TColor CustomColor = 0; // the colour of the free-colour entry
  bool ShowText = true;   // label the swatches

  // The name of the first colour whose text reads as `color`, else its "$" text. Raises
  // EConvertError for a colour text that is no number before the match.
  QString ColorName(TColor color) const;
  // The colour entry `index` shows (the free colour from Colors.size() on).
  TColor EntryColor(int index) const;
  // The label drawn on entry `index`: the name, "<free name>: <colour name>", "?" for the free
  // entry without text, nothing for a bare swatch.
  std::optional<QString> EntryText(int index) const;
};

// Draws entry `index` into r: the swatch, its label centred in the contrast colour and, for
// the selected entry, a three-pixel inverting frame inset by two pixels. The canvas's font
// must be set up by the caller (the control's font).
void DrawColorEntry(TCanvas &canvas, const TColorEntries &entries, int index, const TRect &r,
                    bool selected);
