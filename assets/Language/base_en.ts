<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ConnectWidget</name>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp"/>
        <source>Plug your iPhone, iPad or iPod in by cable and unlock it. It appears here as soon as the computer&apos;s device service (usbmuxd) has started.</source>
        <translation>Plug your iPhone, iPad or iPod in by cable and unlock it. It appears here as soon as the computer&apos;s device service (usbmuxd) has started.</translation>
    </message>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp"/>
        <source>The device service usbmuxd is not installed on this computer. Install the Debian package &quot;usbmuxd&quot; (sudo apt install usbmuxd), then plug your device in and unlock it.</source>
        <translation>The device service usbmuxd is not installed on this computer. Install the Debian package &quot;usbmuxd&quot; (sudo apt install usbmuxd), then plug your device in and unlock it.</translation>
    </message>
</context>
</TS>
