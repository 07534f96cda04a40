<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="zh_CN">
<context>
    <name>QAddDataWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QAddDataWidget.cpp" line="37" />
        <source>QAddDataWidget::setLabelImage, this image name is invalid %1, please re-install!</source>
        <translation>QAddDataWidget::setLabelImage：图片名称 %1 无效，请重新安装！</translation>
    </message>
</context>
<context>
    <name>QAppsView</name>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="10" />
        <source>Apps</source>
        <translation>应用</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="14" />
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="14" />
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="14" />
        <source>Size</source>
        <translation>大小</translation>
    </message>
</context>
<context>
    <name>QBaseDetailsView</name>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp" line="300" />
        <source>Entries</source>
        <translation>条目</translation>
    </message>
</context>
<context>
    <name>QContactStatusPanel</name>
    <message>
        <location filename="../../src/VexaDetails/QContactStatusPanel.cpp" line="16" />
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/QContactStatusPanel.cpp" line="18" />
        <source>Transfer</source>
        <translation>传输</translation>
    </message>
</context>
<context>
    <name>QContactsView</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="10" />
        <source>Contacts</source>
        <translation>联系人</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="14" />
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="14" />
        <source>Phone</source>
        <translation>电话</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="14" />
        <source>E-mail</source>
        <translation>电子邮件</translation>
    </message>
</context>
<context>
    <name>QMusicView</name>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="10" />
        <source>Music</source>
        <translation>音乐</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14" />
        <source>Title</source>
        <translation>标题</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14" />
        <source>Artist</source>
        <translation>艺术家</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14" />
        <source>Album</source>
        <translation>专辑</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14" />
        <source>Duration</source>
        <translation>时长</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14" />
        <source>Size</source>
        <translation>大小</translation>
    </message>
</context>
<context>
    <name>QOperatePanel</name>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="53" />
        <source>QOperatePanel::InitControls can't find btn image, please reinstall software</source>
        <translation>QOperatePanel::InitControls 找不到按钮图片，请重新安装软件</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="106" />
        <source>QOperatePanel::setCustomFirst can't find btn image, please reinstall software</source>
        <translation>QOperatePanel::setCustomFirst 找不到按钮图片，请重新安装软件</translation>
    </message>
</context>
<context>
    <name>QPhotoView</name>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="10" />
        <source>Photos</source>
        <translation>照片</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14" />
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14" />
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14" />
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14" />
        <source>Dimensions</source>
        <translation>尺寸</translation>
    </message>
</context>
<context>
    <name>QPlayListView</name>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="10" />
        <source>Playlist</source>
        <translation>播放列表</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14" />
        <source>Title</source>
        <translation>标题</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14" />
        <source>Artist</source>
        <translation>艺术家</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14" />
        <source>Album</source>
        <translation>专辑</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14" />
        <source>Duration</source>
        <translation>时长</translation>
    </message>
</context>
<context>
    <name>QSearchWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QSearchWidget.cpp" line="36" />
        <source>QSearchWidget::InitControls can't find btn image, please reinstall software</source>
        <translation>QSearchWidget::InitControls 找不到按钮图片，请重新安装软件</translation>
    </message>
</context>
<context>
    <name>QSystemView</name>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="10" />
        <source>System</source>
        <translation>系统</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14" />
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14" />
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14" />
        <source>Modified</source>
        <translation>修改时间</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14" />
        <source>Type</source>
        <translation>类型</translation>
    </message>
</context>
<context>
    <name>QVideoView</name>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="10" />
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14" />
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14" />
        <source>Duration</source>
        <translation>时长</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14" />
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14" />
        <source>Format</source>
        <translation>格式</translation>
    </message>
</context>
<context>
    <name>QiBookView</name>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="10" />
        <source>iBooks</source>
        <translation>iBooks</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14" />
        <source>Title</source>
        <translation>标题</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14" />
        <source>Author</source>
        <translation>作者</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14" />
        <source>Format</source>
        <translation>格式</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14" />
        <source>Size</source>
        <translation>大小</translation>
    </message>
</context>
<context>
    <name>qmessageView</name>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="10" />
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14" />
        <source>Messages</source>
        <translation>信息</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14" />
        <source>Contact</source>
        <translation>联系人</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14" />
        <source>Number</source>
        <translation>号码</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14" />
        <source>Last message</source>
        <translation>最后一条信息</translation>
    </message>
</context>
</TS>