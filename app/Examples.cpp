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

QString ExampleNote(const std::string &note) {
  // The notes of the examples as their files hold them, for the translations.
  [[maybe_unused]] static const char *const notes[] = {
      QT_TRANSLATE_NOOP("Examples", "Ideale Platten: y = qUL²/(2dmv²) = 6,9 mm\n(U = E·d = 65 V "
                                    "mit E in der Mitte, L = 6 cm, d = 3 cm, v = 1,0·10⁷ m/s)"),
      QT_TRANSLATE_NOOP(
          "Examples",
          "Rutherford, aus großer Ferne: tan(θ/2) = kqQ/(mv²b)\nb = 0,5 / 1 / 2 / 4 cm: θ = 90° / "
          "53° / 28° / 14°\n(hier Start 9 cm vor der Ladung: etwas kleinere Winkel)"),
      QT_TRANSLATE_NOOP(
          "Examples",
          "Feldhockey: Bringe das Proton ins Ziel.\nLadungsbudget: 20 e für alle Ladungen"),
  };
  return QCoreApplication::translate("Examples", note.c_str());
}

QString ExampleTitle(const TExample &example) {
  return QCoreApplication::translate("Examples", example.Title);
}
