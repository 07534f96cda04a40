<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QProgressDlg</name>
    <message>
        <location filename="../../src/actions/QProgressDlg.cpp" line="+123"/>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please wait....</source>
        <translation>Bitte warten....</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>x</source>
        <translation>x</translation>
    </message>
</context>
</TS>
