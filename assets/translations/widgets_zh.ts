<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QMessageDlg</name>
    <message>
        <location filename="../../src/widgets/QMessageDlg.cpp" line="54"/>
        <source>Restart</source>
        <translation>重新启动</translation>
    </message>
    <message>
        <location filename="../../src/widgets/QMessageDlg.cpp" line="56"/>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <location filename="../../src/widgets/QMessageDlg.cpp" line="56"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../../src/widgets/QMessageDlg.cpp" line="61"/>
        <source>Restart later</source>
        <translation>稍后重启</translation>
    </message>
    <message>
        <location filename="../../src/widgets/QMessageDlg.cpp" line="63"/>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <location filename="../../src/widgets/QMessageDlg.cpp" line="63"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../../src/widgets/QMessageDlg.cpp" line="104"/>
        <source>Vexa Transfer</source>
        <translation>Vexa Transfer</translation>
    </message>
</context>
<context>
    <name>QWaitDlg</name>
    <message>
        <location filename="../../src/widgets/QWaitDlg.cpp" line="27"/>
        <source>Please wait...</source>
        <translation>请稍候...</translation>
    </message>
</context>
<context>
    <name>CDesktopOpen</name>
    <message>
        <location filename="../../src/widgets/CDesktopOpen.cpp"/>
        <source>No program could be started to open %1.
Please open it yourself.</source>
        <translation>无法启动任何程序来打开 %1。
请手动打开。</translation>
    </message>
    <message>
        <location filename="../../src/widgets/CDesktopOpen.cpp"/>
        <source>Exported to %1.
Do you want to open the folder that holds it?</source>
        <translation>已导出到 %1。
要打开其所在的文件夹吗？</translation>
    </message>
    <message>
        <location filename="../../src/widgets/CDesktopOpen.cpp"/>
        <source>Exported into the folder %1.
Do you want to open it?</source>
        <translation>已导出到文件夹 %1。
要打开它吗？</translation>
    </message>
</context>
<context>
    <name>ReadOnlyNotice</name>
    <message>
        <location filename="../../src/widgets/ReadOnlyNotice.cpp"/>
        <source>This is a backup: its content can be viewed and exported, but not changed.</source>
        <translation>这是一个备份：其内容可以查看和导出，但不能更改。</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ReadOnlyNotice.cpp"/>
        <source>Photos can be copied off the device here, and added on the phone itself.</source>
        <translation>照片可以在这里从设备复制出来，添加照片请在手机上操作。</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ReadOnlyNotice.cpp"/>
        <source>Songs and videos can be copied off the device here. Adding or deleting them needs the phone's own sync, which this program does not offer.</source>
        <translation>歌曲和视频可以在这里从设备复制出来。添加或删除它们需要手机自身的同步功能，本程序不提供该功能。</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ReadOnlyNotice.cpp"/>
        <source>Books can be copied off the device here, and added on the phone itself.</source>
        <translation>图书可以在这里从设备复制出来，添加图书请在手机上操作。</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ReadOnlyNotice.cpp"/>
        <source>Read from a copy of the device's data. Changes are made on the phone itself.</source>
        <translation>读取自设备数据的副本。更改请在手机上进行。</translation>
    </message>
</context>
</TS>
