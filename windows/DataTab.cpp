#include "windows/DataTab.h"

#include "model/NumberText.h"
#include "model/Readouts.h"
#include "windows/EnergyPlot.h"

#include <QEvent>
#include <QHeaderView>
#include <QSplitter>
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

// The particle's rows, in the order of ShowParticle.
constexpr const char *kParticleRowNames[] = {QT_TRANSLATE_NOOP("TDataTab", "Zeit"),
                                             QT_TRANSLATE_NOOP("TDataTab", "Ort"),
                                             QT_TRANSLATE_NOOP("TDataTab", "Geschwindigkeit"),
                                             QT_TRANSLATE_NOOP("TDataTab", "Kinetische Energie"),
                                             QT_TRANSLATE_NOOP("TDataTab", "Potenzielle Energie"),
                                             QT_TRANSLATE_NOOP("TDataTab", "Gesamtenergie"),
                                             QT_TRANSLATE_NOOP("TDataTab", "Drift (relativ)")};
constexpr int kParticleRows = static_cast<int>(std::size(kParticleRowNames));

// Four significant digits: enough to see an energy move, few enough for the narrow column.
QString Number(long double value) { return FormatGeneral(value, 4); }

// "<eV> eV (<J> J)": electron volts for the size, joules for the unit of the rest.
QString EnergyText(long double joules) {
  return QStringLiteral("%1 eV (%2 J)")
      .arg(Number(joules / kJoulesPerElectronVolt), Number(joules));
}

QTreeWidget *NewValueList(QWidget *parent, int rows) {
  auto *list = new QTreeWidget(parent);
  list->setColumnCount(2);
  list->setRootIsDecorated(false);
  list->setItemsExpandable(false);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QHeaderView *header = list->header();
  header->setSectionsClickable(false);
  header->setSectionsMovable(false);
  header->setStretchLastSection(true);
  header->resizeSection(0, kPropertyColumnWidth);
  for (int row = 0; row < rows; ++row)
    new QTreeWidgetItem(list);
  return list;
}

} // namespace

TDataTab::TDataTab(QWidget *parent) : QWidget(parent) {
  // The user shares the page's height between the lists and the plot.
  auto *splitter = new QSplitter(Qt::Vertical, this);
  splitter->setChildrenCollapsible(false);
  ListView_Data = NewValueList(splitter, kQuantityRows);
  ListView_Particle = NewValueList(splitter, kParticleRows);
  Plot_Energy = new TEnergyPlot(splitter);
  ListView_Particle->hide();
  Plot_Energy->hide();

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(splitter);
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
  ListView_Particle->setToolTip(
      tr("Zeit, Ort, Geschwindigkeit und Energien des gewählten Teilchens im Flug"));
  ListView_Particle->setHeaderLabels({tr("Eigenschaft"), tr("Wert")});
  for (int row = 0; row < kParticleRows; ++row)
    ListView_Particle->topLevelItem(row)->setText(0, tr(kParticleRowNames[row]));
  if (particle_)
    ShowParticle(&*particle_, Plot_Energy->Samples());
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

void TDataTab::ShowParticle(const TParticleReadout *readout, std::vector<TEnergySample> curve) {
  ListView_Particle->setVisible(readout != nullptr);
  Plot_Energy->setVisible(readout != nullptr);
  if (readout == nullptr) {
    particle_.reset();
    Plot_Energy->SetSamples({});
    return;
  }
  particle_ = *readout;
  const QString values[] = {
      QStringLiteral("%1 s").arg(Number(readout->Energy.T)),
      QStringLiteral("( %1 m | %2 m )").arg(Number(readout->X), Number(readout->Y)),
      QStringLiteral("%1 m/s").arg(Number(readout->Speed)),
      EnergyText(readout->Energy.Kinetic),
      EnergyText(readout->Energy.Potential),
      EnergyText(readout->Energy.Total),
      Number(readout->Drift)};
  for (int row = 0; row < kParticleRows; ++row)
    ListView_Particle->topLevelItem(row)->setText(1, values[row]);
  Plot_Energy->SetSamples(std::move(curve));
}

QString TDataTab::ParticleValue(int row) const {
  return ListView_Particle->topLevelItem(row)->text(1);
}
