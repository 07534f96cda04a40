<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CPhotoSerialDlg</name>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <location filename="../../src/serial/CPhotoSerialDlg.cpp" line="+175"/>
        <source>Importing %1</source>
        <translation>正在导入 %1</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 file(s) could not be copied.</source>
        <translation>%1 个文件无法复制。</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please wait....</source>
        <translation>请稍候....</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CPhotoSerialThread</name>
    <message>
        <location filename="../../src/serial/CPhotoSerialThread.cpp" line="+52"/>
        <source>Copying files to %1</source>
        <translation>正在将文件复制到 %1</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>%1 file(s) could not be copied.</source>
        <translation>%1 个文件无法复制。</translation>
    </message>
</context>
<context>
    <name>QFileFolderExport</name>
    <message>
        <location filename="../../src/serial/QFileFolderExport.cpp" line="+19"/>
        <source>Please choose one or more items first!</source>
        <translation>请先选择一个或多个项目！</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Save File</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The folder %1 could not be created.</source>
        <translation>无法创建文件夹 %1。</translation>
    </message>
</context>
</TS>
