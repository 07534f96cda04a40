<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QMessageModel</name>
    <message>
        <source>Name</source>
        <translation>姓名</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>号码</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
</context>
<context>
    <name>QPagedFlowViewerWidget</name>
    <message>
        <source>Select this page</source>
        <translation>选择本页</translation>
    </message>
    <message>
        <source>QPagedFlowViewerWidget::LoadImages can't find image, please re-install software</source>
        <translation>QPagedFlowViewerWidget::LoadImages 找不到图片，请重新安装软件</translation>
    </message>
</context>
<context>
    <name>qmessageView</name>
    <message>
        <source>Please unlock your device first, and then try again!</source>
        <translation>请先解锁您的设备，然后再试一次！</translation>
    </message>
</context>
</TS>
