<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QMessageModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>QPagedFlowViewerWidget</name>
    <message>
        <source>Select this page</source>
        <translation>Diese Seite auswählen</translation>
    </message>
    <message>
        <source>QPagedFlowViewerWidget::LoadImages can't find image, please re-install software</source>
        <translation>QPagedFlowViewerWidget::LoadImages findet ein Bild nicht, bitte installieren Sie die Software neu</translation>
    </message>
</context>
<context>
    <name>qmessageView</name>
    <message>
        <source>Please unlock your device first, and then try again!</source>
        <translation>Bitte entsperren Sie zuerst Ihr Gerät und versuchen Sie es dann erneut!</translation>
    </message>
    <message>
        <source>%1 could not be copied from the device.</source>
        <translation>%1 konnte nicht vom Gerät kopiert werden.</translation>
    </message>
    <message numerus="yes">
        <source>%n attachment(s) could not be copied from the device; the export names them.</source>
        <translation>
            <numerusform>%n Anhang konnte nicht vom Gerät kopiert werden; der Export nennt ihn.</numerusform>
            <numerusform>%n Anhänge konnten nicht vom Gerät kopiert werden; der Export nennt sie.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CMessagePages</name>
    <message>
        <source>All conversations</source>
        <translation>Alle Unterhaltungen</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Nachrichten</translation>
    </message>
    <message numerus="yes">
        <source>%n conversation(s)</source>
        <translation>
            <numerusform>%n Unterhaltung</numerusform>
            <numerusform>%n Unterhaltungen</numerusform>
        </translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Last message</source>
        <translation>Letzte Nachricht</translation>
    </message>
</context>
</TS>
