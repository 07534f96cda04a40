<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ConnectWidget</name>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp"/>
        <source>Plug your iPhone, iPad or iPod in by cable and unlock it. It appears here as soon as the computer&apos;s device service (usbmuxd) has started.</source>
        <translation>请用数据线连接您的 iPhone、iPad 或 iPod 并解锁。电脑的设备服务 (usbmuxd) 启动后，设备就会显示在这里。</translation>
    </message>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp"/>
        <source>The device service usbmuxd is not installed on this computer. Install the Debian package &quot;usbmuxd&quot; (sudo apt install usbmuxd), then plug your device in and unlock it.</source>
        <translation>此电脑未安装设备服务 usbmuxd。请安装 Debian 软件包“usbmuxd”(sudo apt install usbmuxd)，然后连接设备并解锁。</translation>
    </message>
</context>
<context>
    <name>QOperatePanel</name>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>缩略图</translation>
    </message>
    <message>
        <source>List</source>
        <translation>列表</translation>
    </message>
</context>
<context>
    <name>ContactGroupNames</name>
    <message>
        <source>Friend</source>
        <translation>朋友</translation>
    </message>
    <message>
        <source>Family</source>
        <translation>家人</translation>
    </message>
    <message>
        <source>Ungrouped</source>
        <translation>未分组</translation>
    </message>
    <message>
        <source>Classmate</source>
        <translation>同学</translation>
    </message>
</context>
<context>
    <name>PhotoAlbumNames</name>
    <message>
        <source>Camera Roll</source>
        <translation>相机胶卷</translation>
    </message>
    <message>
        <source>Photo Libary</source>
        <translation>照片图库</translation>
    </message>
</context>
</TS>
