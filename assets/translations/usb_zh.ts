<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ConnectWidget</name>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp"/>
        <source>Unlock your device and tap &quot;Trust&quot; when it asks whether to trust this computer.</source>
        <translation>请解锁您的设备，并在询问是否信任此电脑时轻点“信任”。</translation>
    </message>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp"/>
        <source>The device did not trust this computer. Unplug it, plug it in again, unlock it and tap &quot;Trust&quot; when it asks whether to trust this computer.</source>
        <translation>设备未信任此电脑。请拔下设备后重新连接，解锁设备，并在询问是否信任此电脑时轻点“信任”。</translation>
    </message>
</context>
</TS>
