<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QAppStatusPanel</name>
    <message>
        <source>Uninstall</source>
        <translation>卸载</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>Documents</source>
        <translation>文档</translation>
    </message>
</context>
<context>
    <name>QAppsView</name>
    <message>
        <source>Apps</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>导入文件</translation>
    </message>
    <message>
        <source>Apps(*.ipa *.pxl)</source>
        <translation>应用(*.ipa *.pxl)</translation>
    </message>
    <message>
        <source>Apps(*.ipa)</source>
        <translation>应用(*.ipa)</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>Are you sure you want to uninstall the application?</source>
        <translation>确定要卸载该应用吗？</translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation>卸载</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>Back app</source>
        <translation>备份应用</translation>
    </message>
    <message>
        <source>Backup app(Contains the document)</source>
        <translation>备份应用（包含文档）</translation>
    </message>
    <message>
        <source>Backup successfully!</source>
        <translation>备份成功！</translation>
    </message>
    <message>
        <source>Backup App failed!</source>
        <translation>备份应用失败！</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>Write playlist error!</source>
        <translation>写入播放列表出错！</translation>
    </message>
    <message>
        <source>Parse playlist error!</source>
        <translation>解析播放列表出错！</translation>
    </message>
    <message>
        <source>Revice playlist error!</source>
        <translation>修改播放列表出错！</translation>
    </message>
    <message>
        <source>Put file error!</source>
        <translation>上传文件出错！</translation>
    </message>
    <message>
        <source>Get file error!</source>
        <translation>获取文件出错！</translation>
    </message>
    <message>
        <source>Install app error!</source>
        <translation>安装应用出错！</translation>
    </message>
    <message>
        <source>Install app failed! Your system version is too low!</source>
        <translation>安装应用失败！您的系统版本过低！</translation>
    </message>
    <message>
        <source>Uninstall app failed!</source>
        <translation>卸载应用失败！</translation>
    </message>
    <message>
        <source>Close archive error!</source>
        <translation>关闭压缩包出错！</translation>
    </message>
    <message>
        <source>Get app number failed! Please refresh!</source>
        <translation>获取应用数量失败！请刷新！</translation>
    </message>
    <message>
        <source>Get app icon failed! Please refresh!</source>
        <translation>获取应用图标失败！请刷新！</translation>
    </message>
    <message>
        <source>file loading...</source>
        <translation>正在加载文件...</translation>
    </message>
    <message>
        <source>Access to information...</source>
        <translation>正在获取信息...</translation>
    </message>
    <message>
        <source>installing...</source>
        <translation>正在安装...</translation>
    </message>
    <message>
        <source>Unstalling...</source>
        <translation>正在卸载...</translation>
    </message>
    <message>
        <source>Please wait for the refresh...</source>
        <translation>请等待刷新...</translation>
    </message>
</context>
<context>
    <name>QAppsViewModel</name>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>AppSize</source>
        <translation>应用大小</translation>
    </message>
    <message>
        <source>File Size</source>
        <translation>文件大小</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
</context>
</TS>
