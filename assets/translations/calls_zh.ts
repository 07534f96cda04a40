<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CDeviceTreeNodes</name>
    <message>
        <source>Call history</source>
        <translation>通话记录</translation>
    </message>
</context>
<context>
    <name>QBaseDetailsView</name>
    <message>
        <source>The call history cannot be read from this device yet.</source>
        <translation>暂时还无法从此设备读取通话记录。</translation>
    </message>
</context>
<context>
    <name>QCallsModel</name>
    <message>
        <source>Name or number</source>
        <translation>姓名或号码</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>时长</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>方向</translation>
    </message>
    <message>
        <source>Answered</source>
        <translation>已接听</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Outgoing</source>
        <translation>呼出</translation>
    </message>
    <message>
        <source>Incoming</source>
        <translation>呼入</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>Missed</source>
        <translation>未接</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>电话</translation>
    </message>
    <message>
        <source>FaceTime Audio</source>
        <translation>FaceTime 语音</translation>
    </message>
    <message>
        <source>FaceTime Video</source>
        <translation>FaceTime 视频</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>其他</translation>
    </message>
</context>
<context>
    <name>QCallsView</name>
    <message>
        <source>Call history</source>
        <translation>通话记录</translation>
    </message>
    <message>
        <source>There are no calls in the call history of this device.</source>
        <translation>此设备的通话记录中没有通话。</translation>
    </message>
    <message>
        <source>The call history could not be read from the device.</source>
        <translation>无法从设备读取通话记录。</translation>
    </message>
    <message>
        <source>No calls can be read until the backups of this device are encrypted.</source>
        <translation>在此设备的备份加密之前，无法读取通话。</translation>
    </message>
</context>
</TS>
