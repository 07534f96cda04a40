<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ConnectWidget</name>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp"/>
        <source>Unlock your device and tap &quot;Trust&quot; when it asks whether to trust this computer.</source>
        <translation>Entsperren Sie Ihr Gerät und tippen Sie auf „Vertrauen“, wenn es fragt, ob es diesem Computer vertrauen soll.</translation>
    </message>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp"/>
        <source>The device did not trust this computer. Unplug it, plug it in again, unlock it and tap &quot;Trust&quot; when it asks whether to trust this computer.</source>
        <translation>Das Gerät vertraut diesem Computer nicht. Trennen Sie es, schließen Sie es erneut an, entsperren Sie es und tippen Sie auf „Vertrauen“, wenn es fragt, ob es diesem Computer vertrauen soll.</translation>
    </message>
</context>
</TS>
