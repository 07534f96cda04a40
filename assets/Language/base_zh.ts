<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
