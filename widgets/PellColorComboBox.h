#pragma once
// A drop-down list of colours: each entry is a swatch of its colour, optionally labelled with
// its name; the last entry stands for a free colour picked in the colour dialog.
//
// Invariant: the entry after the last colour (index Colors().size()) is the free-colour entry,
// and the index of a colour entry is the index of its text in Colors().

#include "widgets/ColorEntries.h"
#include "widgets/PellComboBox.h"

#include <QStringList>

class QPainter;

class TPellColorComboBox : public TPellComboBox {
  Q_OBJECT
public:
  static constexpr int ItemHeight = 20;    // px, every entry
  static constexpr int DefaultWidth = 200; // px

  // Fifteen named colours and "Andere Farbe"; nothing selected until SetColor.
  explicit TPellColorComboBox(QWidget *parent = nullptr);

  // The entry names: one per colour, then the free-colour name.
  QStringList Items() const;
  // The colour texts parallel to Items ("$" + hexadecimal $00BBGGRR).
  const QStringList &Colors() const { return colors_; }
  // Replaces the colour texts and asks the user (dialog seam) for the names of deleted or
  // added colours until there is one name per colour again; then re-applies Color.
  void SetColors(const QStringList &colors);

  // The selected colour ($00BBGGRR); 0 at creation.
  TColor Color() const { return color_; }
  // Selects the entry whose text equals the colour's "$" text exactly; otherwise the colour
  // becomes the free colour and the free-colour entry is selected. Always fires OnColorChange.
  void SetColor(TColor color);

  // The colour of the free-colour entry. While that entry is selected, setting it also sets
  // Color and fires OnColorChange.
  TColor CustomColor() const { return customColor_; }
  void SetCustomColor(TColor color);

  bool ShowText() const { return showText_; }
  void SetShowText(bool show);

  // The name of the first colour whose text reads as `color`, else its "$" text.
  QString GetColorName(TColor color) const;
  // Inserts a colour before entry `index`; -1 and every index beyond the last colour add it as
  // the last colour. Below -1 raises EListError. Color and the selection stay as they are.
  void AddColor(TColor color, const QString &name, int index);
  // Each deletes one colour entry (name and text), re-applies Color and answers whether an
  // entry was deleted. The free-colour entry is never deleted.
  bool DeleteColor_Color(TColor color);
  bool DeleteColor_Index(int index);          // a negative index raises EListError
  bool DeleteColor_Name(const QString &name); // exact, case-sensitive

  // Everything an entry shows, as data.
  TColorEntries Entries() const;
  // Draws entry `index` into r of the canvas in this control's font.
  void DrawItem(TCanvas &canvas, int index, const TRect &r, bool selected) const;
  // Draws entry `index` into `area` of a widget through an image of the entry's size.
  void PaintItem(QPainter &painter, const QRect &area, int index, bool selected);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

signals:
  // After Color may have changed: SetColor, a user selection, a new free colour.
  void OnColorChange();

protected:
  void changeEvent(QEvent *event) override;
  void paintEvent(QPaintEvent *event) override;

private:
  // The names the program gave in the language in force.
  void RetranslateUi();
  // The user picked an entry by mouse or keyboard.
  void Change();
  void Repaint();
  // Index of the first colour name equal to `name` ignoring case; the free-colour name is
  // not a colour name.
  int ColorNameIndex(const QString &name) const;

  QStringList colors_;
  TColor color_ = 0;
  TColor customColor_ = 0;
  bool showText_ = true;
  QString lastPaintError_; // reported once, not on every repaint
};
