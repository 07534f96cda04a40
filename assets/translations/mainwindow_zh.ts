<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../src/app/MainWindow.ui" line="7" />
        <location filename="../../src/app/MainWindow.ui" line="44" />
        <location filename="../../src/app/MainWindow.cpp" line="227" />
        <source>Vexa Transfer</source>
        <translation>Vexa Transfer</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="147" />
        <location filename="../../src/app/MainWindow.cpp" line="229" />
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="148" />
        <location filename="../../src/app/MainWindow.cpp" line="233" />
        <source>Home</source>
        <translation>主页</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="149" />
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="150" />
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="152" />
        <source>English</source>
        <translation>英语</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="154" />
        <source>German</source>
        <translation>德语</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="156" />
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="228" />
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="230" />
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="231" />
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="232" />
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
</context>
<context>
    <name>QAboutDlg</name>
    <message>
        <location filename="../../src/app/QAboutDlg.cpp" line="76" />
        <location filename="../../src/app/QAboutDlg.cpp" line="77" />
        <source>Vexa Transfer</source>
        <translation>Vexa Transfer</translation>
    </message>
    <message>
        <location filename="../../src/app/QAboutDlg.cpp" line="78" />
        <source>Version %1 Date 2015-07-07</source>
        <translation>版本 %1 日期 2015-07-07</translation>
    </message>
    <message>
        <location filename="../../src/app/QAboutDlg.cpp" line="80" />
        <source>Website:</source>
        <translation>网站：</translation>
    </message>
    <message>
        <location filename="../../src/app/QAboutDlg.cpp" line="81" />
        <source>Copyright (C) 2015 Quorvane. All rights reserved. This program is protected by copyright law and international treaties.</source>
        <translation>版权所有 (C) 2015 Quorvane。保留所有权利。本程序受著作权法和国际条约保护。</translation>
    </message>
    <message>
        <location filename="../../src/app/QAboutDlg.cpp" line="83" />
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../../src/app/QAboutDlg.cpp" line="84" />
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
</TS>