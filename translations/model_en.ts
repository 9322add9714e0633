<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>NumberText</name>
    <message>
        <source>&apos;%1&apos; ist kein gültiger Gleitkommawert</source>
        <translation>&apos;%1&apos; is not a valid floating point value</translation>
    </message>
</context>
<context>
    <name>PictureExport</name>
    <message>
        <source>Das Bild konnte nicht nach %1 geschrieben werden. %2</source>
        <translation>The picture could not be written to %1. %2</translation>
    </message>
</context>
<context>
    <name>Readouts</name>
    <message>
        <source>(keine Probeladung)</source>
        <translation>(no test charge)</translation>
    </message>
    <message>
        <source>(keine Ladung)</source>
        <translation>(no charge)</translation>
    </message>
    <message>
        <source>(unendlich)</source>
        <translation>(infinite)</translation>
    </message>
    <message>
        <source>(keine Ladung ausgewählt)</source>
        <translation>(no charge selected)</translation>
    </message>
    <message>
        <source>(Klicken Sie ein Feld oben und dann die gewünschte Ladung an.)</source>
        <translation>(Click a field above, then the charge you want.)</translation>
    </message>
    <message>
        <source>(Wählen Sie den Wert aus, der ausgegeben werden soll.)</source>
        <translation>(Choose the value to be shown.)</translation>
    </message>
</context>
<context>
    <name>TChargeTransfer</name>
    <message>
        <source>x = %1 m; y = %2 m; Q = %3 %4; %5 Feldlinien</source>
        <translation>x = %1 m; y = %2 m; Q = %3 %4; %5 field lines</translation>
    </message>
    <message>
        <source>; Probeladung</source>
        <translation>; test charge</translation>
    </message>
</context>
<context>
    <name>TDocument</name>
    <message>
        <source>Ladung verschieben</source>
        <translation>Move Charge</translation>
    </message>
    <message>
        <source>Ladung ändern</source>
        <translation>Change Charge</translation>
    </message>
    <message>
        <source>Ladung löschen</source>
        <translation>Delete Charge</translation>
    </message>
    <message>
        <source>Zentrieren</source>
        <translation>Center</translation>
    </message>
    <message>
        <source>Ansicht verschieben</source>
        <translation>Move View</translation>
    </message>
    <message>
        <source>Anzeige ändern</source>
        <translation>Change Display</translation>
    </message>
    <message>
        <source>Zoom ändern</source>
        <translation>Change Zoom</translation>
    </message>
    <message>
        <source>Potenzialanzeige ändern</source>
        <translation>Change Potential Display</translation>
    </message>
    <message>
        <source>Spannungsauswahl ändern</source>
        <translation>Change Voltage Selection</translation>
    </message>
    <message>
        <source>Ladung erzeugen</source>
        <translation>Create Charge</translation>
    </message>
    <message>
        <source>Feldlinien ändern</source>
        <translation>Change Field Lines</translation>
    </message>
    <message>
        <source>Ladungsreihe einfügen</source>
        <translation>Insert row of charges</translation>
    </message>
    <message>
        <source>Ladungen verschieben</source>
        <translation>Move Charges</translation>
    </message>
    <message>
        <source>Ladungen löschen</source>
        <translation>Delete Charges</translation>
    </message>
    <message>
        <source>Ladungen ändern</source>
        <translation>Change Charges</translation>
    </message>
    <message>
        <source>Vorzeichen umkehren</source>
        <translation>Reverse Sign</translation>
    </message>
    <message>
        <source>Duplizieren</source>
        <translation>Duplicate</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Teilchen einfügen</source>
        <translation>Insert particle</translation>
    </message>
    <message>
        <source>Teilchen ändern</source>
        <translation>Change particle</translation>
    </message>
    <message>
        <source>Teilchen löschen</source>
        <translation>Delete particle</translation>
    </message>
    <message>
        <source>Ziel ändern</source>
        <translation>Change goal</translation>
    </message>
</context>
</TS>
