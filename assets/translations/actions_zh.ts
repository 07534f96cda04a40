<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CActionStrategyDlg</name>
    <message>
        <location filename="../../src/actions/CActionStrategyDlg.cpp" line="124"/>
        <source>Are you sure to delete the selected item(s)?</source>
        <translation>确定要删除所选项目吗？</translation>
    </message>
    <message>
        <location filename="../../src/actions/CActionStrategyDlg.cpp" line="133"/>
        <source>Please choose any of items to delete!</source>
        <translation>请选择要删除的项目！</translation>
    </message>
    <message>
        <location filename="../../src/actions/CActionStrategyDlg.cpp" line="165"/>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <location filename="../../src/actions/CActionStrategyDlg.cpp" line="167"/>
        <source>Please wait....</source>
        <translation>请稍候....</translation>
    </message>
    <message>
        <location filename="../../src/actions/CActionStrategyDlg.cpp" line="169"/>
        <source>close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location filename="../../src/actions/CActionStrategyDlg.cpp" line="170"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
</TS>
