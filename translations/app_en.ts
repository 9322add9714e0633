<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Examples</name>
    <message>
        <source>Dipol</source>
        <translation>Dipole</translation>
    </message>
    <message>
        <source>Zwei gleiche Ladungen</source>
        <translation>Two equal charges</translation>
    </message>
    <message>
        <source>Quadrupol</source>
        <translation>Quadrupole</translation>
    </message>
    <message>
        <source>Ladungsreihe wie ein Plattenkondensator</source>
        <translation>Row of charges like a parallel-plate capacitor</translation>
    </message>
    <message>
        <source>Probeladung im Feld eines Dipols</source>
        <translation>Test charge in the field of a dipole</translation>
    </message>
    <message>
        <source>Spannung zwischen zwei Probeladungen</source>
        <translation>Voltage between two test charges</translation>
    </message>
    <message>
        <source>Platte</source>
        <translation>Plate</translation>
    </message>
    <message>
        <source>Braunsche Röhre</source>
        <translation>Cathode-ray tube</translation>
    </message>
    <message>
        <source>Rutherford-Streuung</source>
        <translation>Rutherford scattering</translation>
    </message>
    <message>
        <source>Feldhockey</source>
        <translation>Field hockey</translation>
    </message>
    <message>
        <source>Ideale Platten: y = qUL²/(2dmv²) = 6,9 mm
(U = E·d = 65 V mit E in der Mitte, L = 6 cm, d = 3 cm, v = 1,0·10⁷ m/s)</source>
        <translation>Ideal plates: y = qUL²/(2dmv²) = 6.9 mm
(U = E·d = 65 V with E at the middle, L = 6 cm, d = 3 cm, v = 1.0·10⁷ m/s)</translation>
    </message>
    <message>
        <source>Rutherford, aus großer Ferne: tan(θ/2) = kqQ/(mv²b)
b = 0,5 / 1 / 2 / 4 cm: θ = 90° / 53° / 28° / 14°
(hier Start 9 cm vor der Ladung: etwas kleinere Winkel)</source>
        <translation>Rutherford, from far away: tan(θ/2) = kqQ/(mv²b)
b = 0.5 / 1 / 2 / 4 cm: θ = 90° / 53° / 28° / 14°
(here the start is 9 cm before the charge: slightly smaller angles)</translation>
    </message>
    <message>
        <source>Feldhockey: Bringe das Proton ins Ziel.
Ladungsbudget: 20 e für alle Ladungen</source>
        <translation>Field hockey: get the proton into the goal.
Charge budget: 20 e for all charges together</translation>
    </message>
</context>
<context>
    <name>Handbook</name>
    <message>
        <source>de</source>
        <comment>folder of the handbook&apos;s pages: de or en</comment>
        <translation>en</translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>Das Kraftbild wurde beendet, ohne ein unbenanntes Projekt zu speichern. Der Stand vom %1 ist erhalten.</source>
        <translation>Das Kraftbild ended without saving an untitled project. The state of %1 has been kept.</translation>
    </message>
    <message>
        <source>Das Kraftbild wurde beendet, ohne das Projekt &quot;%1&quot; zu speichern. Der Stand vom %2 ist erhalten.</source>
        <translation>Das Kraftbild ended without saving the project &quot;%1&quot;. The state of %2 has been kept.</translation>
    </message>
    <message>
        <source>Ungesicherte Arbeit</source>
        <translation>Unsaved work</translation>
    </message>
    <message>
        <source>Wiederherstellen</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Verwerfen</source>
        <translation>Discard</translation>
    </message>
