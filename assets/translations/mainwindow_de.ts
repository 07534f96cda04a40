<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="de_DE">
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
        <translation>Über</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="148" />
        <location filename="../../src/app/MainWindow.cpp" line="233" />
        <source>Home</source>
        <translation>Startseite</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="149" />
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="150" />
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="152" />
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="154" />
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="156" />
        <source>Chinese</source>
        <translation>Chinesisch</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="228" />
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="230" />
        <source>Maximize</source>
        <translation>Maximieren</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="231" />
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="232" />
        <source>Minimize</source>
        <translation>Minimieren</translation>
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
        <translation>Version %1 Datum 2015-07-07</translation>
    </message>
    <message>
        <location filename="../../src/app/QAboutDlg.cpp" line="80" />
        <source>Website:</source>
        <translation>Website:</translation>
    </message>
    <message>
        <location filename="../../src/app/QAboutDlg.cpp" line="81" />
        <source>Copyright (C) 2015 Quorvane. All rights reserved. This program is protected by copyright law and international treaties.</source>
        <translation>Copyright (C) 2015 Quorvane. Alle Rechte vorbehalten. Dieses Programm ist durch Urheberrecht und internationale Verträge geschützt.</translation>
    </message>
    <message>
        <location filename="../../src/app/QAboutDlg.cpp" line="83" />
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../../src/app/QAboutDlg.cpp" line="84" />
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
</TS>