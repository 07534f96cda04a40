<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QAppStatusPanel</name>
    <message>
        <source>Uninstall</source>
        <translation>Deinstallieren</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>Documents</source>
        <translation>Dokumente</translation>
    </message>
</context>
<context>
    <name>QAppsView</name>
    <message>
        <source>Apps</source>
        <translation>Apps</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>Datei importieren</translation>
    </message>
    <message>
        <source>Apps(*.ipa *.pxl)</source>
        <translation>Apps(*.ipa *.pxl)</translation>
    </message>
    <message>
        <source>Apps(*.ipa)</source>
        <translation>Apps(*.ipa)</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <source>Are you sure you want to uninstall the application?</source>
        <translation>Möchten Sie die App wirklich deinstallieren?</translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation>Deinstallieren</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>Back app</source>
        <translation>App sichern</translation>
    </message>
    <message>
        <source>Backup app(Contains the document)</source>
        <translation>App sichern (mit Dokumenten)</translation>
    </message>
    <message>
        <source>Backup successfully!</source>
        <translation>Sicherung erfolgreich!</translation>
    </message>
    <message>
        <source>Backup App failed!</source>
        <translation>Sicherung der App fehlgeschlagen!</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Write playlist error!</source>
        <translation>Fehler beim Schreiben der Wiedergabeliste!</translation>
    </message>
    <message>
        <source>Parse playlist error!</source>
        <translation>Fehler beim Lesen der Wiedergabeliste!</translation>
    </message>
    <message>
        <source>Revice playlist error!</source>
        <translation>Fehler beim Ändern der Wiedergabeliste!</translation>
    </message>
    <message>
        <source>Put file error!</source>
        <translation>Fehler beim Übertragen der Datei!</translation>
    </message>
    <message>
        <source>Get file error!</source>
        <translation>Fehler beim Abrufen der Datei!</translation>
    </message>
    <message>
        <source>Install app error!</source>
        <translation>Fehler beim Installieren der App!</translation>
    </message>
    <message>
        <source>Install app failed! Your system version is too low!</source>
        <translation>Installation fehlgeschlagen! Ihre Systemversion ist zu alt!</translation>
    </message>
    <message>
        <source>Uninstall app failed!</source>
        <translation>Deinstallation der App fehlgeschlagen!</translation>
    </message>
    <message>
        <source>Close archive error!</source>
        <translation>Fehler beim Schließen des Archivs!</translation>
    </message>
    <message>
        <source>Get app number failed! Please refresh!</source>
        <translation>Die Anzahl der Apps konnte nicht gelesen werden! Bitte aktualisieren!</translation>
    </message>
    <message>
        <source>Get app icon failed! Please refresh!</source>
        <translation>Die App-Symbole konnten nicht gelesen werden! Bitte aktualisieren!</translation>
    </message>
    <message>
        <source>file loading...</source>
        <translation>Datei wird geladen...</translation>
    </message>
    <message>
        <source>Access to information...</source>
        <translation>Informationen werden gelesen...</translation>
    </message>
    <message>
        <source>installing...</source>
        <translation>Wird installiert...</translation>
    </message>
    <message>
        <source>Unstalling...</source>
        <translation>Wird deinstalliert...</translation>
    </message>
    <message>
        <source>Please wait for the refresh...</source>
        <translation>Bitte warten, die Liste wird aktualisiert...</translation>
    </message>
</context>
<context>
    <name>QAppsViewModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>AppSize</source>
        <translation>App-Größe</translation>
    </message>
    <message>
        <source>File Size</source>
        <translation>Dateigröße</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
</TS>
