<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QAddDataWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QAddDataWidget.cpp" line="37"/>
        <source>QAddDataWidget::setLabelImage, this image name is invalid %1, please re-install!</source>
        <translation>QAddDataWidget::setLabelImage: Der Bildname %1 ist ungültig, bitte installieren Sie das Programm neu!</translation>
    </message>
</context>
<context>
    <name>QBaseDetailsView</name>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp" line="300"/>
        <source>Entries</source>
        <translation>Einträge</translation>
    </message>
</context>
<context>
    <name>QContactStatusPanel</name>
    <message>
        <location filename="../../src/VexaDetails/QContactStatusPanel.cpp" line="16"/>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/QContactStatusPanel.cpp" line="18"/>
        <source>Transfer</source>
        <translation>Übertragen</translation>
    </message>
</context>
<context>
    <name>QOperatePanel</name>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="53"/>
        <source>QOperatePanel::InitControls can&apos;t find btn image, please reinstall software</source>
        <translation>QOperatePanel::InitControls: Schaltflächenbild nicht gefunden, bitte installieren Sie die Software neu</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="106"/>
        <source>QOperatePanel::setCustomFirst can&apos;t find btn image, please reinstall software</source>
        <translation>QOperatePanel::setCustomFirst: Schaltflächenbild nicht gefunden, bitte installieren Sie die Software neu</translation>
    </message>
</context>
<context>
    <name>QSearchWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QSearchWidget.cpp" line="36"/>
        <source>QSearchWidget::InitControls can&apos;t find btn image, please reinstall software</source>
        <translation>QSearchWidget::InitControls: Schaltflächenbild nicht gefunden, bitte installieren Sie die Software neu</translation>
    </message>
</context>
</TS>
