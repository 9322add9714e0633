#include "windows/DataTab.h"

#include "model/Readouts.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

TDataTab::TDataTab(QWidget *parent) : QWidget(parent) {
  ListView_Data = new QTreeWidget(this);
  ListView_Data->setColumnCount(2);
  ListView_Data->setToolTip(
      QStringLiteral("Kraft, Richtung, Feldstärke und Potenzial an der gewählten Probeladung"));
  ListView_Data->setHeaderLabels({QStringLiteral("Eigenschaft"), QStringLiteral("Wert")});
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
  for (const char16_t *caption : {u"Kraft", u"Winkel", u"Feldstärke", u"Potenzial"})
    new QTreeWidgetItem(ListView_Data, {QString::fromUtf16(caption), QString()});

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(ListView_Data);
}

void TDataTab::ShowRows(const TDataRows &rows) {
  const QString values[] = {rows.Force, rows.Angle, rows.FieldStrength, rows.Potential};
  for (int row = 0; row < 4; ++row)
    ListView_Data->topLevelItem(row)->setText(1, values[row]);
}

QString TDataTab::Value(int row) const { return ListView_Data->topLevelItem(row)->text(1); }
