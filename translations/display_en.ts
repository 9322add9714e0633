<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TCanvas</name>
    <message>
        <source>Leinwand/Bild erlaubt kein Zeichnen</source>
        <translation>Canvas does not allow drawing</translation>
    </message>
</context>
<context>
    <name>TDirectDrawSurface</name>
    <message>
        <source>Surface cannot be made</source>
        <translation>Surface cannot be made</translation>
    </message>
</context>
</TS>
