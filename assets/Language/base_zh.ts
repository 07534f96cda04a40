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
    <message>
        <source>Favorites</source>
        <translation>个人收藏</translation>
    </message>
    <message>
        <source>Videos</source>
        <translation>视频</translation>
    </message>
    <message>
        <source>Live Photos</source>
        <translation>实况照片</translation>
    </message>
    <message>
        <source>Screenshots</source>
        <translation>截屏</translation>
    </message>
</context>
<context>
    <name>QBaseDetailsView</name>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Contacts cannot be read from this device yet.</source>
        <translation>暂时还无法从此设备读取联系人。</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Messages cannot be read from this device yet.</source>
        <translation>暂时还无法从此设备读取信息。</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Music cannot be read from this device yet.</source>
        <translation>暂时还无法从此设备读取音乐。</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Playlists cannot be read from this device yet.</source>
        <translation>暂时还无法从此设备读取播放列表。</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Videos cannot be read from this device yet.</source>
        <translation>暂时还无法从此设备读取视频。</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Photos cannot be read from this device yet.</source>
        <translation>暂时还无法从此设备读取照片。</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Books cannot be read from this device yet.</source>
        <translation>暂时还无法从此设备读取图书。</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>This content cannot be read from this device yet.</source>
        <translation>暂时还无法从此设备读取此内容。</translation>
    </message>
</context>
<context>
    <name>QSystemBrowser</name>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemBrowser.cpp"/>
        <source>Documents of the app %1</source>
        <translation>应用 %1 的文稿</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemBrowser.cpp"/>
        <source>Back to the device&apos;s files</source>
        <translation>返回设备的文件</translation>
    </message>
</context>
<context>
    <name>QSystemView</name>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp"/>
        <source>The entries were copied to %1.</source>
        <translation>项目已复制到 %1。</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp"/>
        <source>The folder %1 could not be created.</source>
        <translation>无法创建文件夹 %1。</translation>
    </message>
</context>
<context>
    <name>ResultReason</name>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The password is wrong.</source>
        <translation>密码错误。</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The device is locked or does not trust this computer: unlock it and try again.</source>
        <translation>设备已锁定或不信任此电脑：请解锁设备后重试。</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>There is not enough free space on the disk.</source>
        <translation>磁盘空间不足。</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The connection to the device was lost.</source>
        <translation>与设备的连接已断开。</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>A file could not be read or written.</source>
        <translation>无法读取或写入文件。</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The folder holds no readable backup.</source>
        <translation>该文件夹中没有可读取的备份。</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The device does not take this file.</source>
        <translation>设备不接受此文件。</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The device gave an answer this program cannot read.</source>
        <translation>设备返回了本程序无法读取的应答。</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>This content can be read here but not changed.</source>
        <translation>此内容在这里只能读取，不能更改。</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The folder path is too long or not valid.</source>
        <translation>文件夹路径过长或无效。</translation>
    </message>
</context>
<context>
    <name>CDeviceTransfer</name>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>Nothing to copy: the source device holds no contacts, photos, songs or books.</source>
        <translation>没有可复制的内容：源设备中没有联系人、照片、歌曲或图书。</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>Not yet readable from &quot;%1&quot;: %2.</source>
        <translation>暂时无法从“%1”读取：%2。</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>Not yet writable to &quot;%1&quot;: %2.</source>
        <translation>暂时无法写入“%1”：%2。</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>%1 and %2</source>
        <translation>%1和%2</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>&quot;%1&quot; takes no contacts, photos, music or books over the cable. Please choose another target device.</source>
        <translation>“%1”无法通过数据线接收联系人、照片、音乐或图书。请选择其他目标设备。</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>&quot;%1&quot; cannot take %2 over the cable; they will be left out.</source>
        <translation>“%1”无法通过数据线接收%2，这些内容将被跳过。</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>Left out because &quot;%1&quot; cannot take them over the cable: %2.</source>
        <translation>已跳过，因为“%1”无法通过数据线接收：%2。</translation>
    </message>
</context>
</TS>
