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
</TS>
