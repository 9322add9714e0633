#include "widgets/PellColorComboBox.h"

#include "base/Errors.h"
#include "widgets/ColorText.h"
#include "widgets/Dialogs.h"
#include "widgets/ErrorGuard.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include <array>

namespace {

struct TDefaultColor {
  const char *Name; // untranslated
  TColor Value;
};

constexpr std::array<TDefaultColor, 15> DefaultColors{{
    {QT_TRANSLATE_NOOP("TPellColorComboBox", "Schwarz"), 0x000000},
    {QT_TRANSLATE_NOOP("TPellColorComboBox", "Dunkelgrau"), 0x808080},
    {QT_TRANSLATE_NOOP("TPellColorComboBox", "Hellgrau"), 0xC0C0C0},
    {QT_TRANSLATE_NOOP("TPellColorComboBox", "Weiß"), 0xFFFFFF},
    {QT_TRANSLATE_NOOP("TPellColorComboBox", "Rot"), 0x0000FF},
    {QT_TRANSLATE_NOOP("TPellColorComboBox", "Orange"), 0x0080FF},
    {QT_TRANSLATE_NOOP("TPellColorComboBox", "Gelb"), 0x00FFFF},
    {QT_TRANSLATE_NOOP("TPellColorComboBox", "Hellgrün"), 0x00FF00},
    {QT_TRANSLATE_NOOP("TPellColorComboBox", "Dunkelgrün"), 0x008000},
    {QT_TRANSLATE_NOOP("TPellColorComboBox", "Dunkelblau"), 0x800000},
    {QT_TRANSLATE_NOOP("TPellColorComboBox", "Blau"), 0xFF0000},
    {QT_TRANSLATE_NOOP("TPellColorComboBox", "Hellblau"), 0xFFFF00},
    {QT_TRANSLATE_NOOP("TPellColorComboBox", "Violett"), 0xFF8080},
    {QT_TRANSLATE_NOOP("TPellColorComboBox", "Lila"), 0x800080},
    {QT_TRANSLATE_NOOP("TPellColorComboBox", "Rosa"), 0xFF00FF},
}};

constexpr const char *kFreeColorName = QT_TRANSLATE_NOOP("TPellColorComboBox", "Andere Farbe");

// An entry's untranslated name, for the entries the program names itself; the user's names
// have none and stay as they are in every language.
constexpr int kSourceNameRole = Qt::UserRole;

// Draws the popup list's entries as swatches of a fixed height.
class TColorItemDelegate : public QStyledItemDelegate {
public:
  explicit TColorItemDelegate(TPellColorComboBox *combo)
      : QStyledItemDelegate(combo), combo_(combo) {}

  void paint(QPainter *painter, const QStyleOptionViewItem &option,
             const QModelIndex &index) const override {
    combo_->PaintItem(*painter, option.rect, index.row(),
                      option.state.testFlag(QStyle::State_Selected));
    if (option.state.testFlag(QStyle::State_HasFocus)) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(option);
      combo_->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
  }

  QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), TPellColorComboBox::ItemHeight};
  }

private:
  TPellColorComboBox *combo_;
};

} // namespace

TPellColorComboBox::TPellColorComboBox(QWidget *parent) : TPellComboBox(parent) {
  setItemDelegate(new TColorItemDelegate(this));
  for (const TDefaultColor &c : DefaultColors) {
    addItem(QString(), QString::fromUtf8(c.Name));
    colors_ << ColorToText(c.Value);
  }
  addItem(QString(), QString::fromUtf8(kFreeColorName));
  RetranslateUi();
  setCurrentIndex(-1);
  resize(sizeHint());
  // `activated` comes only from the user (mouse, arrow keys, wheel), never from code.
  ConnectGuarded(this, &QComboBox::activated, this, [this] { Change(); });
}

void TPellColorComboBox::RetranslateUi() {
  // Entries inserted or removed since keep their untranslated name with them.
  for (int i = 0; i < count(); ++i) {
    const QString source = itemData(i, kSourceNameRole).toString();
    if (!source.isEmpty())
      setItemText(i, tr(source.toUtf8().constData()));
  }
  Repaint();
}

void TPellColorComboBox::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange)
    RetranslateUi();
  TPellComboBox::changeEvent(event);
}

QStringList TPellColorComboBox::Items() const {
  QStringList names;
  names.reserve(count());
  for (int i = 0; i < count(); ++i)
    names << itemText(i);
  return names;
}

TColorEntries TPellColorComboBox::Entries() const {
  return {colors_, Items(), customColor_, showText_};
}

void TPellColorComboBox::SetColor(TColor color) {
  color_ = color;
  const qsizetype found = colors_.indexOf(ColorToText(color));
  if (found >= 0) {
    setCurrentIndex(static_cast<int>(found));
  } else {
    customColor_ = color;
    setCurrentIndex(static_cast<int>(colors_.size()));
  }
  Repaint();
  emit OnColorChange();
}

void TPellColorComboBox::SetCustomColor(TColor color) {
  customColor_ = color;
  Repaint();
  if (currentIndex() >= 0 && currentIndex() >= colors_.size()) {
    color_ = color;
    emit OnColorChange();
  }
}

void TPellColorComboBox::SetShowText(bool show) {
  if (show == showText_)
    return;
  showText_ = show;
  Repaint();
}

