<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TChargeTab</name>
    <message>
        <source>1 Elementarladung</source>
        <translation>1 elementary charge</translation>
    </message>
    <message>
        <source>1 Coulomb</source>
        <translation>1 coulomb</translation>
    </message>
    <message>
        <source>&amp;Probeladung (Kraftpfeil)</source>
        <translation>&amp;Test charge (force arrow)</translation>
    </message>
    <message>
        <source>Ü&amp;bernehmen</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>&amp;Zentrieren</source>
        <translation>&amp;Center</translation>
    </message>
    <message>
        <source>&amp;Löschen</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Ladung:</source>
        <translation>Charge:</translation>
    </message>
    <message>
        <source>Einheit:</source>
        <translation>Unit:</translation>
    </message>
    <message>
        <source>Anzahl Feldlinien:</source>
        <translation>Field lines:</translation>
    </message>
    <message>
        <source>x-Koordinate der Ladung in Metern</source>
        <translation>x coordinate of the charge in meters</translation>
    </message>
    <message>
        <source>y-Koordinate der Ladung in Metern</source>
        <translation>y coordinate of the charge in meters</translation>
    </message>
    <message>
        <source>Ladung als Vielfaches der Einheit; negativ für eine negative Ladung</source>
        <translation>Charge as a multiple of the unit; negative for a negative charge</translation>
    </message>
    <message>
        <source>Einheit der Ladung: Elementarladungen oder Coulomb</source>
        <translation>Unit of the charge: elementary charges or coulombs</translation>
    </message>
    <message>
        <source>Feldlinien: Anzahl der Feldlinien, die von dieser Ladung ausgehen</source>
        <translation>Field lines: number of field lines that start at this charge</translation>
    </message>
    <message>
        <source>Probeladung: erzeugt kein Feld, zeigt aber die Kraft auf sie als Pfeil</source>
        <translation>Test charge: creates no field, but shows the force on it as an arrow</translation>
    </message>
    <message>
        <source>Die Werte dieser Seite für die Ladung übernehmen</source>
        <translation>Apply the values of this page to the charge</translation>
    </message>
    <message>
        <source>Die Ansicht so verschieben, dass die Ladung in der Mitte der Zeichenfläche steht</source>
        <translation>Move the view so that the charge is in the middle of the drawing area</translation>
    </message>
    <message>
        <source>Die gewählte Ladung löschen</source>
        <translation>Delete the selected charge</translation>
    </message>
    <message>
        <source>Ungültige x-Koordinate</source>
        <translation>Invalid x coordinate</translation>
    </message>
    <message>
        <source>Ungültige y-Koordinate</source>
        <translation>Invalid y coordinate</translation>
    </message>
    <message>
        <source>Ungültige Ladungsangabe</source>
        <translation>Invalid charge value</translation>
    </message>
</context>
<context>
    <name>TDataTab</name>
    <message>
        <source>Kraft</source>
        <translation>Force</translation>
    </message>
    <message>
        <source>Winkel</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>Feldstärke</source>
        <translation>Field strength</translation>
    </message>
    <message>
        <source>Potenzial</source>
        <translation>Potential</translation>
    </message>
    <message>
        <source>Kraft, Richtung, Feldstärke und Potenzial an der gewählten Probeladung</source>
        <translation>Force, direction, field strength and potential at the selected test charge</translation>
    </message>
    <message>
        <source>Eigenschaft</source>
        <translation>Property</translation>
    </message>
    <message>
        <source>Wert</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Feldfreier Punkt</source>
        <translation>Zero-field point</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Ort</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Geschwindigkeit</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Kinetische Energie</source>
        <translation>Kinetic energy</translation>
    </message>
    <message>
        <source>Potenzielle Energie</source>
        <translation>Potential energy</translation>
    </message>
    <message>
        <source>Gesamtenergie</source>
        <translation>Total energy</translation>
    </message>
    <message>
        <source>Drift (relativ)</source>
        <translation>Drift (relative)</translation>
    </message>
    <message>
        <source>Zeit, Ort, Geschwindigkeit und Energien des gewählten Teilchens im Flug</source>
        <translation>Time, position, speed and energies of the selected particle in flight</translation>
    </message>
</context>
<context>
    <name>TEnergyPlot</name>
    <message>
        <source>Kinetische, potenzielle und gesamte Energie des Teilchens über der Zeit</source>
        <translation>Kinetic, potential and total energy of the particle over time</translation>
    </message>
    <message>
        <source>t = %1 s</source>
        <translation>t = %1 s</translation>
    </message>
    <message>
        <source>E in eV</source>
        <translation>E in eV</translation>
    </message>
