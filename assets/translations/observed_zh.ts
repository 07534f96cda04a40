<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QProgressDlg</name>
    <message>
        <location filename="../../src/actions/QProgressDlg.cpp" line="+123"/>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please wait....</source>
        <translation>请稍候....</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>x</source>
        <translation>x</translation>
    </message>
</context>
</TS>
