<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QAddDataWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QAddDataWidget.cpp" line="37"/>
        <source>QAddDataWidget::setLabelImage, this image name is invalid %1, please re-install!</source>
        <translation>QAddDataWidget::setLabelImage：图片名称 %1 无效，请重新安装！</translation>
    </message>
</context>
<context>
    <name>QBaseDetailsView</name>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp" line="300"/>
        <source>Entries</source>
        <translation>条目</translation>
    </message>
</context>
<context>
    <name>QContactStatusPanel</name>
    <message>
        <location filename="../../src/VexaDetails/QContactStatusPanel.cpp" line="16"/>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/QContactStatusPanel.cpp" line="18"/>
        <source>Transfer</source>
        <translation>传输</translation>
    </message>
</context>
<context>
    <name>QOperatePanel</name>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="53"/>
        <source>QOperatePanel::InitControls can&apos;t find btn image, please reinstall software</source>
        <translation>QOperatePanel::InitControls 找不到按钮图片，请重新安装软件</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="106"/>
        <source>QOperatePanel::setCustomFirst can&apos;t find btn image, please reinstall software</source>
        <translation>QOperatePanel::setCustomFirst 找不到按钮图片，请重新安装软件</translation>
    </message>
</context>
<context>
    <name>QSearchWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QSearchWidget.cpp" line="36"/>
        <source>QSearchWidget::InitControls can&apos;t find btn image, please reinstall software</source>
        <translation>QSearchWidget::InitControls 找不到按钮图片，请重新安装软件</translation>
    </message>
</context>
</TS>