</context>
<context>
    <name>TFieldLineGroup</name>
    <message>
        <source>Feldlinien</source>
        <translation>Field lines</translation>
    </message>
    <message>
        <source>Feldlinien nach Ladungs&amp;menge</source>
        <translation>Field lines by a&amp;mount of charge</translation>
    </message>
    <message>
        <source>Linien der gr&amp;ößten Ladung:</source>
        <translation>Lines of the lar&amp;gest charge:</translation>
    </message>
    <message>
        <source>Pfeile a&amp;uf Feldlinien</source>
        <translation>Arr&amp;ows on field lines</translation>
    </message>
    <message>
        <source>G&amp;enaue Feldlinien</source>
        <translation>E&amp;xact field lines</translation>
    </message>
    <message>
        <source>Feldfreie Pun&amp;kte</source>
        <translation>&amp;Zero-field points</translation>
    </message>
    <message>
        <source>Zur&amp;ück</source>
        <translation>Bac&amp;k</translation>
    </message>
    <message>
        <source>Jeder Ladung so viele Feldlinien geben, wie ihrem Betrag entspricht; jede Linie wird nur einmal gezeichnet</source>
        <translation>Give each charge as many field lines as its magnitude calls for; each line is drawn only once</translation>
    </message>
    <message>
        <source>So viele Feldlinien bekommt die Ladung mit dem größten Betrag</source>
        <translation>The number of field lines the charge of the largest magnitude gets</translation>
    </message>
    <message>
        <source>Auf jeder Feldlinie Pfeile in Richtung des Feldes zeigen</source>
        <translation>Show arrows along each field line in the direction of the field</translation>
    </message>
    <message>
        <source>Feldlinien mit angepasster Schrittweite genau berechnen, auf jedem Rechner gleich</source>
        <translation>Compute the field lines accurately with an adaptive step, the same on every computer</translation>
    </message>
    <message>
        <source>Jeden Punkt, an dem das Feld verschwindet, mit einem Kreuz markieren</source>
        <translation>Mark each point where the field vanishes with a cross</translation>
    </message>
    <message>
        <source>Zurück zu den übrigen Einstellungen der Anzeige</source>
        <translation>Back to the other display settings</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Ladung</source>
        <translation>Charge</translation>
    </message>
    <message>
        <source>Daten</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Anzeige</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Alle Ladungen; die gewählte zeigen die Seiten darunter</source>
        <translation>All charges; the pages below show the selected one</translation>
    </message>
    <message>
        <source>Ort, Wert und Feldlinien der gewählten Ladung</source>
        <translation>Position, value and field lines of the selected charge</translation>
    </message>
    <message>
        <source>Kraft, Feldstärke und Potenzial an der gewählten Probeladung</source>
        <translation>Force, field strength and potential at the selected test charge</translation>
    </message>
    <message>
        <source>Kraftpfeile, Zoom, Präzision und Äquipotentiallinien</source>
        <translation>Force arrows, zoom, precision and equipotential lines</translation>
    </message>
    <message>
        <source>Teilchen</source>
        <translation>Particle</translation>
    </message>
    <message>
        <source>Art, Masse, Ladung, Start und Startgeschwindigkeit des gewählten Teilchens</source>
        <translation>Kind, mass, charge, start and start velocity of the selected particle</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Spannung und Arbeit</source>
        <translation>Voltage and Work</translation>
    </message>
    <message>
        <source>&amp;von:</source>
        <translation>&amp;from:</translation>
    </message>
    <message>
        <source>&amp;nach:</source>
        <translation>&amp;to:</translation>
    </message>
    <message>
        <source>Spannung:</source>
        <translation>Voltage:</translation>
    </message>
    <message>
        <source>Aufzubringende Arbeit:</source>
        <translation>Work required:</translation>
    </message>
    <message>
        <source>Spannung zwischen den Orten oder Arbeit, um die erste Ladung zur zweiten zu bringen</source>
        <translation>Voltage between the positions, or the work needed to bring the first charge to the second</translation>
    </message>
    <message>
        <source>Start: Klicken, dann im Hauptfenster eine Probeladung anklicken; rechte Taste: leeren</source>
        <translation>Start: click, then click a test charge in the main window; right button: clear</translation>
    </message>
    <message>
        <source>Ziel: Klicken, dann im Hauptfenster eine Probeladung anklicken; rechte Taste: leeren</source>
        <translation>End: click, then click a test charge in the main window; right button: clear</translation>
    </message>
