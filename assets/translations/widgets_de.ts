<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QMessageDlg</name>
    <message>
        <location filename="../../src/widgets/QMessageDlg.cpp" line="54"/>
        <source>Restart</source>
        <translation>Neu starten</translation>
    </message>
    <message>
        <location filename="../../src/widgets/QMessageDlg.cpp" line="56"/>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <location filename="../../src/widgets/QMessageDlg.cpp" line="56"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../../src/widgets/QMessageDlg.cpp" line="61"/>
        <source>Restart later</source>
        <translation>Später neu starten</translation>
    </message>
    <message>
        <location filename="../../src/widgets/QMessageDlg.cpp" line="63"/>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <location filename="../../src/widgets/QMessageDlg.cpp" line="63"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../../src/widgets/QMessageDlg.cpp" line="104"/>
        <source>Vexa Transfer</source>
        <translation>Vexa Transfer</translation>
    </message>
</context>
<context>
    <name>QWaitDlg</name>
    <message>
        <location filename="../../src/widgets/QWaitDlg.cpp" line="27"/>
        <source>Please wait...</source>
        <translation>Bitte warten...</translation>
    </message>
</context>
<context>
    <name>CDesktopOpen</name>
    <message>
        <location filename="../../src/widgets/CDesktopOpen.cpp"/>
        <source>No program could be started to open %1.
Please open it yourself.</source>
        <translation>Es konnte kein Programm gestartet werden, um %1 zu öffnen.
Bitte öffnen Sie es selbst.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/CDesktopOpen.cpp"/>
        <source>Exported to %1.
Do you want to open the folder that holds it?</source>
        <translation>Exportiert nach %1.
Möchten Sie den Ordner öffnen, in dem die Datei liegt?</translation>
    </message>
    <message>
        <location filename="../../src/widgets/CDesktopOpen.cpp"/>
        <source>Exported into the folder %1.
Do you want to open it?</source>
        <translation>In den Ordner %1 exportiert.
Möchten Sie ihn öffnen?</translation>
    </message>
</context>
<context>
    <name>ReadOnlyNotice</name>
    <message>
        <location filename="../../src/widgets/ReadOnlyNotice.cpp"/>
        <source>This is a backup: its content can be viewed and exported, but not changed.</source>
        <translation>Dies ist eine Sicherung: Ihr Inhalt kann angesehen und exportiert, aber nicht geändert werden.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ReadOnlyNotice.cpp"/>
        <source>Photos can be copied off the device here, and added on the phone itself.</source>
        <translation>Fotos können hier vom Gerät kopiert und auf dem Telefon selbst hinzugefügt werden.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ReadOnlyNotice.cpp"/>
        <source>Songs and videos can be copied off the device here. Adding or deleting them needs the phone's own sync, which this program does not offer.</source>
        <translation>Titel und Videos können hier vom Gerät kopiert werden. Zum Hinzufügen oder Löschen ist die Synchronisierung des Telefons nötig, die dieses Programm nicht bietet.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ReadOnlyNotice.cpp"/>
        <source>Books can be copied off the device here, and added on the phone itself.</source>
        <translation>Bücher können hier vom Gerät kopiert und auf dem Telefon selbst hinzugefügt werden.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ReadOnlyNotice.cpp"/>
        <source>Read from a copy of the device's data. Changes are made on the phone itself.</source>
        <translation>Aus einer Kopie der Gerätedaten gelesen. Änderungen werden auf dem Telefon selbst vorgenommen.</translation>
    </message>
</context>
</TS>
