<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>QBaseDetailsView</name>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Contacts cannot be read from this device yet.</source>
        <translation>Contacts cannot be read from this device yet.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Messages cannot be read from this device yet.</source>
        <translation>Messages cannot be read from this device yet.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Music cannot be read from this device yet.</source>
        <translation>Music cannot be read from this device yet.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Playlists cannot be read from this device yet.</source>
        <translation>Playlists cannot be read from this device yet.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Videos cannot be read from this device yet.</source>
        <translation>Videos cannot be read from this device yet.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Photos cannot be read from this device yet.</source>
        <translation>Photos cannot be read from this device yet.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Books cannot be read from this device yet.</source>
        <translation>Books cannot be read from this device yet.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>This content cannot be read from this device yet.</source>
        <translation>This content cannot be read from this device yet.</translation>
    </message>
</context>
<context>
    <name>QSystemBrowser</name>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemBrowser.cpp"/>
        <source>Documents of the app %1</source>
        <translation>Documents of the app %1</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemBrowser.cpp"/>
        <source>Back to the device&apos;s files</source>
        <translation>Back to the device&apos;s files</translation>
    </message>
</context>
<context>
    <name>QSystemView</name>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp"/>
        <source>The entries were copied to %1.</source>
        <translation>The entries were copied to %1.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp"/>
        <source>The folder %1 could not be created.</source>
        <translation>The folder %1 could not be created.</translation>
    </message>
</context>
<context>
    <name>ResultReason</name>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The password is wrong.</source>
        <translation>The password is wrong.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The device is locked or does not trust this computer: unlock it and try again.</source>
        <translation>The device is locked or does not trust this computer: unlock it and try again.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>There is not enough free space on the disk.</source>
        <translation>There is not enough free space on the disk.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The connection to the device was lost.</source>
        <translation>The connection to the device was lost.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>A file could not be read or written.</source>
        <translation>A file could not be read or written.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The folder holds no readable backup.</source>
        <translation>The folder holds no readable backup.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The device does not take this file.</source>
        <translation>The device does not take this file.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The device gave an answer this program cannot read.</source>
        <translation>The device gave an answer this program cannot read.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The folder path is too long or not valid.</source>
        <translation>The folder path is too long or not valid.</translation>
    </message>
</context>
<context>
    <name>CDeviceTransfer</name>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>Nothing to copy: the source device holds no contacts, photos, songs or books.</source>
        <translation>Nothing to copy: the source device holds no contacts, photos, songs or books.</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>Not yet readable from &quot;%1&quot;: %2.</source>
        <translation>Not yet readable from &quot;%1&quot;: %2.</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>Not yet writable to &quot;%1&quot;: %2.</source>
        <translation>Not yet writable to &quot;%1&quot;: %2.</translation>
    </message>
</context>
</TS>
