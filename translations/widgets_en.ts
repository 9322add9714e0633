<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>ColorText</name>
    <message>
        <source>&apos;%1&apos; ist kein gültiger Integerwert</source>
        <translation>&apos;%1&apos; is not a valid integer value</translation>
    </message>
</context>
<context>
    <name>ErrorGuard</name>
    <message>
        <source>Zu wenig Arbeitsspeicher.</source>
        <translation>Out of memory.</translation>
    </message>
    <message>
        <source>Ungültige oder unvollständige Angaben</source>
        <translation>Invalid or incomplete input</translation>
    </message>
    <message>
        <source>Unbekannter Fehler</source>
        <translation>Unknown error</translation>
    </message>
</context>
<context>
    <name>TCalibrationDialog</name>
    <message>
        <source>Bildschirm kalibrieren</source>
        <translation>Calibrate screen</translation>
    </message>
    <message>
        <source>Halten Sie eine Bankkarte oder ein Lineal an den Balken und ändern Sie den Maßstab, bis beide gleich lang sind.</source>
        <translation>Hold a bank card or a ruler against the bar and change the scale until both are equally long.</translation>
    </message>
    <message>
        <source>Bankkarte (85,60 mm)</source>
        <translation>Bank card (85.60 mm)</translation>
    </message>
    <message>
        <source>Lineal (10 cm)</source>
        <translation>Ruler (10 cm)</translation>
    </message>
    <message>
        <source>&amp;Vergleich mit:</source>
        <translation>&amp;Compare with:</translation>
    </message>
    <message>
        <source>&amp;Maßstab:</source>
        <translation>&amp;Scale:</translation>
    </message>
</context>
<context>
    <name>TDialogs</name>
    <message>
        <source>Druckvorschau</source>
        <translation>Print Preview</translation>
    </message>
</context>
<context>
    <name>THandbookWindow</name>
    <message>
        <source>Zurück</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Zurück zur zuvor gezeigten Seite</source>
        <translation>Back to the page shown before</translation>
    </message>
    <message>
        <source>Vor</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Wieder vor zur nächsten Seite</source>
        <translation>Forward again to the next page</translation>
    </message>
    <message>
        <source>Startseite</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Zur ersten Seite des Handbuchs</source>
        <translation>To the first page of the handbook</translation>
    </message>
    <message>
        <source>Handbuch</source>
        <translation>Handbook</translation>
    </message>
    <message>
        <source>Handbuch - %1</source>
        <translation>Handbook - %1</translation>
    </message>
</context>
<context>
    <name>TInfo</name>
    <message>
        <source>Info über %1</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Anwendung: %1</source>
        <translation>Application: %1</translation>
    </message>
    <message>
        <source>Ein Programm für den Physikunterricht</source>
        <translation>A program for physics class</translation>
    </message>
</context>
<context>
    <name>TInfoHeader</name>
    <message>
        <source>Entwicklungszeit: </source>
        <translation>Development period: </translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>Version: </translation>
    </message>
</context>
<context>
    <name>TPellColorComboBox</name>
    <message>
        <source>Schwarz</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>Dunkelgrau</source>
        <translation>Dark gray</translation>
    </message>
    <message>
        <source>Hellgrau</source>
        <translation>Light gray</translation>
    </message>
    <message>
        <source>Weiß</source>
        <translation>White</translation>
    </message>
    <message>
        <source>Rot</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Gelb</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>Hellgrün</source>
        <translation>Light green</translation>
    </message>
    <message>
        <source>Dunkelgrün</source>
        <translation>Dark green</translation>
    </message>
    <message>
        <source>Dunkelblau</source>
        <translation>Dark blue</translation>
    </message>
    <message>
        <source>Blau</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Hellblau</source>
        <translation>Light blue</translation>
    </message>
    <message>
        <source>Violett</source>
        <translation>Violet</translation>
    </message>
    <message>
        <source>Lila</source>
        <translation>Purple</translation>
    </message>
    <message>
        <source>Rosa</source>
        <translation>Pink</translation>
    </message>
    <message>
        <source>Andere Farbe</source>
        <translation>Other color</translation>
    </message>
    <message>
        <source>Farbname</source>
        <translation>Color name</translation>
    </message>
    <message>
        <source>Name der gelöschten Farbe:</source>
        <translation>Name of the deleted color:</translation>
    </message>
    <message>
        <source>Die Farbe &quot;%1&quot; ist nicht vorhanden.</source>
        <translation>The color &quot;%1&quot; does not exist.</translation>
    </message>
    <message>
        <source>Name der hinzugefügten Farbe:</source>
        <translation>Name of the added color:</translation>
    </message>
</context>
</TS>
