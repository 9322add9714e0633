#include "windows/DataTab.h"

#include "model/Readouts.h"

#include <QEvent>
#include <QHeaderView>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <iterator>

namespace {

// The properties, one row each, in the order of ShowRows.
constexpr const char *kPropertyNames[] = {
    QT_TRANSLATE_NOOP("TDataTab", "Kraft"), QT_TRANSLATE_NOOP("TDataTab", "Winkel"),
    QT_TRANSLATE_NOOP("TDataTab", "Feldstärke"), QT_TRANSLATE_NOOP("TDataTab", "Potenzial")};
constexpr int kQuantityRows = static_cast<int>(std::size(kPropertyNames));

} // namespace

TDataTab::TDataTab(QWidget *parent) : QWidget(parent) {
  ListView_Data = new QTreeWidget(this);
  ListView_Data->setColumnCount(2);
  ListView_Data->setRootIsDecorated(false);
  ListView_Data->setItemsExpandable(false);
  ListView_Data->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListView_Data->setSelectionMode(QAbstractItemView::SingleSelection);
  ListView_Data->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QHeaderView *header = ListView_Data->header();
  header->setSectionsClickable(false);
  header->setSectionsMovable(false);
  header->setStretchLastSection(true);
  header->resizeSection(0, kPropertyColumnWidth);
  for (int row = 0; row < kQuantityRows; ++row)
    new QTreeWidgetItem(ListView_Data);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(ListView_Data);
  RetranslateUi();
}

void TDataTab::RetranslateUi() {
  ListView_Data->setToolTip(
      tr("Kraft, Richtung, Feldstärke und Potenzial an der gewählten Probeladung"));
  ListView_Data->setHeaderLabels({tr("Eigenschaft"), tr("Wert")});
  for (int row = 0; row < kQuantityRows; ++row)
    ListView_Data->topLevelItem(row)->setText(0, tr(kPropertyNames[row]));
  for (int row = kQuantityRows; row < ListView_Data->topLevelItemCount(); ++row)
    ListView_Data->topLevelItem(row)->setText(0, tr("Feldfreier Punkt"));
}

void TDataTab::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange)
    RetranslateUi();
  QWidget::changeEvent(event);
}

void TDataTab::ShowRows(const TDataRows &rows) {
  const QString values[] = {rows.Force, rows.Angle, rows.FieldStrength, rows.Potential};
  for (int row = 0; row < kQuantityRows; ++row)
    ListView_Data->topLevelItem(row)->setText(1, values[row]);
}

void TDataTab::ShowZeroPoints(const QStringList &positions) {
  while (ListView_Data->topLevelItemCount() > kQuantityRows)
    delete ListView_Data->takeTopLevelItem(ListView_Data->topLevelItemCount() - 1);
  for (const QString &position : positions) {
    auto *item = new QTreeWidgetItem(ListView_Data);
    item->setText(0, tr("Feldfreier Punkt"));
    item->setText(1, position);
  }
}

QString TDataTab::Value(int row) const { return ListView_Data->topLevelItem(row)->text(1); }