</context>
<context>
    <name>TParticleTab</name>
    <message>
        <source>Elektron</source>
        <translation>Electron</translation>
    </message>
    <message>
        <source>Proton</source>
        <translation>Proton</translation>
    </message>
    <message>
        <source>Alphateilchen</source>
        <translation>Alpha particle</translation>
    </message>
    <message>
        <source>Freies Teilchen</source>
        <translation>Free particle</translation>
    </message>
    <message>
        <source>Art:</source>
        <translation>Kind:</translation>
    </message>
    <message>
        <source>Masse:</source>
        <translation>Mass:</translation>
    </message>
    <message>
        <source>Ladung:</source>
        <translation>Charge:</translation>
    </message>
    <message>
        <source>Ort:</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>Geschw.:</source>
        <translation>Velocity:</translation>
    </message>
    <message>
        <source>Überne&amp;hmen</source>
        <translation>Appl&amp;y</translation>
    </message>
    <message>
        <source>Lö&amp;schen</source>
        <translation>Remo&amp;ve</translation>
    </message>
    <message>
        <source>Alle Teilchen; das gewählte zeigt diese Seite</source>
        <translation>All particles; this page shows the selected one</translation>
    </message>
    <message>
        <source>Die Art des Teilchens setzt Masse und Ladung</source>
        <translation>The kind of particle sets mass and charge</translation>
    </message>
    <message>
        <source>Masse des Teilchens in Kilogramm, größer als null</source>
        <translation>Mass of the particle in kilograms, greater than zero</translation>
    </message>
    <message>
        <source>Ladung als Vielfaches der Einheit; negativ für eine negative Ladung</source>
        <translation>Charge as a multiple of the unit; negative for a negative charge</translation>
    </message>
    <message>
        <source>Einheit der Ladung: Elementarladungen oder Coulomb</source>
        <translation>Unit of the charge: elementary charges or coulombs</translation>
    </message>
    <message>
        <source>x-Koordinate des Starts in Metern</source>
        <translation>x coordinate of the start in metres</translation>
    </message>
    <message>
        <source>y-Koordinate des Starts in Metern</source>
        <translation>y coordinate of the start in metres</translation>
    </message>
    <message>
        <source>Startgeschwindigkeit in x-Richtung in Metern pro Sekunde</source>
        <translation>Start velocity in x direction in metres per second</translation>
    </message>
    <message>
        <source>Startgeschwindigkeit in y-Richtung in Metern pro Sekunde</source>
        <translation>Start velocity in y direction in metres per second</translation>
    </message>
    <message>
        <source>Die Werte dieser Seite für das Teilchen übernehmen</source>
        <translation>Apply the values of this page to the particle</translation>
    </message>
    <message>
        <source>Das gewählte Teilchen löschen</source>
        <translation>Delete the selected particle</translation>
    </message>
    <message>
        <source>Ungültige Masse</source>
        <translation>Invalid mass</translation>
    </message>
    <message>
        <source>Ungültige Ladungsangabe</source>
        <translation>Invalid charge value</translation>
    </message>
    <message>
        <source>Ungültige x-Koordinate</source>
        <translation>Invalid x coordinate</translation>
    </message>
    <message>
        <source>Ungültige y-Koordinate</source>
        <translation>Invalid y coordinate</translation>
    </message>
    <message>
        <source>Ungültige Geschwindigkeit</source>
        <translation>Invalid velocity</translation>
    </message>