</context>
<context>
    <name>TChargeRowWindow</name>
    <message>
        <source>Ladungsreihe</source>
        <translation>Row of charges</translation>
    </message>
    <message>
        <source>&amp;Von:</source>
        <translation>&amp;From:</translation>
    </message>
    <message>
        <source>&amp;Bis:</source>
        <translation>&amp;To:</translation>
    </message>
    <message>
        <source>&amp;Anzahl:</source>
        <translation>&amp;Number:</translation>
    </message>
    <message>
        <source>Auf der Zeichenfläche &amp;ziehen</source>
        <translation>&amp;Drag on the drawing area</translation>
    </message>
    <message>
        <source>Ladung &amp;je Ladung</source>
        <translation>Charge of &amp;each</translation>
    </message>
    <message>
        <source>Ladung &amp;insgesamt</source>
        <translation>Charge in tot&amp;al</translation>
    </message>
    <message>
        <source>&amp;Einfügen</source>
        <translation>&amp;Insert</translation>
    </message>
    <message>
        <source>Schli&amp;eßen</source>
        <translation>Cl&amp;ose</translation>
    </message>
    <message>
        <source>Die Strecke mit der linken Maustaste auf der Zeichenfläche ziehen</source>
        <translation>Drag the segment on the drawing area with the left mouse button</translation>
    </message>
    <message>
        <source>So viele Ladungen stehen gleichmäßig auf der Strecke, die erste und die letzte an ihren Enden</source>
        <translation>So many charges stand evenly on the segment, the first and the last at its ends</translation>
    </message>
    <message>
        <source>Die Ladung jeder einzelnen oder aller zusammen</source>
        <translation>The charge of each one or of all together</translation>
    </message>
    <message>
        <source>Ungültige Koordinate</source>
        <translation>Invalid coordinate</translation>
    </message>
    <message>
        <source>Ungültige Ladungsangabe</source>
        <translation>Invalid charge value</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Datei geändert</source>
        <translation>File changed</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; wurde seit dem Öffnen von einem anderen Programm geändert. Überschreiben?</source>
        <translation>The file &quot;%1&quot; was changed by another program since it was opened. Overwrite it?</translation>
    </message>
    <message>
        <source>Überschreiben</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>Speichern unter …</source>
        <translation>Save As …</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1; Rechte Taste: Ansicht verschieben</source>
        <translation>%1; right button: move the view</translation>
    </message>
    <message>
        <source>Ziehen: Ladung verschieben</source>
        <translation>Drag: move the charge</translation>
    </message>
    <message>
        <source>Klicken: neue Ladung</source>
        <translation>Click: new charge</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Neu</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Öffnen</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Speichern unter</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Bild exportieren...</source>
        <translation>Export Picture...</translation>
    </message>
    <message>
        <source>Drucken...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Bild kopieren</source>
        <translation>Copy Picture</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>&amp;Bearbeiten</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Ladung hier einfügen</source>
        <translation>Insert Charge Here</translation>
    </message>
    <message>
        <source>&amp;Ansicht</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Vergrößern</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>Verkleinern</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>Alles zeigen</source>
        <translation>Show All</translation>
    </message>
    <message>
        <source>Beis&amp;piele</source>
        <translation>E&amp;xamples</translation>
    </message>
    <message>
        <source>E&amp;xtras</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>Spannung und Arbeit...</source>
        <translation>Voltage and Work...</translation>
    </message>
    <message>
        <source>Am Raster ausrichten</source>
        <translation>Snap to Grid</translation>
    </message>
    <message>
        <source>Feldlinien beim Ziehen nachführen</source>
        <translation>Update Field Lines While Dragging</translation>
    </message>
    <message>
        <source>Äquipotentiallinien</source>
        <translation>Equipotential Lines</translation>
    </message>
    <message>
        <source>Äquipotentiallinie durch die Probeladung</source>
        <translation>Equipotential Line Through the Test Charge</translation>
    </message>
    <message>
        <source>Potenzialfarben</source>
        <translation>Potential Colors</translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>Handbuch</source>
        <translation>Handbook</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Neues, leeres Projekt beginnen</source>
        <translation>Start a new, empty project</translation>
    </message>
    <message>
        <source>Ein gespeichertes Projekt (.kbf) öffnen</source>
        <translation>Open a saved project (.kbf)</translation>
    </message>
    <message>
        <source>Das Projekt in seine Datei speichern</source>
        <translation>Save the project to its file</translation>
    </message>
    <message>
        <source>Das Projekt unter einem neuen Namen speichern</source>
        <translation>Save the project under a new name</translation>
    </message>
    <message>
        <source>Das Bild der Zeichenfläche als PNG, SVG oder PDF speichern</source>
        <translation>Save the picture of the drawing area as PNG, SVG or PDF</translation>
    </message>
    <message>
        <source>Das Bild der Zeichenfläche nach einer Vorschau drucken</source>
        <translation>Print the picture of the drawing area after a preview</translation>
    </message>
    <message>
        <source>Das Bild der Zeichenfläche in die Zwischenablage kopieren</source>
        <translation>Copy the picture of the drawing area to the clipboard</translation>
    </message>
    <message>
        <source>Das Fenster für Spannung und Arbeit zeigen oder verbergen</source>
        <translation>Show or hide the window for voltage and work</translation>
    </message>
    <message>
        <source>Neue und gezogene Ladungen auf das Raster der Achsen setzen (Umschalt beim Ziehen: frei)</source>
        <translation>Put new and dragged charges on the grid of the axes (Shift while dragging: free)</translation>
    </message>
    <message>
        <source>Feldlinien folgen beim Ziehen der Ladung; sonst erst beim Loslassen</source>
        <translation>Field lines follow the charge while it is dragged; otherwise only when it is released</translation>
    </message>
    <message>
        <source>Linien gleichen Potenzials zeigen</source>
        <translation>Show lines of equal potential</translation>
    </message>
    <message>
        <source>Die Äquipotentiallinie durch die gewählte Probeladung zeigen</source>
        <translation>Show the equipotential line through the selected test charge</translation>
    </message>
    <message>
        <source>Die Fläche nach dem Potenzial färben, mit Legende</source>
        <translation>Color the area by its potential, with a legend</translation>
    </message>
    <message>
        <source>Eine neue Ladung an der Maus oder in der Mitte der Ansicht einfügen (Einfg)</source>
        <translation>Insert a new charge at the mouse or in the middle of the view (Insert)</translation>
    </message>
    <message>
        <source>Die Ansicht um eine Zoomstufe vergrößern (Strg++ oder Mausrad)</source>
        <translation>Zoom in by one step (Ctrl++ or mouse wheel)</translation>
    </message>
    <message>
        <source>Die Ansicht um eine Zoomstufe verkleinern (Strg+- oder Mausrad)</source>
        <translation>Zoom out by one step (Ctrl+- or mouse wheel)</translation>
    </message>
    <message>
        <source>Zoom und Lage so wählen, dass alle Ladungen zu sehen sind</source>
        <translation>Choose zoom and position so that all charges can be seen</translation>
    </message>
    <message>
        <source>Die Sprache des Programms</source>
        <translation>The program&apos;s language</translation>
    </message>
    <message>
        <source>Das Handbuch öffnen (F1)</source>
        <translation>Open the handbook (F1)</translation>
    </message>
    <message>
        <source>Name und Version des Programms</source>
        <translation>Name and version of the program</translation>
    </message>
    <message>
        <source>Rückgängig: %1</source>
        <translation>Undo: %1</translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Wiederholen: %1</source>
        <translation>Redo: %1</translation>
    </message>
    <message>
        <source>Wiederholen</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Kraftbilder (*.kbf)|*.kbf</source>
        <translation>Kraftbild projects (*.kbf)|*.kbf</translation>
    </message>
    <message>
        <source>Projekt speichern</source>
        <translation>Save Project</translation>
    </message>
    <message>
        <source>Soll das Projekt zuvor gespeichert werden?</source>
        <translation>Save the project first?</translation>
    </message>
    <message>
        <source>PNG-Bild (*.png)|*.png|SVG-Zeichnung (*.svg)|*.svg|PDF-Dokument (*.pdf)|*.pdf</source>
        <translation>PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf</translation>
    </message>
    <message>
        <source>Bild exportieren</source>
        <translation>Export Picture</translation>
    </message>
    <message>
        <source>Das Bild konnte nicht nach %1 geschrieben werden: Bilder werden als PNG, SVG oder PDF exportiert</source>
        <translation>The picture could not be written to %1: pictures are exported as PNG, SVG or PDF</translation>
    </message>
    <message>
        <source>Datei &quot;%1&quot; kann nicht erstellt werden. %2</source>
        <translation>File &quot;%1&quot; cannot be created. %2</translation>
    </message>
    <message>
        <source>Das Bild konnte nicht gedruckt werden</source>
        <translation>The picture could not be printed</translation>
    </message>
    <message>
        <source>Feldfreie Punkte</source>
        <translation>Zero-Field Points</translation>
    </message>
    <message>
        <source>Jeden Punkt, an dem das Feld verschwindet, mit einem Kreuz markieren</source>
        <translation>Mark each point where the field vanishes with a cross</translation>
    </message>
    <message>
        <source>Pfeile auf Feldlinien</source>
        <translation>Arrows on Field Lines</translation>
    </message>
    <message>
        <source>Auf jeder Feldlinie Pfeile in Richtung des Feldes zeigen</source>
        <translation>Show arrows along each field line in the direction of the field</translation>
    </message>
    <message>
        <source>Feldlinien nach Ladungsmenge</source>
        <translation>Field lines by amount of charge</translation>
    </message>
    <message>
        <source>Genaue Feldlinien</source>
        <translation>Accurate field lines</translation>
    </message>
    <message>
        <source>Jeder Ladung so viele Feldlinien geben, wie ihrem Betrag entspricht; jede Linie wird nur einmal gezeichnet</source>
        <translation>Give each charge as many field lines as its magnitude calls for; each line is drawn only once</translation>
    </message>
    <message>
        <source>Feldlinien mit angepasster Schrittweite genau berechnen, auf jedem Rechner gleich</source>
        <translation>Compute the field lines accurately with an adaptive step, the same on every computer</translation>
    </message>
    <message>
        <source>Darstellung …</source>
        <translation>Appearance …</translation>
    </message>
    <message>
        <source>Linienbreite, Schriftgröße und Feldlinienfarbe, etwa für einen Beamer; Drucken an Seite anpassen</source>
        <translation>Line width, label size and field-line color, for a projector say; printing to fit the page</translation>
    </message>
    <message>
        <source>Ziehen: Strecke der Ladungsreihe</source>
        <translation>Drag: segment of the row of charges</translation>
    </message>
    <message>
        <source>&amp;Einfügen</source>
        <translation>&amp;Insert</translation>
    </message>
    <message>
        <source>Ladungsreihe …</source>
        <translation>Row of charges …</translation>
    </message>
    <message>
        <source>Gleiche Ladungen gleichmäßig auf einer Strecke, etwa eine Platte eines Kondensators</source>
        <translation>Equal charges evenly on a segment, such as a plate of a capacitor</translation>
    </message>
    <message>
        <source>Ausschneiden</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Duplizieren</source>
        <translation>Duplicate</translation>
    </message>
    <message>
        <source>Alles auswählen</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>Vorzeichen umkehren</source>
        <translation>Reverse Sign</translation>
    </message>
    <message>
        <source>Die gewählten Ladungen in die Zwischenablage verschieben</source>
        <translation>Move the selected charges to the clipboard</translation>
    </message>
    <message>
        <source>Die gewählten Ladungen in die Zwischenablage kopieren, auch als Text</source>
        <translation>Copy the selected charges to the clipboard, also as text</translation>
    </message>
    <message>
        <source>Ladungen aus der Zwischenablage an der Maus einfügen</source>
        <translation>Paste charges from the clipboard at the mouse</translation>
    </message>
    <message>
        <source>Die gewählten Ladungen daneben verdoppeln</source>
        <translation>Duplicate the selected charges beside them</translation>
    </message>
    <message>
        <source>Alle Ladungen wählen (Strg+Ziehen: ein Rechteck, Umschalt+Klick: eine Ladung dazu oder weg)</source>
        <translation>Select all charges (Ctrl+drag: a rectangle, Shift+click: add or remove a charge)</translation>
    </message>
    <message>
        <source>Das Vorzeichen jeder gewählten Ladung umkehren</source>
        <translation>Reverse the sign of every selected charge</translation>
    </message>
    <message>
        <source>Bildschirm kalibrieren ...</source>
        <translation>Calibrate screen ...</translation>
    </message>
    <message>
        <source>Einen Zentimeter auf diesem Bildschirm einen Zentimeter lang zeichnen</source>
        <translation>Draw one centimetre one centimetre long on this screen</translation>
    </message>
    <message>
        <source>Teilchen</source>
        <translation>Particle</translation>
    </message>
    <message>
        <source>Ein ruhendes Teilchen an der Maus oder in der Mitte der Ansicht einfügen (Alt+Ziehen: mit Startgeschwindigkeit)</source>
        <translation>Insert a particle at rest at the mouse or in the middle of the view (Alt+drag: with a start velocity)</translation>
    </message>
    <message>
        <source>&amp;Teilchen</source>
        <translation>&amp;Particles</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>&amp;Einzelschritt</source>
        <translation>Single st&amp;ep</translation>
    </message>
    <message>
        <source>&amp;Zurücksetzen</source>
        <translation>&amp;Reset</translation>
    </message>
    <message>
        <source>Die Teilchen fliegen lassen (F5)</source>
        <translation>Let the particles fly (F5)</translation>
    </message>
    <message>
        <source>Den Flug anhalten (F5)</source>
        <translation>Hold the flight (F5)</translation>
    </message>
    <message>
        <source>Einen Rechenschritt weiter (F6)</source>
        <translation>One step of the calculation further (F6)</translation>
    </message>
    <message>
        <source>Alle Teilchen an ihren Start zurück (F7)</source>
        <translation>Every particle back to its start (F7)</translation>
    </message>
