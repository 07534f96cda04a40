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
    <message>
        <source>Favorites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>Videos</source>
        <translation>Videos</translation>
    </message>
    <message>
        <source>Live Photos</source>
        <translation>Live Photos</translation>
    </message>
    <message>
        <source>Screenshots</source>
        <translation>Bildschirmfotos</translation>
    </message>
</context>
<context>
    <name>QBaseDetailsView</name>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Contacts cannot be read from this device yet.</source>
        <translation>Kontakte können von diesem Gerät noch nicht gelesen werden.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Messages cannot be read from this device yet.</source>
        <translation>Nachrichten können von diesem Gerät noch nicht gelesen werden.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Music cannot be read from this device yet.</source>
        <translation>Musik kann von diesem Gerät noch nicht gelesen werden.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Playlists cannot be read from this device yet.</source>
        <translation>Wiedergabelisten können von diesem Gerät noch nicht gelesen werden.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Videos cannot be read from this device yet.</source>
        <translation>Videos können von diesem Gerät noch nicht gelesen werden.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Photos cannot be read from this device yet.</source>
        <translation>Fotos können von diesem Gerät noch nicht gelesen werden.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Books cannot be read from this device yet.</source>
        <translation>Bücher können von diesem Gerät noch nicht gelesen werden.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>This content cannot be read from this device yet.</source>
        <translation>Dieser Inhalt kann von diesem Gerät noch nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>QSystemBrowser</name>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemBrowser.cpp"/>
        <source>Documents of the app %1</source>
        <translation>Dokumente der App %1</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemBrowser.cpp"/>
        <source>Back to the device&apos;s files</source>
        <translation>Zurück zu den Dateien des Geräts</translation>
    </message>
</context>
<context>
    <name>QSystemView</name>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp"/>
        <source>The entries were copied to %1.</source>
        <translation>Die Einträge wurden nach %1 kopiert.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp"/>
        <source>The folder %1 could not be created.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>ResultReason</name>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The password is wrong.</source>
        <translation>Das Passwort ist falsch.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The device is locked or does not trust this computer: unlock it and try again.</source>
        <translation>Das Gerät ist gesperrt oder vertraut diesem Computer nicht: Entsperren Sie es und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>There is not enough free space on the disk.</source>
        <translation>Auf dem Datenträger ist nicht genug freier Speicher.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The connection to the device was lost.</source>
        <translation>Die Verbindung zum Gerät ist abgebrochen.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>A file could not be read or written.</source>
        <translation>Eine Datei konnte nicht gelesen oder geschrieben werden.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The folder holds no readable backup.</source>
        <translation>Der Ordner enthält keine lesbare Sicherung.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The device does not take this file.</source>
        <translation>Das Gerät nimmt diese Datei nicht an.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The device gave an answer this program cannot read.</source>
        <translation>Das Gerät hat eine Antwort gegeben, die dieses Programm nicht lesen kann.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>This content can be read here but not changed.</source>
        <translation>Dieser Inhalt kann hier gelesen, aber nicht geändert werden.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The folder path is too long or not valid.</source>
        <translation>Der Ordnerpfad ist zu lang oder ungültig.</translation>
    </message>
</context>
<context>
    <name>CDeviceTransfer</name>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>Nothing to copy: the source device holds no contacts, photos, songs or books.</source>
        <translation>Nichts zu kopieren: Das Quellgerät enthält keine Kontakte, Fotos, Titel oder Bücher.</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>Not yet readable from &quot;%1&quot;: %2.</source>
        <translation>Noch nicht von „%1“ lesbar: %2.</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>Not yet writable to &quot;%1&quot;: %2.</source>
        <translation>Noch nicht auf „%1“ schreibbar: %2.</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>&quot;%1&quot; takes no contacts, photos, music or books over the cable. Please choose another target device.</source>
        <translation>„%1“ nimmt über das Kabel keine Kontakte, Fotos, Musik oder Bücher an. Bitte wählen Sie ein anderes Zielgerät.</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>&quot;%1&quot; cannot take %2 over the cable; they will be left out.</source>
        <translation>„%1“ kann über das Kabel keine %2 annehmen; sie werden ausgelassen.</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>Left out because &quot;%1&quot; cannot take them over the cable: %2.</source>
        <translation>Ausgelassen, weil „%1“ sie über das Kabel nicht annehmen kann: %2.</translation>
    </message>
</context>
</TS>
