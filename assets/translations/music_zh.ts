<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AddItemDlg</name>
    <message>
        <source>Copying</source>
        <translation>正在复制</translation>
    </message>
</context>
<context>
    <name>CMediaFileAdd</name>
    <message>
        <source>CDB file is not find! please open the iTunes to repair!</source>
        <translation>找不到 CDB 文件！请打开 iTunes 进行修复！</translation>
    </message>
    <message>
        <source>CDB file was damaged, please open the iTunes to repair!</source>
        <translation>CDB 文件已损坏，请打开 iTunes 进行修复！</translation>
    </message>
    <message>
        <source>Add musci fialed!</source>
        <translation>添加音乐失败！</translation>
    </message>
</context>
<context>
    <name>QMusicPlayListModel</name>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时长</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>艺术家</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>专辑</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>MPEG audio file</source>
        <translation>MPEG 音频文件</translation>
    </message>
    <message>
        <source>AAC audio file</source>
        <translation>AAC 音频文件</translation>
    </message>
    <message>
        <source>AAC audio book file</source>
        <translation>AAC 有声书文件</translation>
    </message>
</context>
<context>
    <name>QMusicView</name>
    <message>
        <source>Audio Files(*.mp3)</source>
        <translation>音频文件(*.mp3)</translation>
    </message>
    <message>
        <source>Get playlist failed</source>
        <translation>获取播放列表失败</translation>
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
        <source>Add Music</source>
        <translation>添加音乐</translation>
    </message>
    <message>
        <source>Delete Music</source>
        <translation>删除音乐</translation>
    </message>
</context>
<context>
    <name>QPlayAnalysisTread</name>
    <message>
        <source>You can't delete the default playlist!</source>
        <translation>不能删除默认播放列表！</translation>
    </message>
    <message>
        <source>Get playlist failed</source>
        <translation>获取播放列表失败</translation>
    </message>
    <message>
        <source>Dele Playlist failed!</source>
        <translation>删除播放列表失败！</translation>
    </message>
    <message>
        <source>Add playlist failed!</source>
        <translation>添加播放列表失败！</translation>
    </message>
</context>
<context>
    <name>QPlayListNameDlg</name>
    <message>
        <source>New Playlist</source>
        <translation>新建播放列表</translation>
    </message>
    <message>
        <source>Please enter a name for the playlist.</source>
        <translation>请输入播放列表的名称。</translation>
    </message>
    <message>
        <source>A playlist name can have at most %1 characters.</source>
        <translation>播放列表名称最多只能有 %1 个字符。</translation>
    </message>
    <message>
        <source>A playlist named &quot;%1&quot; already exists.</source>
        <translation>名为“%1”的播放列表已存在。</translation>
    </message>
    <message>
        <source>Playlist Name:</source>
        <translation>播放列表名称：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>QPlayListStatusPanel</name>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>To Computer</source>
        <translation>到电脑</translation>
    </message>
</context>
<context>
    <name>QPlayListView</name>
    <message>
        <source>Audio Files(*.mp3 *.m4a)</source>
        <translation>音频文件(*.mp3 *.m4a)</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>播放列表</translation>
    </message>
    <message>
        <source>To iTunes</source>
        <translation>到 iTunes</translation>
    </message>
    <message>
        <source>To Computer</source>
        <translation>到电脑</translation>
    </message>
    <message>
        <source>Add Music</source>
        <translation>添加音乐</translation>
    </message>
    <message>
        <source>Delete Music</source>
        <translation>删除音乐</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>To iDevices</source>
        <translation>到 iDevices</translation>
    </message>
</context>
<context>
    <name>QSongTableView</name>
    <message>
        <source>Can't play</source>
        <translation>无法播放</translation>
    </message>
    <message>
        <source>Please choose one or more items first!</source>
        <translation>请先选择一个或多个项目！</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>导入文件</translation>
    </message>
    <message>
        <source>There are no songs on the device.</source>
        <translation>设备上没有歌曲。</translation>
    </message>
</context>
<context>
    <name>QiTunesExport</name>
    <message>
        <source>No iTunes media folder was found.</source>
        <translation>未找到 iTunes 媒体文件夹。</translation>
    </message>
</context>
<context>
    <name>deleteitemDlg</name>
    <message>
        <source>Deleting</source>
        <translation>正在删除</translation>
    </message>
    <message>
        <source>Please choose any of items to delete!</source>
        <translation>请选择要删除的项目！</translation>
    </message>
    <message>
        <source>Are you sure to delete the selected item(s)?</source>
        <translation>确定要删除所选项目吗？</translation>
    </message>
    <message>
        <source>The selected item(s) could not be deleted from the device!</source>
        <translation>无法从设备中删除所选项目！</translation>
    </message>
</context>
</TS>
