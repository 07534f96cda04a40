<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CDroppedFiles</name>
    <message>
        <source>%1 dropped file(s) skipped: only %2 files can be added here.</source>
        <translation>已跳过 %1 个拖入的文件：此处只能添加 %2 文件。</translation>
    </message>
</context>
<context>
    <name>QRecordDrag</name>
    <message>
        <source>The temporary folder for the drag could not be created.</source>
        <translation>无法创建拖放用的临时文件夹。</translation>
    </message>
</context>
<context>
    <name>QBaseDetailsView</name>
    <message>
        <source>These items could not be copied from the device:</source>
        <translation>以下项目无法从设备复制：</translation>
    </message>
</context>
<context>
    <name>QAppsView</name>
    <message>
        <source>The device could not produce the package of these apps:</source>
        <translation>设备无法生成以下应用的安装包：</translation>
    </message>
</context>
</TS>
