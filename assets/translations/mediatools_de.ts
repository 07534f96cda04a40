<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CExportCommand</name>
    <message>
        <source>songs and videos are not kept in a backup: a phone leaves the songs and videos a computer synced to it out of its backups; export them from the device with -u UDID</source>
        <translation>Lieder und Videos sind in keiner Sicherung enthalten: ein Telefon lässt die Lieder und Videos, die ein Computer darauf synchronisiert hat, aus seinen Sicherungen heraus; exportieren Sie sie mit -u UDID vom Gerät</translation>
    </message>
    <message>
        <source>books are not kept in a backup: a phone leaves the books a computer gave it out of its backups; export them from the device with -u UDID</source>
        <translation>Bücher sind in keiner Sicherung enthalten: ein Telefon lässt die Bücher, die ein Computer darauf kopiert hat, aus seinen Sicherungen heraus; exportieren Sie sie mit -u UDID vom Gerät</translation>
    </message>
</context>
<context>
    <name>CHeicToJpegTool</name>
    <message>
        <source>HEIC to JPEG</source>
        <translation>HEIC in JPEG</translation>
    </message>
    <message>
        <source>Choose Pictures...</source>
        <translation>Bilder auswählen...</translation>
    </message>
    <message>
        <source>Choose a Folder...</source>
        <translation>Ordner auswählen...</translation>
    </message>
    <message>
        <source>HEIC Pictures(*.heic *.heif *.HEIC *.HEIF)</source>
        <translation>HEIC-Bilder(*.heic *.heif *.HEIC *.HEIF)</translation>
    </message>
    <message>
        <source>There are no HEIC pictures there.</source>
        <translation>Dort gibt es keine HEIC-Bilder.</translation>
    </message>
    <message>
        <source>Save the JPEG pictures in</source>
        <translation>JPEG-Bilder speichern in</translation>
    </message>
    <message numerus="yes">
        <source>%n picture(s) were converted to JPEG in %1.</source>
        <translation>
            <numerusform>%n Bild wurde in %1 als JPEG gespeichert.</numerusform>
            <numerusform>%n Bilder wurden in %1 als JPEG gespeichert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n picture(s) could not be read and were skipped.</source>
        <translation>
            <numerusform>%n Bild konnte nicht gelesen werden und wurde übersprungen.</numerusform>
            <numerusform>%n Bilder konnten nicht gelesen werden und wurden übersprungen.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CReadOnlyPage</name>
    <message numerus="yes">
        <source>%n book(s) could not be read: their files are not on the device.</source>
        <translation>
            <numerusform>%n Buch konnte nicht gelesen werden: seine Datei ist nicht auf dem Gerät.</numerusform>
            <numerusform>%n Bücher konnten nicht gelesen werden: ihre Dateien sind nicht auf dem Gerät.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) of the media library could not be read: their files are not on the device.</source>
        <translation>
            <numerusform>%n Titel der Mediathek konnte nicht gelesen werden: seine Datei ist nicht auf dem Gerät.</numerusform>
            <numerusform>%n Titel der Mediathek konnten nicht gelesen werden: ihre Dateien sind nicht auf dem Gerät.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QHeicConvertAction</name>
    <message>
        <source>Converting %1 of %2</source>
        <translation>Bild %1 von %2 wird umgewandelt</translation>
    </message>
</context>
<context>
    <name>ToolWidget</name>
    <message>
        <source>HEIC to JPEG</source>
        <translation>HEIC in JPEG</translation>
    </message>
</context>
</TS>