</context>
<context>
    <name>TParticlePlayer</name>
    <message>
        <source>Teilchen trifft Ladung %1</source>
        <translation>Particle hits charge %1</translation>
    </message>
    <message>
        <source>Teilchen hat das Ziel erreicht</source>
        <translation>Particle has reached the goal</translation>
    </message>
    <message>
        <source>Teilchen hat die Ansicht verlassen</source>
        <translation>Particle has left the view</translation>
    </message>
    <message>
        <source>Teilchen bleibt stecken</source>
        <translation>Particle is stuck</translation>
    </message>
    <message>
        <source>Teilchen hat das Ziel erreicht, aber mit zu viel Ladung (%1 e von %2 e)</source>
        <translation>Particle reached the goal, but with too much charge (%1 e of %2 e)</translation>
    </message>
</context>
<context>
    <name>TPictureStyleWindow</name>
    <message>
        <source>Darstellung</source>
        <translation>Appearance</translation>
    </message>
    <message>
        <source>&amp;Linienbreite:</source>
        <translation>&amp;Line width:</translation>
    </message>
    <message>
        <source>&amp;Schriftgröße:</source>
        <translation>Label &amp;size:</translation>
    </message>
    <message>
        <source>&amp;Feldlinienfarbe:</source>
        <translation>&amp;Field-line color:</translation>
    </message>
    <message>
        <source>Druck an Seite &amp;anpassen</source>
        <translation>Print to fit the p&amp;age</translation>
    </message>
    <message>
        <source>&amp;Projektor</source>
        <translation>&amp;Projector</translation>
    </message>
    <message>
        <source>S&amp;tandard</source>
        <translation>S&amp;tandard</translation>
    </message>
    <message>
        <source>Schli&amp;eßen</source>
        <translation>Cl&amp;ose</translation>
    </message>
    <message>
        <source>Breite der Feldlinien und Achsen in Pixeln</source>
        <translation>Width of the field lines and axes in pixels</translation>
    </message>
    <message>
        <source>Schriftgröße der Achsenbeschriftung in Punkten</source>
        <translation>Size of the axis labels in points</translation>
    </message>
    <message>
        <source>Farbe der Feldlinien und ihrer Pfeile</source>
        <translation>Color of the field lines and their arrows</translation>
    </message>
    <message>
        <source>Breite, dunkle Linien und große Schrift, die ein Beamer nicht verblassen lässt</source>
        <translation>Wide, dark lines and large labels that a projector does not wash out</translation>
    </message>
    <message>
        <source>Die Darstellung, mit der das Programm ausgeliefert wird</source>
        <translation>The appearance the program comes with</translation>
    </message>
    <message>
        <source>Das Bild beim Drucken so groß wie die Seite, sonst in wahrer Größe, beides mittig</source>
        <translation>Print the picture as large as the page, else at true size, centred either way</translation>
    </message>
</context>
<context>
    <name>TProject</name>
    <message>
        <source>Die Datei &quot;%1&quot; ist beschädigt oder kein Projekt des Kraftbilds.

Grund: %2</source>
        <translation>The file &quot;%1&quot; is damaged or not a Kraftbild project.

Reason: %2</translation>
    </message>
</context>
</TS>
