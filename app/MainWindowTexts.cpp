// The main window's texts in the program's language: set at start and again on every switch
// of the language.
#include "app/Examples.h"
#include "app/MainWindow.h"
#include "model/Document.h"
#include "model/History.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMenu>

#include <utility>

void TForm1::RetranslateUi() {
  const std::pair<QAction *, QString> texts[] = {
      {Datei1->menuAction(), tr("&Datei")},
      {MenuItem_New, tr("Neu")},
      {MenuItem_Open, tr("Öffnen")},
      {MenuItem_Save, tr("Speichern")},
      {MenuItem_SaveAs, tr("Speichern unter")},
      {MenuItem_ExportPicture, tr("Bild exportieren...")},
      {MenuItem_Print, tr("Drucken...")},
      {MenuItem_CopyPicture, tr("Bild kopieren")},
      {MenuItem_End, tr("Beenden")},
      {Bearbeiten1->menuAction(), tr("&Bearbeiten")},
      {MenuItem_InsertCharge, tr("Ladung hier einfügen")},
      {MenuItem_Cut, tr("Ausschneiden")},
      {MenuItem_Copy, tr("Kopieren")},
      {MenuItem_Paste, tr("Einfügen")},
      {MenuItem_Duplicate, tr("Duplizieren")},
      {MenuItem_SelectAll, tr("Alles auswählen")},
      {MenuItem_FlipSign, tr("Vorzeichen umkehren")},
      {Ansicht1->menuAction(), tr("&Ansicht")},
      {MenuItem_ZoomIn, tr("Vergrößern")},
      {MenuItem_ZoomOut, tr("Verkleinern")},
      {MenuItem_ShowAll, tr("Alles zeigen")},
      {MenuItem_PictureStyle, tr("Darstellung …")},
      {Einfuegen1->menuAction(), tr("&Einfügen")},
      {MenuItem_ChargeRow, tr("Ladungsreihe …")},
      {Beispiele1->menuAction(), tr("Beis&piele")},
      {Extras1->menuAction(), tr("E&xtras")},
      {MenuItem_Potential, tr("Spannung und Arbeit...")},
      {MenuItem_Snap, tr("Am Raster ausrichten")},
      {MenuItem_LiveLines, tr("Feldlinien beim Ziehen nachführen")},
      {MenuItem_Equipotentials, tr("Äquipotentiallinien")},
      {MenuItem_TestChargeLine, tr("Äquipotentiallinie durch die Probeladung")},
      {MenuItem_PotentialMap, tr("Potenzialfarben")},
      {MenuItem_ZeroPoints, tr("Feldfreie Punkte")},
      {MenuItem_LineArrows, tr("Pfeile auf Feldlinien")},
      {MenuItem_ProportionalLines, tr("Feldlinien nach Ladungsmenge")},
      {MenuItem_AccurateLines, tr("Genaue Feldlinien")},
      {MenuItem_Calibrate, tr("Bildschirm kalibrieren ...")},
      {Sprache1->menuAction(), tr("Sprache")},
      {N2->menuAction(), tr("&?")},
      {MenuItem_Handbook, tr("Handbuch")},
      {MenuItem_Info, tr("Info")}};
  for (const auto &[action, text] : texts)
    action->setText(text);

  const std::pair<QAction *, QString> tips[] = {
      {MenuItem_New, tr("Neues, leeres Projekt beginnen")},
      {MenuItem_Open, tr("Ein gespeichertes Projekt (.kbf) öffnen")},
      {MenuItem_Save, tr("Das Projekt in seine Datei speichern")},
      {MenuItem_SaveAs, tr("Das Projekt unter einem neuen Namen speichern")},
      {MenuItem_ExportPicture, tr("Das Bild der Zeichenfläche als PNG, SVG oder PDF speichern")},
      {MenuItem_Print, tr("Das Bild der Zeichenfläche nach einer Vorschau drucken")},
      {MenuItem_CopyPicture, tr("Das Bild der Zeichenfläche in die Zwischenablage kopieren")},
      {MenuItem_Potential, tr("Das Fenster für Spannung und Arbeit zeigen oder verbergen")},
      {MenuItem_Snap, tr("Neue und gezogene Ladungen auf das Raster der Achsen setzen "
                         "(Umschalt beim Ziehen: frei)")},
      {MenuItem_LiveLines, tr("Feldlinien folgen beim Ziehen der Ladung; sonst erst beim "
                              "Loslassen")},
      {MenuItem_Equipotentials, tr("Linien gleichen Potenzials zeigen")},
      {MenuItem_TestChargeLine, tr("Die Äquipotentiallinie durch die gewählte Probeladung zeigen")},
      {MenuItem_PotentialMap, tr("Die Fläche nach dem Potenzial färben, mit Legende")},
      {MenuItem_ZeroPoints, tr("Jeden Punkt, an dem das Feld verschwindet, mit einem Kreuz "
                               "markieren")},
      {MenuItem_LineArrows, tr("Auf jeder Feldlinie Pfeile in Richtung des Feldes zeigen")},
      {MenuItem_ProportionalLines,
       tr("Jeder Ladung so viele Feldlinien geben, wie ihrem Betrag entspricht; jede Linie wird "
          "nur einmal gezeichnet")},
      {MenuItem_AccurateLines,
       tr("Feldlinien mit angepasster Schrittweite genau berechnen, auf jedem Rechner gleich")},
      {MenuItem_InsertCharge, tr("Eine neue Ladung an der Maus oder in der Mitte der Ansicht "
                                 "einfügen (Einfg)")},
      {MenuItem_Cut, tr("Die gewählten Ladungen in die Zwischenablage verschieben")},
      {MenuItem_Copy, tr("Die gewählten Ladungen in die Zwischenablage kopieren, auch als Text")},
      {MenuItem_Paste, tr("Ladungen aus der Zwischenablage an der Maus einfügen")},
      {MenuItem_Duplicate, tr("Die gewählten Ladungen daneben verdoppeln")},
      {MenuItem_SelectAll, tr("Alle Ladungen wählen (Strg+Ziehen: ein Rechteck, "
                              "Umschalt+Klick: eine Ladung dazu oder weg)")},
      {MenuItem_FlipSign, tr("Das Vorzeichen jeder gewählten Ladung umkehren")},
      {MenuItem_ZoomIn, tr("Die Ansicht um eine Zoomstufe vergrößern (Strg++ oder Mausrad)")},
      {MenuItem_ZoomOut, tr("Die Ansicht um eine Zoomstufe verkleinern (Strg+- oder Mausrad)")},
      {MenuItem_ShowAll, tr("Zoom und Lage so wählen, dass alle Ladungen zu sehen sind")},
      {MenuItem_ChargeRow, tr("Gleiche Ladungen gleichmäßig auf einer Strecke, etwa eine Platte "
                              "eines Kondensators")},
      {MenuItem_PictureStyle, tr("Linienbreite, Schriftgröße und Feldlinienfarbe, etwa für "
                                 "einen Beamer; Drucken an Seite anpassen")},
      {MenuItem_Calibrate,
       tr("Einen Zentimeter auf diesem Bildschirm einen Zentimeter lang zeichnen")},
      {Sprache1->menuAction(), tr("Die Sprache des Programms")},
      {MenuItem_Handbook, tr("Das Handbuch öffnen (F1)")},
      {MenuItem_Info, tr("Name und Version des Programms")}};
  for (const auto &[action, tip] : tips)
    action->setToolTip(tip);

  const QList<QAction *> examples = Beispiele1->actions();
  for (qsizetype i = 0; i < examples.size(); ++i)
    examples[i]->setText(ExampleTitle(Examples()[static_cast<size_t>(i)]));
  RetranslateParticleUi();
  ShowHistoryTexts();
  if (mouseOnSurface_)
    ShowClickHint(mouseOnSurface_->x(), mouseOnSurface_->y());
}

