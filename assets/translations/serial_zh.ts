<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QRecordExportDialog</name>
    <message>
        <location filename="../../src/serial/QRecordExportDialog.cpp" line="34"/>
        <source>Save File</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <location filename="../../src/serial/QRecordExportDialog.cpp" line="49"/>
        <source>Please choose one or more items first!</source>
        <translation>请先选择一个或多个项目！</translation>
    </message>
    <message>
        <location filename="../../src/serial/QRecordExportDialog.cpp" line="42"/>
        <source>Export failed! %1 could not be written.</source>
        <translation>导出失败！无法写入 %1。</translation>
    </message>
    <message>
        <location filename="../../src/serial/QRecordExportDialog.cpp" line="60"/>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 已存在。
要替换它吗？</translation>
    </message>
</context>
</TS>
