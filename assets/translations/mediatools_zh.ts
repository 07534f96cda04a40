<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CExportCommand</name>
    <message>
        <source>songs and videos are not kept in a backup: a phone leaves the songs and videos a computer synced to it out of its backups; export them from the device with -u UDID</source>
        <translation>歌曲和视频不在备份中：手机的备份不包含电脑同步到手机上的歌曲和视频；请用 -u UDID 从设备导出</translation>
    </message>
    <message>
        <source>books are not kept in a backup: a phone leaves the books a computer gave it out of its backups; export them from the device with -u UDID</source>
        <translation>书籍不在备份中：手机的备份不包含电脑拷贝到手机上的书籍；请用 -u UDID 从设备导出</translation>
    </message>
</context>
<context>
    <name>CHeicToJpegTool</name>
    <message>
        <source>HEIC to JPEG</source>
        <translation>HEIC 转 JPEG</translation>
    </message>
    <message>
        <source>Choose Pictures...</source>
        <translation>选择图片...</translation>
    </message>
    <message>
        <source>Choose a Folder...</source>
        <translation>选择文件夹...</translation>
    </message>
    <message>
        <source>HEIC Pictures(*.heic *.heif *.HEIC *.HEIF)</source>
        <translation>HEIC 图片(*.heic *.heif *.HEIC *.HEIF)</translation>
    </message>
    <message>
        <source>There are no HEIC pictures there.</source>
        <translation>那里没有 HEIC 图片。</translation>
    </message>
    <message>
        <source>Save the JPEG pictures in</source>
        <translation>JPEG 图片保存到</translation>
    </message>
    <message numerus="yes">
        <source>%n picture(s) were converted to JPEG in %1.</source>
        <translation>
            <numerusform>%n 张图片已转换为 JPEG，保存在 %1。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n picture(s) could not be read and were skipped.</source>
        <translation>
            <numerusform>%n 张图片无法读取，已跳过。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CReadOnlyPage</name>
    <message numerus="yes">
        <source>%n book(s) could not be read: their files are not on the device.</source>
        <translation>
            <numerusform>%n 本书无法读取：文件不在设备上。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) of the media library could not be read: their files are not on the device.</source>
        <translation>
            <numerusform>媒体库中有 %n 项无法读取：文件不在设备上。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QHeicConvertAction</name>
    <message>
        <source>Converting %1 of %2</source>
        <translation>正在转换第 %1 张，共 %2 张</translation>
    </message>
</context>
<context>
    <name>ToolWidget</name>
    <message>
        <source>HEIC to JPEG</source>
        <translation>HEIC 转 JPEG</translation>
    </message>
</context>
</TS>