</context>
<context>
    <name>TPotentialGroup</name>
    <message>
        <source>Äquipotentiallinien</source>
        <translation>Equipotential lines</translation>
    </message>
    <message>
        <source>Äquipotentiallinien zei&amp;gen</source>
        <translation>&amp;Show equipotential lines</translation>
    </message>
    <message>
        <source>&amp;Abstand automatisch</source>
        <translation>A&amp;utomatic spacing</translation>
    </message>
    <message>
        <source>Abs&amp;tand:</source>
        <translation>Spac&amp;ing:</translation>
    </message>
    <message>
        <source>Linie &amp;durch die gewählte Probeladung</source>
        <translation>Line th&amp;rough the selected test charge</translation>
    </message>
    <message>
        <source>Pote&amp;nzialfarben</source>
        <translation>Pote&amp;ntial colors</translation>
    </message>
    <message>
        <source>Linienfarbe:</source>
        <translation>Line color:</translation>
    </message>
    <message>
        <source>Linien gleichen Potenzials zeigen, je mit ihrem Wert beschriftet, wo Platz ist</source>
        <translation>Show lines of equal potential, each labeled with its value where there is room</translation>
    </message>
    <message>
        <source>Abstand der Linien selbst wählen lassen (Stufen 1, 2, 5)</source>
        <translation>Let the program choose the spacing of the lines (steps 1, 2, 5)</translation>
    </message>
    <message>
        <source>Die Linien im eingetragenen Abstand zeichnen</source>
        <translation>Draw the lines at the spacing entered</translation>
    </message>
    <message>
        <source>Abstand benachbarter Linien in Volt</source>
        <translation>Spacing of neighboring lines in volts</translation>
    </message>
    <message>
        <source>Farbe der Äquipotentiallinien</source>
        <translation>Color of the equipotential lines</translation>
    </message>
    <message>
        <source>Zusätzlich die Linie durch die gewählte Probeladung zeigen</source>
        <translation>Also show the line through the selected test charge</translation>
    </message>
    <message>
        <source>Die Fläche nach dem Potenzial färben, mit einer Legende</source>
        <translation>Color the area by potential, with a legend</translation>
    </message>
    <message>
        <source>Zurück zu den übrigen Einstellungen der Anzeige</source>
        <translation>Back to the other view settings</translation>
    </message>
    <message>
        <source>Der Abstand der Äquipotentiallinien muss positiv sein.</source>
        <translation>The spacing of the equipotential lines must be positive.</translation>
    </message>
    <message>
        <source>Zurü&amp;ck</source>
        <translation>&amp;Back</translation>
    </message>
</context>
<context>
    <name>TViewTab</name>
    <message>
        <source>Pfeillänge:</source>
        <translation>Arrow length:</translation>
    </message>
    <message>
        <source>Pfeilfarbe:</source>
        <translation>Arrow color:</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>Zoom:</translation>
    </message>
    <message>
        <source>Präzision:</source>
        <translation>Precision:</translation>
    </message>
    <message>
        <source>hoch</source>
        <translation>high</translation>
    </message>
    <message>
        <source>niedrig</source>
        <translation>low</translation>
    </message>
    <message>
        <source>&amp;Feldlinie an aktueller Cursorposition zeigen</source>
        <translation>Show &amp;field line at cursor position</translation>
    </message>
    <message>
        <source>Übe&amp;rnehmen</source>
        <translation>A&amp;pply</translation>
    </message>
    <message>
        <source>Ä&amp;quipotentiallinien …</source>
        <translation>&amp;Equipotential lines …</translation>
    </message>
    <message>
        <source>Pfeillänge: die Kraft in Newton, für die ein Meter Kraftpfeil steht</source>
        <translation>Arrow length: the force in newtons that one meter of force arrow stands for</translation>
    </message>
    <message>
        <source>Farbe der Kraftpfeile</source>
        <translation>Color of the force arrows</translation>
    </message>
    <message>
        <source>Zoom in Prozent; wählen oder eintippen</source>
        <translation>Zoom in percent; choose or type</translation>
    </message>
    <message>
        <source>Präzision der Feldlinien: links feine Schritte (genau), rechts grobe (schnell)</source>
        <translation>Precision of the field lines: fine steps on the left (accurate), coarse ones on the right (fast)</translation>
    </message>
    <message>
        <source>Zeigt die Feldlinie durch den Mauszeiger auf der Zeichenfläche</source>
        <translation>Shows the field line through the mouse pointer on the drawing area</translation>
    </message>
    <message>
        <source>Die Werte dieser Seite übernehmen</source>
        <translation>Apply the values of this page</translation>
    </message>
    <message>
        <source>Einstellungen für Äquipotentiallinien und Potenzialfarben</source>
        <translation>Settings for equipotential lines and potential colors</translation>
    </message>
    <message>
        <source>Die Pfeillänge muss positiv sein.</source>
        <translation>The arrow length must be positive.</translation>
    </message>
    <message>
        <source>Die Zoomstufe muss positiv sein.</source>
        <translation>The zoom level must be positive.</translation>
    </message>
    <message>
        <source>Die Zoomstufe ist zu klein.</source>
        <translation>The zoom level is too small.</translation>
    </message>
    <message>
        <source>Die Zoomstufe ist zu groß.</source>
        <translation>The zoom level is too large.</translation>
    </message>
    <message>
        <source>Die Pfeillänge ist zu klein.</source>
        <translation>The arrow length is too small.</translation>
    </message>
    <message>
        <source>Feldl&amp;inien …</source>
        <translation>Field &amp;lines …</translation>
    </message>
    <message>
        <source>Feldlinien nach Ladungsmenge, Pfeile, genaue Feldlinien und feldfreie Punkte</source>
        <translation>Field lines by amount of charge, arrows, accurate field lines and zero-field points</translation>
    </message>
</context>
</TS>
