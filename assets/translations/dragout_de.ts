<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CDroppedFiles</name>
    <message>
        <source>%1 dropped file(s) skipped: only %2 files can be added here.</source>
        <translation>%1 abgelegte Datei(en) übersprungen: Hier können nur %2-Dateien hinzugefügt werden.</translation>
    </message>
</context>
<context>
    <name>QRecordDrag</name>
    <message>
        <source>The temporary folder for the drag could not be created.</source>
        <translation>Der temporäre Ordner für das Ziehen konnte nicht erstellt werden.</translation>
    </message>
</context>
<context>
    <name>QBaseDetailsView</name>
    <message>
        <source>These items could not be copied from the device:</source>
        <translation>Diese Einträge konnten nicht vom Gerät kopiert werden:</translation>
    </message>
</context>
<context>
    <name>QAppsView</name>
    <message>
        <source>The device could not produce the package of these apps:</source>
        <translation>Das Gerät konnte das Paket dieser Apps nicht erstellen:</translation>
    </message>
</context>
</TS>