QString TPellColorComboBox::GetColorName(TColor color) const { return Entries().ColorName(color); }

void TPellColorComboBox::AddColor(TColor color, const QString &name, int index) {
  const auto last = static_cast<int>(colors_.size());
  if (index > last)
    index = last;
  if (index == -1)
    index = last;
  if (index < -1)
    throw EListError(ListIndexErrorText(index));
  colors_.insert(index, ColorToText(color));
  insertItem(index, name);
  lastPaintError_.clear();
}

bool TPellColorComboBox::DeleteColor_Index(int index) {
  if (index >= colors_.size())
    return false;
  if (index < 0)
    throw EListError(ListIndexErrorText(index));
  colors_.removeAt(index);
  removeItem(index);
  lastPaintError_.clear();
  SetColor(color_);
  return true;
}

bool TPellColorComboBox::DeleteColor_Color(TColor color) {
  for (qsizetype i = 0; i < colors_.size(); ++i)
    if (ColorTextToInt(colors_[i]) == color)
      return DeleteColor_Index(static_cast<int>(i));
  return false;
}

bool TPellColorComboBox::DeleteColor_Name(const QString &name) {
  // The free-colour name sits after the colour names and is never found.
  const int searched = count() > colors_.size() ? count() - 1 : count();
  for (int i = 0; i < searched; ++i)
    if (itemText(i) == name)
      return DeleteColor_Index(i);
  return false;
}

int TPellColorComboBox::ColorNameIndex(const QString &name) const {
  for (int i = 0; i < count() - 1; ++i)
    if (itemText(i).compare(name, Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

void TPellColorComboBox::SetColors(const QStringList &colors) {
  colors_ = colors;
  lastPaintError_.clear();
  const QString title = tr("Farbname");
  QString text; // carried from one question to the next
  while (count() - 1 > colors_.size()) {
    QString prompt = tr("Name der gelöschten Farbe:");
    int victim = -1;
    for (;;) {
      const std::optional<QString> answer = Dialogs().InputQuery(this, title, prompt, text);
      if (!answer)
        break;
      text = *answer;
      victim = ColorNameIndex(text);
      if (victim >= 0)
        break;
      prompt = tr("Die Farbe \"%1\" ist nicht vorhanden.").arg(text);
    }
    // Cancelled: the last colour name goes, so that names and colours stay in line and the
    // free-colour name stays last.
    removeItem(victim >= 0 ? victim : count() - 2);
  }
  while (count() - 1 < colors_.size()) {
    const std::optional<QString> answer =
        Dialogs().InputQuery(this, title, tr("Name der hinzugefügten Farbe:"), text);
    if (answer)
      text = *answer;
    // Cancelled: an unnamed colour, still before the free-colour name.
    insertItem(count() - 1, answer.value_or(QString()));
  }
  SetColor(color_);
}

void TPellColorComboBox::Change() {
  const int index = currentIndex();
  if (index >= colors_.size()) {
    if (const std::optional<TColor> chosen = Dialogs().ChooseColor(this, customColor_)) {
      customColor_ = *chosen;
      SetColor(*chosen); // selects the list entry when the colour is one of them
    } else {
      SetColor(color_); // back to the entry of the previous colour
    }
  } else if (index >= 0) {
    color_ = ColorTextToInt(colors_[index]);
    Repaint();
    emit OnColorChange();
  }
}

void TPellColorComboBox::Repaint() {
  update();
  view()->viewport()->update();
}

void TPellColorComboBox::DrawItem(TCanvas &canvas, int index, const TRect &r, bool selected) const {
  const QFont f = font();
  canvas.Font.Name = f.family();
  canvas.Font.Size = f.pointSize() > 0 ? f.pointSize() : -f.pixelSize();
  canvas.Font.Style = (f.bold() ? fsBold : 0u) | (f.underline() ? fsUnderline : 0u);
  DrawColorEntry(canvas, Entries(), index, r, selected);
}

void TPellColorComboBox::PaintItem(QPainter &painter, const QRect &area, int index, bool selected) {
  if (area.isEmpty())
    return;
  QImage image(area.size(), QImage::Format_RGB32);
  image.fill(palette().color(QPalette::Base));
  TCanvas canvas(&image);
  try {
    DrawItem(canvas, index, TRect{0, 0, area.width(), area.height()}, selected);
    painter.drawImage(area.topLeft(), image);
  } catch (const EKraftbildError &error) {
    // A colour text that is no number: report it once rather than on every repaint, and
    // outside the paint event, since the report opens a modal box.
    painter.drawImage(area.topLeft(), image);
    if (error.Message() != lastPaintError_) {
      lastPaintError_ = error.Message();
      QMetaObject::invokeMethod(
          this, [message = error.Message()] { ReportError(message); }, Qt::QueuedConnection);
    }
  }
}

void TPellColorComboBox::paintEvent(QPaintEvent *) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  option.currentIcon = QIcon();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  if (currentIndex() < 0)
    return;
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  // The closed box shows its entry as selected while it has the focus.
  PaintItem(painter, field, currentIndex(), hasFocus());
}

QSize TPellColorComboBox::sizeHint() const {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  const QSize outer =
      style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(0, ItemHeight), this);
  return {DefaultWidth, outer.height()};
}

QSize TPellColorComboBox::minimumSizeHint() const {
  return {sizeHint().height() * 2, sizeHint().height()};
}
