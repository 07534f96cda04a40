<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ConnectWidget</name>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp"/>
        <source>Plug your iPhone, iPad or iPod in by cable and unlock it. It appears here as soon as the computer&apos;s device service (usbmuxd) has started.</source>
        <translation>Schließen Sie Ihr iPhone, iPad oder iPod per Kabel an und entsperren Sie es. Es erscheint hier, sobald der Gerätedienst des Computers (usbmuxd) gestartet ist.</translation>
    </message>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp"/>
        <source>The device service usbmuxd is not installed on this computer. Install the Debian package &quot;usbmuxd&quot; (sudo apt install usbmuxd), then plug your device in and unlock it.</source>
        <translation>Der Gerätedienst usbmuxd ist auf diesem Computer nicht installiert. Installieren Sie das Debian-Paket „usbmuxd“ (sudo apt install usbmuxd), schließen Sie dann Ihr Gerät an und entsperren Sie es.</translation>
    </message>
</context>
<context>
    <name>QOperatePanel</name>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>Miniaturansicht</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
</context>
<context>
    <name>ContactGroupNames</name>
    <message>
        <source>Friend</source>
        <translation>Freunde</translation>
    </message>
    <message>
        <source>Family</source>
        <translation>Familie</translation>
    </message>
    <message>
        <source>Ungrouped</source>
        <translation>Ohne Gruppe</translation>
    </message>
    <message>
        <source>Classmate</source>
        <translation>Mitschüler</translation>
    </message>
</context>
<context>
    <name>PhotoAlbumNames</name>
    <message>
        <source>Camera Roll</source>
        <translation>Aufnahmen</translation>
    </message>
    <message>
        <source>Photo Libary</source>
        <translation>Fotomediathek</translation>
    </message>
</context>
</TS>
