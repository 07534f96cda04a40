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
</TS>