void TForm1::ShowHistoryTexts() {
  const THistory &history = document_.History();
  // The steps keep their names in German; the menu shows them in the program's language.
  const auto step = [](const QString &name) {
    return QCoreApplication::translate("TDocument", name.toUtf8().constData());
  };
  MenuItem_Undo->setEnabled(history.CanUndo());
  MenuItem_Undo->setText(history.CanUndo() ? tr("Rückgängig: %1").arg(step(history.UndoText()))
                                           : tr("Rückgängig"));
  MenuItem_Redo->setEnabled(history.CanRedo());
  MenuItem_Redo->setText(history.CanRedo() ? tr("Wiederholen: %1").arg(step(history.RedoText()))
                                           : tr("Wiederholen"));
}

void TForm1::changeEvent(QEvent *event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::LanguageChange || renderer_ == nullptr)
    return;
  RetranslateUi();
  RedrawAll();
}

QString ProjectFilter() {
  return QCoreApplication::translate("TForm1", "Kraftbilder (*.kbf)|*.kbf");
}

QString SaveQuestionTitle() { return QCoreApplication::translate("TForm1", "Projekt speichern"); }

QString SaveQuestion() {
  return QCoreApplication::translate("TForm1", "Soll das Projekt zuvor gespeichert werden?");
}
