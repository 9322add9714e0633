#include "app/Examples.h"

#include <QCoreApplication>
#include <QtGlobal>

// Outside any namespace: the macro declares the resource's initializer globally.
static void InitExampleResources() { Q_INIT_RESOURCE(examples); }

const std::vector<TExample> &Examples() {
  // A resource in a static library is registered only when asked for by name.
  static const std::vector<TExample> examples = [] {
    InitExampleResources();
    return std::vector<TExample>{
        {QT_TRANSLATE_NOOP("Examples", "Dipol"), QStringLiteral(":/beispiele/dipol.kbf")},
        {QT_TRANSLATE_NOOP("Examples", "Zwei gleiche Ladungen"),
         QStringLiteral(":/beispiele/zwei-gleiche-ladungen.kbf")},
        {QT_TRANSLATE_NOOP("Examples", "Quadrupol"), QStringLiteral(":/beispiele/quadrupol.kbf")},
        {QT_TRANSLATE_NOOP("Examples", "Platte"), QStringLiteral(":/beispiele/platte.kbf")},
        {QT_TRANSLATE_NOOP("Examples", "Ladungsreihe wie ein Plattenkondensator"),
         QStringLiteral(":/beispiele/plattenkondensator.kbf")},
        {QT_TRANSLATE_NOOP("Examples", "Probeladung im Feld eines Dipols"),
         QStringLiteral(":/beispiele/probeladung-im-dipolfeld.kbf")},
        {QT_TRANSLATE_NOOP("Examples", "Spannung zwischen zwei Probeladungen"),
         QStringLiteral(":/beispiele/spannung-zwischen-probeladungen.kbf")},
        {QT_TRANSLATE_NOOP("Examples", "Braunsche Röhre"),
         QStringLiteral(":/beispiele/braunsche-roehre.kbf")},
        {QT_TRANSLATE_NOOP("Examples", "Rutherford-Streuung"),
         QStringLiteral(":/beispiele/rutherford-streuung.kbf")},
        {QT_TRANSLATE_NOOP("Examples", "Feldhockey"), QStringLiteral(":/beispiele/feldhockey.kbf")},
    };
  }();
  return examples;
}

QString ExampleTitle(const TExample &example) {
  return QCoreApplication::translate("Examples", example.Title);
}
