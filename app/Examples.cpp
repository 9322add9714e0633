#include "app/Examples.h"

#include <QtGlobal>

// Outside any namespace: the macro declares the resource's initializer globally.
static void InitExampleResources() { Q_INIT_RESOURCE(examples); }

const std::vector<TExample> &Examples() {
  // A resource in a static library is registered only when asked for by name.
  static const std::vector<TExample> examples = [] {
    InitExampleResources();
    return std::vector<TExample>{
        {QStringLiteral("Dipol"), QStringLiteral(":/beispiele/dipol.kbf")},
        {QStringLiteral("Zwei gleiche Ladungen"),
         QStringLiteral(":/beispiele/zwei-gleiche-ladungen.kbf")},
        {QStringLiteral("Quadrupol"), QStringLiteral(":/beispiele/quadrupol.kbf")},
        {QStringLiteral("Ladungsreihe wie ein Plattenkondensator"),
         QStringLiteral(":/beispiele/plattenkondensator.kbf")},
        {QStringLiteral("Probeladung im Feld eines Dipols"),
         QStringLiteral(":/beispiele/probeladung-im-dipolfeld.kbf")},
        {QStringLiteral("Spannung zwischen zwei Probeladungen"),
         QStringLiteral(":/beispiele/spannung-zwischen-probeladungen.kbf")},
    };
  }();
  return examples;
}
