<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>ProjectFile</name>
    <message>
        <source>Datei %1 kann nicht geöffnet werden. %2</source>
        <translation>Cannot open file %1. %2</translation>
    </message>
    <message>
        <source>Sie ist keine gewöhnliche Datei.</source>
        <translation>It is not a regular file.</translation>
    </message>
    <message>
        <source>Sie ist größer als %1 MB.</source>
        <translation>It is larger than %1 MB.</translation>
    </message>
    <message>
        <source>Die Datei endet vorzeitig.</source>
        <translation>The file ends prematurely.</translation>
    </message>
    <message>
        <source>Die Datei kann nicht gelesen werden.</source>
        <translation>The file cannot be read.</translation>
    </message>
    <message>
        <source>Ein Wert liegt außerhalb seines Bereichs.</source>
        <translation>A value is out of its range.</translation>
    </message>
    <message>
        <source>Eine gewählte Ladung fehlt.</source>
        <translation>A selected charge is missing.</translation>
    </message>
    <message>
        <source>Zu wenig Arbeitsspeicher, um die Datei %1 zu lesen</source>
        <translation>Not enough memory to read the file %1</translation>
    </message>
    <message>
        <source>Datei &quot;%1&quot; kann nicht erstellt werden. %2</source>
        <translation>Cannot create file &quot;%1&quot;. %2</translation>
    </message>
</context>
<context>
    <name>RecoveryStore</name>
    <message>
        <source>Keine Wiederherstellungsdatei des Kraftbilds</source>
        <translation>Not a recovery file of Das Kraftbild</translation>
    </message>
    <message>
        <source>Datei &quot;%1&quot; kann nicht erstellt werden. %2</source>
        <translation>Cannot create file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht geöffnet werden. %2</source>
        <translation>Cannot open file %1. %2</translation>
    </message>
    <message>
        <source>Die Datei kann nicht gelesen werden.</source>
        <translation>The file cannot be read.</translation>
    </message>
</context>
<context>
    <name>StreamFormat</name>
    <message>
        <source>Stream-Lesefehler</source>
        <translation>Stream read error</translation>
    </message>
    <message>
        <source>Stream-Schreibfehler</source>
        <translation>Stream write error</translation>
    </message>
    <message>
        <source>Ungültiger Eigenschaftswert</source>
        <translation>Invalid property value</translation>
    </message>
</context>
</TS>
