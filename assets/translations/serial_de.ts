<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QRecordExportDialog</name>
    <message>
        <location filename="../../src/serial/QRecordExportDialog.cpp" line="34"/>
        <source>Save File</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <location filename="../../src/serial/QRecordExportDialog.cpp" line="49"/>
        <source>Please choose one or more items first!</source>
        <translation>Bitte wählen Sie zuerst einen oder mehrere Einträge aus!</translation>
    </message>
    <message>
        <location filename="../../src/serial/QRecordExportDialog.cpp" line="42"/>
        <source>Export failed! %1 could not be written.</source>
        <translation>Export fehlgeschlagen! %1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <location filename="../../src/serial/QRecordExportDialog.cpp" line="60"/>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existiert bereits.
Möchten Sie die Datei ersetzen?</translation>
    </message>
</context>
</TS>
