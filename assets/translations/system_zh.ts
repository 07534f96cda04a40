<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QSystemModel</name>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>The entry &quot;%1&quot; could not be renamed.</source>
        <translation>无法重命名“%1”。</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Create Time</source>
        <translation>创建时间</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>请输入名称。</translation>
    </message>
    <message>
        <source>A name cannot contain &quot;/&quot; or a NUL character.</source>
        <translation>名称不能包含“/”或空字符。</translation>
    </message>
    <message>
        <source>&quot;.&quot; and &quot;..&quot; cannot be used as names.</source>
        <translation>不能使用“.”和“..”作为名称。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists in this folder.</source>
        <translation>此文件夹中已存在“%1”。</translation>
    </message>
</context>
<context>
    <name>QUploadDlg</name>
    <message>
        <source>Copy to Device</source>
        <translation>复制到设备</translation>
    </message>
    <message>
        <source>Copying files to the device...</source>
        <translation>正在将文件复制到设备...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>QSystemView</name>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Are you sure you want to delete (%1)?</source>
        <translation>确定要删除(%1)吗？</translation>
    </message>
    <message>
        <source>The entry &quot;%1&quot; could not be deleted.</source>
        <translation>无法删除“%1”。</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>新建文件夹</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; could not be created.</source>
        <translation>无法创建文件夹“%1”。</translation>
    </message>
    <message>
        <source>Copy to Device</source>
        <translation>复制到设备</translation>
    </message>
    <message>
        <source>There is nothing to copy: links and special files are not copied to the device.</source>
        <translation>没有可复制的内容：链接和特殊文件不会复制到设备。</translation>
    </message>
    <message>
        <source>Some items could not be copied to the device (%1 of %2).</source>
        <translation>部分项目无法复制到设备（%2 个中的 %1 个）。</translation>
    </message>
    <message>
        <source>The temporary folder for the drag could not be created.</source>
        <translation>无法创建拖放用的临时文件夹。</translation>
    </message>
    <message>
        <source>Some entries could not be copied from the device.</source>
        <translation>部分项目无法从设备复制。</translation>
    </message>
    <message>
        <source>The folder %1 could not be read.</source>
        <translation>无法读取文件夹 %1。</translation>
    </message>
    <message>
        <source>The documents of this app could not be opened.</source>
        <translation>无法打开此应用的文稿。</translation>
    </message>
</context>
</TS>
