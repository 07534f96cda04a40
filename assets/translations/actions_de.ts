<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CActionStrategyDlg</name>
    <message>
        <location filename="../../src/actions/CActionStrategyDlg.cpp" line="124"/>
        <source>Are you sure to delete the selected item(s)?</source>
        <translation>Möchten Sie die ausgewählten Einträge wirklich löschen?</translation>
    </message>
    <message>
        <location filename="../../src/actions/CActionStrategyDlg.cpp" line="133"/>
        <source>Please choose any of items to delete!</source>
        <translation>Bitte wählen Sie die zu löschenden Einträge aus!</translation>
    </message>
    <message>
        <location filename="../../src/actions/CActionStrategyDlg.cpp" line="165"/>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <location filename="../../src/actions/CActionStrategyDlg.cpp" line="167"/>
        <source>Please wait....</source>
        <translation>Bitte warten....</translation>
    </message>
    <message>
        <location filename="../../src/actions/CActionStrategyDlg.cpp" line="169"/>
        <source>close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../../src/actions/CActionStrategyDlg.cpp" line="170"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
