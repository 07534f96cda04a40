<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CDeviceTreeNodes</name>
    <message>
        <source>Call history</source>
        <translation>Anrufliste</translation>
    </message>
</context>
<context>
    <name>QBaseDetailsView</name>
    <message>
        <source>The call history cannot be read from this device yet.</source>
        <translation>Die Anrufliste kann von diesem Gerät noch nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>QCallsModel</name>
    <message>
        <source>Name or number</source>
        <translation>Name oder Nummer</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>Answered</source>
        <translation>Angenommen</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Outgoing</source>
        <translation>Ausgehend</translation>
    </message>
    <message>
        <source>Incoming</source>
        <translation>Eingehend</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>Missed</source>
        <translation>Verpasst</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <source>FaceTime Audio</source>
        <translation>FaceTime Audio</translation>
    </message>
    <message>
        <source>FaceTime Video</source>
        <translation>FaceTime Video</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Andere</translation>
    </message>
</context>
<context>
    <name>QCallsView</name>
    <message>
        <source>Call history</source>
        <translation>Anrufliste</translation>
    </message>
    <message>
        <source>There are no calls in the call history of this device.</source>
        <translation>Die Anrufliste dieses Geräts enthält keine Anrufe.</translation>
    </message>
    <message>
        <source>The call history could not be read from the device.</source>
        <translation>Die Anrufliste konnte nicht vom Gerät gelesen werden.</translation>
    </message>
    <message>
        <source>No calls can be read until the backups of this device are encrypted.</source>
        <translation>Anrufe können erst gelesen werden, wenn die Sicherungen dieses Geräts verschlüsselt sind.</translation>
    </message>
</context>
</TS>
