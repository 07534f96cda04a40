<?xml version='1.0' encoding='UTF-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CheckDownloadDlg</name>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="65"/>
        <source>Go to URL</source>
        <translation>Zur Webseite</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="72"/>
        <source>Retry</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="75"/>
        <source>After installing, the program will be compatible with iTunes 12.1 automatically.</source>
        <translation>Nach der Installation ist das Programm automatisch mit iTunes 12.1 kompatibel.</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="94"/>
        <source>Restart</source>
        <translation>Neu starten</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="110"/>
        <source>Unable to save the file %1: %2.</source>
        <translation>Die Datei %1 kann nicht gespeichert werden: %2.</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="117"/>
        <source>Current downloading: </source>
        <translation>Wird heruntergeladen: </translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="192"/>
        <source>Download failed: %1.</source>
        <translation>Download fehlgeschlagen: %1.</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="199"/>
        <source>Too many redirects</source>
        <translation>Zu viele Weiterleitungen</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="202"/>
        <source>Redirect to %1 ?</source>
        <translation>Weiterleiten zu %1?</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="230"/>
        <source>This will restart in </source>
        <translation>Das Programm startet neu in </translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="230"/>
        <source> seconds.</source>
        <translation> Sekunden.</translation>
    </message>
</context>
<context>
    <name>ErrorNoteDlg</name>
    <message>
        <location filename="../../src/app/ErrorNoteDlg.cpp" line="57"/>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <location filename="../../src/app/ErrorNoteDlg.cpp" line="61"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="20"/>
        <source>Vexa Transfer</source>
        <translation>Vexa Transfer</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../../src/app/main.cpp" line="36"/>
        <source>No iTunes is installed on this computer. Please install it first. The drive containing the installation package of iTunes will be used when scanning your device. Go to Apple official website to download iTunes.</source>
        <translation>Auf diesem Computer ist kein iTunes installiert. Bitte installieren Sie es zuerst. Der Treiber aus dem iTunes-Installationspaket wird benötigt, um Ihr Gerät zu erkennen. Laden Sie iTunes von der offiziellen Apple-Website herunter.</translation>
    </message>
</context>
</TS>