#include "widgets/ColorEntries.h"

#include "widgets/ColorText.h"

QString TColorEntries::ColorName(TColor color) const {
  for (qsizetype i = 0; i < Colors.size(); ++i)
    if (ColorTextToInt(Colors[i]) == color)
      return i < Names.size() ? Names[i] : ColorToText(color);
  return ColorToText(color);
}

TColor TColorEntries::EntryColor(int index) const {
  if (index >= 0 && index < Colors.size())
    return ColorTextToInt(Colors[index]);
  return CustomColor;
}

std::optional<QString> TColorEntries::EntryText(int index) const {
  if (index < Colors.size()) {
    if (ShowText && index >= 0 && index < Names.size())
      return Names[index];
    return std::nullopt;
  }
  if (!ShowText)
    return QStringLiteral("?");
  const QString freeName = Names.isEmpty() ? QString() : Names.back();
  return freeName + QStringLiteral(": ") + ColorName(CustomColor);
}

void DrawColorEntry(TCanvas &canvas, const TColorEntries &entries, int index, const TRect &r,
                    bool selected) {
  const TColor swatch = entries.EntryColor(index);
  canvas.Brush.SetColor(swatch);
  canvas.FillRect(r);
  if (const std::optional<QString> text = entries.EntryText(index)) {
    // The brush stays solid in the swatch colour, so the text cell does not show.
    canvas.Font.Color = ContrastColor(swatch);
    canvas.TextOut(r.Left + (r.Right - r.Left) / 2 - canvas.TextWidth(*text) / 2,
                   r.Top + (r.Bottom - r.Top) / 2 - canvas.TextHeight(*text) / 2, *text);
  }
  if (selected) {
    canvas.Pen.Mode = TPenMode::pmNot;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Pen.Width = 3;
    canvas.Rectangle(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
    canvas.Pen.Mode = TPenMode::pmCopy;
  }
}
