<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ConnectWidget</name>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp"/>
        <source>Plug your iPhone, iPad or iPod in by cable and unlock it. It appears here as soon as the computer&apos;s device service (usbmuxd) has started.</source>
        <translation>请用数据线连接您的 iPhone、iPad 或 iPod 并解锁。电脑的设备服务 (usbmuxd) 启动后，设备就会显示在这里。</translation>
    </message>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp"/>
        <source>The device service usbmuxd is not installed on this computer. Install the Debian package &quot;usbmuxd&quot; (sudo apt install usbmuxd), then plug your device in and unlock it.</source>
        <translation>此电脑未安装设备服务 usbmuxd。请安装 Debian 软件包“usbmuxd”(sudo apt install usbmuxd)，然后连接设备并解锁。</translation>
    </message>
</context>
</TS>
