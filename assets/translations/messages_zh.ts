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
    <message>
        <source>%1 could not be copied from the device.</source>
        <translation>无法从设备复制 %1。</translation>
    </message>
    <message numerus="yes">
        <source>%n attachment(s) could not be copied from the device; the export names them.</source>
        <translation>
            <numerusform>%n 个附件无法从设备复制；导出文件中列出了它们的名称。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CMessagePages</name>
    <message>
        <source>All conversations</source>
        <translation>所有对话</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>信息</translation>
    </message>
    <message numerus="yes">
        <source>%n conversation(s)</source>
        <translation>
            <numerusform>%n 个对话</numerusform>
        </translation>
    </message>
    <message>
        <source>Name</source>
        <translation>姓名</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>号码</translation>
    </message>
    <message>
        <source>Last message</source>
        <translation>最后一条信息</translation>
    </message>
</context>
</TS>
