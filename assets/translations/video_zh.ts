<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QVideoView</name>
    <message>
        <source>The video list could not be read from the device.</source>
        <translation>无法从设备读取视频列表。</translation>
    </message>
    <message>
        <source>Video Files(*.asf *.wm *.wmp *.wmv *.rm *.rmvb *.mpg *.mpeg *.mpe *.m1v *.m2v *.vob *.ts *.mp4 *.m4v *.flv *.f4v *.avi *.mkv *.mov *.3gp *.webm)</source>
        <translation>视频文件(*.asf *.wm *.wmp *.wmv *.rm *.rmvb *.mpg *.mpeg *.mpe *.m1v *.m2v *.vob *.ts *.mp4 *.m4v *.flv *.f4v *.avi *.mkv *.mov *.3gp *.webm)</translation>
    </message>
    <message>
        <source>Windows Media(*.asf *.wm *.wmp *.wmv *.avi)</source>
        <translation>Windows 媒体(*.asf *.wm *.wmp *.wmv *.avi)</translation>
    </message>
    <message>
        <source>Real Media(*.rm *.rmvb)</source>
        <translation>Real 媒体(*.rm *.rmvb)</translation>
    </message>
    <message>
        <source>MPEG(*.mpg *.mpeg *.mpe *.m1v *.m2v *.vob *.ts *.mp4 *.m4v)</source>
        <translation>MPEG 视频(*.mpg *.mpeg *.mpe *.m1v *.m2v *.vob *.ts *.mp4 *.m4v)</translation>
    </message>
    <message>
        <source>Flash Video(*.flv *.f4v)</source>
        <translation>Flash 视频(*.flv *.f4v)</translation>
    </message>
    <message>
        <source>Other Media(*.mkv *.mov *.3gp *.webm)</source>
        <translation>其他媒体(*.mkv *.mov *.3gp *.webm)</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>导入文件</translation>
    </message>
    <message>
        <source>The working folder %1 could not be created.</source>
        <translation>无法创建工作文件夹 %1。</translation>
    </message>
    <message>
        <source>These files are not videos or could not be converted; they were not added:
%1</source>
        <translation>以下文件不是视频或无法转换，未被添加：
%1</translation>
    </message>
    <message>
        <source>CDB file is not find! please open the iTunes to repair!</source>
        <translation>找不到 CDB 文件！请打开 iTunes 进行修复！</translation>
    </message>
    <message>
        <source>CDB file was damaged, please open the iTunes to repair!</source>
        <translation>CDB 文件已损坏，请打开 iTunes 进行修复！</translation>
    </message>
    <message>
        <source>Add video failed!</source>
        <translation>添加视频失败！</translation>
    </message>
    <message>
        <source>Please choose one or more items first!</source>
        <translation>请先选择一个或多个项目！</translation>
    </message>
    <message>
        <source>The temporary folder for the drag could not be created.</source>
        <translation>无法创建拖放所需的临时文件夹。</translation>
    </message>
    <message>
        <source>Some videos could not be copied from the device.</source>
        <translation>部分视频无法从设备复制。</translation>
    </message>
    <message>
        <source>To Computer</source>
        <translation>导出到电脑</translation>
    </message>
    <message>
        <source>To iTunes</source>
        <translation>导出到 iTunes</translation>
    </message>
    <message>
        <source>Add Video</source>
        <translation>添加视频</translation>
    </message>
    <message>
        <source>Delete Video</source>
        <translation>删除视频</translation>
    </message>
    <message>
        <source>There are no videos on the device.</source>
        <translation>设备上没有视频。</translation>
    </message>
</context>
<context>
    <name>QVideoPlayModel</name>
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
        <source>Format</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>MPEG-4 video file</source>
        <translation>MPEG-4 视频文件</translation>
    </message>
    <message>
        <source>QuickTime movie file</source>
        <translation>QuickTime 影片文件</translation>
    </message>
</context>
<context>
    <name>QConverVideoDlg</name>
    <message>
        <source>Calculating....</source>
        <translation>正在计算....</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>正在转换</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Time remaining</source>
        <translation>剩余时间</translation>
    </message>
    <message>
        <source>Total time</source>
        <translation>已用时间</translation>
    </message>
    <message>
        <source>Are you sure to cancel video transfer?</source>
        <translation>确定要取消视频传输吗？</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>PlayBtnWidget</name>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>上一个</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>后退</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>快进</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一个</translation>
    </message>
    <message>
        <source>Play list</source>
        <translation>播放列表</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>全屏</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
</context>
<context>
    <name>PlayListWidget</name>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>全部删除</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Copying %1 ...</source>
        <translation>正在复制 %1 ...</translation>
    </message>
    <message>
        <source>Can't play</source>
        <translation>无法播放</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Video Files(*.mp4 *.m4v *.mov *.avi *.mkv *.wmv *.flv *.mpg *.webm)</source>
        <translation>视频文件(*.mp4 *.m4v *.mov *.avi *.mkv *.wmv *.flv *.mpg *.webm)</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>播放器</translation>
    </message>
</context>
</TS>
