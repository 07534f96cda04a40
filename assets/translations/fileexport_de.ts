<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CPhotoSerialDlg</name>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <location filename="../../src/serial/CPhotoSerialDlg.cpp" line="+175"/>
        <source>Importing %1</source>
        <translation>Importiere %1</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 file(s) could not be copied.</source>
        <translation>%1 Datei(en) konnten nicht kopiert werden.</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please wait....</source>
        <translation>Bitte warten....</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CPhotoSerialThread</name>
    <message>
        <location filename="../../src/serial/CPhotoSerialThread.cpp" line="+52"/>
        <source>Copying files to %1</source>
        <translation>Dateien werden nach %1 kopiert</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>%1 file(s) could not be copied.</source>
        <translation>%1 Datei(en) konnten nicht kopiert werden.</translation>
    </message>
</context>
<context>
    <name>QFileFolderExport</name>
    <message>
        <location filename="../../src/serial/QFileFolderExport.cpp" line="+19"/>
        <source>Please choose one or more items first!</source>
        <translation>Bitte wählen Sie zuerst einen oder mehrere Einträge aus!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Save File</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The folder %1 could not be created.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
</context>
</TS>
