#include "windows/ChargeComboBox.h"

#include "model/Document.h"
#include "model/Readouts.h"

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QListView>
#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

void DrawChargeEntry(TCanvas &canvas, const TDocument &document, int index, const TRect &rect,
                     TColor windowText) {
  canvas.FillRect(rect);
  const TPointCharge *entry = document.Charges().At(index);
  if (entry == nullptr)
    return;
  const TPointCharge &charge = *entry;
  canvas.Font.Color = charge.IsTestCharge ? kTestChargeTextColor : windowText;
  canvas.TextOut(rect.Left + 2,
                 (rect.Top + rect.Bottom - canvas.TextHeight(QStringLiteral("A"))) / 2,
                 PositionText(document.Scene(), charge));
}

namespace {

// Draws an entry through the canvas into an image of the entry's size and paints that.
void PaintEntry(QPainter &painter, const TDocument &document, const QRect &area, int index,
                const QFont &font, QColor background, QColor windowText) {
  if (area.isEmpty())
    return;
  QImage image(area.size(), QImage::Format_RGB32);
  TCanvas canvas(&image);
  canvas.Font.Name = font.family();
  if (font.pointSize() > 0)
    canvas.Font.Size = font.pointSize();
  canvas.Brush.SetColor(FromQRgb(background.rgb()));
  DrawChargeEntry(canvas, document, index, {0, 0, area.width(), area.height()},
                  FromQRgb(windowText.rgb()));
  painter.drawImage(area.topLeft(), image);
}

class TChargeEntryDelegate : public QStyledItemDelegate {
public:
  TChargeEntryDelegate(const TDocument &document, QObject *parent)
      : QStyledItemDelegate(parent), document_(document) {}

  void paint(QPainter *painter, const QStyleOptionViewItem &option,
             const QModelIndex &index) const override {
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const QPalette &palette = option.palette;
    PaintEntry(*painter, document_, option.rect, index.row(), option.font,
               selected ? palette.color(QPalette::Highlight) : palette.color(QPalette::Base),
               palette.color(QPalette::WindowText));
  }

  QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), kChargeEntryHeight};
  }

private:
  const TDocument &document_;
};

// Entries that are nothing but their number: the delegate draws each from the document.
// Rows go and come only at the end, and only as counts (which rows go does not matter).
class TChargeEntries : public QAbstractListModel {
public:
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : count_; }
  QVariant data(const QModelIndex &, int) const override { return {}; }
  bool insertRows(int row, int count, const QModelIndex &parent) override {
    if (parent.isValid() || count <= 0 || row < 0 || row > count_)
      return false;
    beginInsertRows(parent, count_, count_ + count - 1);
    count_ += count;
    endInsertRows();
    return true;
  }
  bool removeRows(int row, int count, const QModelIndex &parent) override {
    if (parent.isValid() || count <= 0 || row < 0 || row + count > count_)
      return false;
    beginRemoveRows(parent, count_ - count, count_ - 1);
    count_ -= count;
    endRemoveRows();
    return true;
  }

private:
  int count_ = 0;
};

} // namespace

TChargeComboBox::TChargeComboBox(const TDocument &document, QWidget *parent)
    : QComboBox(parent), document_(document) {
  // Before the view and delegate: setModel gives the view the new model.
  setModel(new TChargeEntries(this));
  setItemDelegate(new TChargeEntryDelegate(document_, this));
  // Every entry has the delegate's one size, so the open list need not ask each of them.
  if (auto *list = qobject_cast<QListView *>(view()))
    list->setUniformItemSizes(true);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
}

void TChargeComboBox::SetEntryCount(int count) {
  const int now = model()->rowCount();
  if (count > now)
    model()->insertRows(now, count - now);
  else if (count < now)
    model()->removeRows(count, now - count);
}

void TChargeComboBox::RepaintEntries() {
  update();
  view()->viewport()->update();
}

void TChargeComboBox::paintEvent(QPaintEvent *) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  if (currentIndex() >= 0)
    PaintEntry(painter, document_, field, currentIndex(), font(), palette().color(QPalette::Base),
               palette().color(QPalette::WindowText));
}
