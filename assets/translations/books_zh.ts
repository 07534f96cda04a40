<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QiBookView</name>
    <message>
        <source>%1 book(s) could not be added to the device.</source>
        <translation>%1 本书无法添加到设备。</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Are you sure to delete the selected item(s)?</source>
        <translation>确定要删除所选项目吗？</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>导入文件</translation>
    </message>
    <message>
        <source>PDF Files(*.pdf);; EPUB Files(*.epub)</source>
        <translation>PDF 文件(*.pdf);; EPUB 文件(*.epub)</translation>
    </message>
    <message>
        <source>Please choose any of items to delete!</source>
        <translation>请选择要删除的项目！</translation>
    </message>
    <message>
        <source>Please choose one or more items first!</source>
        <translation>请先选择一个或多个项目！</translation>
    </message>
    <message>
        <source>Some books could not be deleted from the device!</source>
        <translation>部分图书无法从设备中删除！</translation>
    </message>
    <message>
        <source>To Computer</source>
        <translation>到电脑</translation>
    </message>
    <message>
        <source>To iTunes</source>
        <translation>到 iTunes</translation>
    </message>
    <message>
        <source>iBooks</source>
        <translation>iBooks</translation>
    </message>
</context>
<context>
    <name>QiBooksModel</name>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>作者</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Rating</source>
        <translation>评分</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大小</translation>
    </message>
</context>
</TS>
