<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Errors</name>
    <message>
        <source>%1 in der Datei &quot;%2&quot;. %3</source>
        <translation>%1 in the file &quot;%2&quot;. %3</translation>
    </message>
    <message>
        <source>Listenindex überschreitet das Maximum (%1)</source>
        <translation>List index out of bounds (%1)</translation>
    </message>
</context>
<context>
    <name>SystemErrorText</name>
    <message>
        <source>Die Datei oder der Ordner existiert nicht.</source>
        <translation>The file or folder does not exist.</translation>
    </message>
    <message>
        <source>Zugriff verweigert.</source>
        <translation>Access denied.</translation>
    </message>
    <message>
        <source>Auf dem Datenträger ist kein Platz mehr.</source>
        <translation>There is no space left on the disk.</translation>
    </message>
    <message>
        <source>Das Speicherkontingent auf dem Datenträger ist erschöpft.</source>
        <translation>The disk quota is used up.</translation>
    </message>
    <message>
        <source>Die Datei wird zu groß.</source>
        <translation>The file would become too large.</translation>
    </message>
    <message>
        <source>Der Datenträger ist schreibgeschützt.</source>
        <translation>The disk is write-protected.</translation>
    </message>
    <message>
        <source>Das ist ein Ordner.</source>
        <translation>That is a folder.</translation>
    </message>
    <message>
        <source>Ein Teil des Pfades ist kein Ordner.</source>
        <translation>Part of the path is not a folder.</translation>
    </message>
    <message>
        <source>Die Datei existiert bereits.</source>
        <translation>The file already exists.</translation>
    </message>
    <message>
        <source>Der Dateiname ist zu lang.</source>
        <translation>The file name is too long.</translation>
    </message>
    <message>
        <source>Zu viele symbolische Verknüpfungen im Pfad.</source>
        <translation>Too many symbolic links in the path.</translation>
    </message>
    <message>
        <source>Ein-/Ausgabefehler des Datenträgers.</source>
        <translation>Disk input/output error.</translation>
    </message>
    <message>
        <source>Es sind zu viele Dateien geöffnet.</source>
        <translation>Too many files are open.</translation>
    </message>
    <message>
        <source>Zu wenig Arbeitsspeicher.</source>
        <translation>Not enough memory.</translation>
    </message>
    <message>
        <source>Die Datei wird gerade benutzt.</source>
        <translation>The file is in use.</translation>
    </message>
    <message>
        <source>Die Datei liegt auf einem anderen Datenträger.</source>
        <translation>The file is on a different disk.</translation>
    </message>
    <message>
        <source>Der Vorgang wurde unterbrochen.</source>
        <translation>The operation was interrupted.</translation>
    </message>
    <message>
        <source>Das Gerät ist nicht bereit.</source>
        <translation>The device is not ready.</translation>
    </message>
    <message>
        <source>Systemfehler Nummer %1.</source>
        <translation>System error number %1.</translation>
    </message>
</context>
<context>
    <name>TReplacingFile</name>
    <message>
        <source>Sie ist keine gewöhnliche Datei.</source>
        <translation>It is not a regular file.</translation>
    </message>
    <message>
        <source>Die Daten konnten nicht vollständig geschrieben werden.</source>
        <translation>The data could not be written completely.</translation>
    </message>
</context>
</TS>
