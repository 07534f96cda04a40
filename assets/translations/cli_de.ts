<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CAppCommands</name>
    <message>
        <source>List the installed apps: bundle id, version, name.</source>
        <translation>Die installierten Apps auflisten: Bundle-ID, Version, Name.</translation>
    </message>
    <message>
        <source>Install an app from its .ipa file.</source>
        <translation>Eine App aus ihrer .ipa-Datei installieren.</translation>
    </message>
    <message>
        <source>Remove an installed app.</source>
        <translation>Eine installierte App entfernen.</translation>
    </message>
    <message>
        <source>the apps could not be listed</source>
        <translation>die Apps konnten nicht aufgelistet werden</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 ist keine Datei</translation>
    </message>
    <message>
        <source>%1 could not be installed</source>
        <translation>%1 konnte nicht installiert werden</translation>
    </message>
    <message>
        <source>%1 could not be removed</source>
        <translation>%1 konnte nicht entfernt werden</translation>
    </message>
</context>
<context>
    <name>CBackupCommands</name>
    <message>
        <source>a backup of this device into %1 is already running</source>
        <translation>eine Sicherung dieses Geräts nach %1 läuft bereits</translation>
    </message>
    <message>
        <source>Restore a backup folder onto the device.</source>
        <translation>Einen Sicherungsordner auf dem Gerät wiederherstellen.</translation>
    </message>
    <message>
        <source>The file that holds the backup&apos;s password.</source>
        <translation>Die Datei mit dem Passwort der Sicherung.</translation>
    </message>
    <message>
        <source>List the backups the program knows: its log and the folders added to it.</source>
        <translation>Die Sicherungen auflisten, die das Programm kennt: sein Protokoll und die hinzugefügten Ordner.</translation>
    </message>
    <message>
        <source>the folder %1 could not be made</source>
        <translation>der Ordner %1 konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>Backing up</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <source>cancelled; the earlier backup in %1 is unchanged</source>
        <translation>abgebrochen; die frühere Sicherung in %1 ist unverändert</translation>
    </message>
    <message>
        <source>the backup failed</source>
        <translation>die Sicherung ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 holds no readable backup</source>
        <translation>%1 enthält keine lesbare Sicherung</translation>
    </message>
    <message>
        <source>Restoring</source>
        <translation>Wiederherstellung</translation>
    </message>
    <message>
        <source>cancelled; the device is unchanged</source>
        <translation>abgebrochen; das Gerät ist unverändert</translation>
    </message>
    <message>
        <source>the restore failed</source>
        <translation>die Wiederherstellung ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>Back the whole device up into DIR/&lt;udid&gt;; a backup already there is brought up to date.</source>
        <translation>Das ganze Gerät nach DIR/&lt;udid&gt; sichern; eine Sicherung, die dort schon liegt, wird auf den neuesten Stand gebracht.</translation>
    </message>
    <message>
        <source>Copy every file, even when DIR/&lt;udid&gt; holds an earlier backup of the device (by default only the files changed since are copied).</source>
        <translation>Jede Datei kopieren, auch wenn DIR/&lt;udid&gt; schon eine frühere Sicherung des Geräts enthält (sonst werden nur die seitdem geänderten Dateien kopiert).</translation>
    </message>
    <message numerus="yes">
        <source>%n files copied (%1 bytes)</source>
        <translation>
            <numerusform>%n Datei kopiert (%1 Bytes)</numerusform>
            <numerusform>%n Dateien kopiert (%1 Bytes)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CBackupSource</name>
    <message numerus="yes">
        <source>%1 holds %n backups; name the folder of one: %2</source>
        <translation>
            <numerusform>%1 enthält %n Sicherung; nennen Sie den Ordner einer: %2</numerusform>
            <numerusform>%1 enthält %n Sicherungen; nennen Sie den Ordner einer davon: %2</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 holds no backup (no Manifest.db)</source>
        <translation>%1 enthält keine Sicherung (keine Manifest.db)</translation>
    </message>
    <message>
        <source>%1 holds no readable backup</source>
        <translation>%1 enthält keine lesbare Sicherung</translation>
    </message>
    <message>
        <source>the backup&apos;s password is wrong</source>
        <translation>das Passwort der Sicherung ist falsch</translation>
    </message>
    <message>
        <source>%1 could not be opened</source>
        <translation>%1 konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>the %1 could not be read from the backup</source>
        <translation>die %1 konnten nicht aus der Sicherung gelesen werden</translation>
    </message>
</context>
<context>
    <name>CCliContext</name>
    <message>
        <source>the device library could not start</source>
        <translation>die Gerätebibliothek konnte nicht starten</translation>
    </message>
</context>
<context>
    <name>CCliDevices</name>
    <message>
        <source>no device with the UDID %1 is plugged in</source>
        <translation>kein Gerät mit der UDID %1 ist angeschlossen</translation>
    </message>
    <message>
        <source>the device does not trust this computer yet: unlock it and tap &quot;Trust&quot;</source>
        <translation>das Gerät vertraut diesem Computer noch nicht: entsperren Sie es und tippen Sie auf „Vertrauen“</translation>
    </message>
    <message>
        <source>no device is plugged in</source>
        <translation>kein Gerät ist angeschlossen</translation>
    </message>
    <message numerus="yes">
        <source>%n devices are plugged in; name one with -u UDID: %1</source>
        <translation>
            <numerusform>%n Gerät ist angeschlossen; nennen Sie eines mit -u UDID: %1</numerusform>
            <numerusform>%n Geräte sind angeschlossen; nennen Sie eines mit -u UDID: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CCliFileExport</name>
    <message>
        <source>Copying</source>
        <translation>Kopieren</translation>
    </message>
</context>
<context>
    <name>CCliPhotoExport</name>
    <message>
        <source>the folder %1 could not be made</source>
        <translation>der Ordner %1 konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation>%1 konnte nicht geschrieben werden</translation>
    </message>
    <message numerus="yes">
        <source>%n entries could not be copied</source>
        <translation>
            <numerusform>%n Eintrag konnte nicht kopiert werden</numerusform>
            <numerusform>%n Einträge konnten nicht kopiert werden</numerusform>
        </translation>
    </message>
    <message>
        <source>the photos could not be read from the device</source>
        <translation>die Fotos konnten nicht vom Gerät gelesen werden</translation>
    </message>
    <message>
        <source>the photos could not be read from the backup</source>
        <translation>die Fotos konnten nicht aus der Sicherung gelesen werden</translation>
    </message>
    <message numerus="yes">
        <source>%n photo(s) could not be read from the device</source>
        <translation>
            <numerusform>%n Foto konnte nicht vom Gerät gelesen werden</numerusform>
            <numerusform>%n Fotos konnten nicht vom Gerät gelesen werden</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CCliProgram</name>
    <message>
        <source>The device to work on; may be left out when only one is plugged in.</source>
        <translation>Das Gerät, mit dem gearbeitet wird; kann fehlen, wenn nur eines angeschlossen ist.</translation>
    </message>
    <message>
        <source>Print one JSON document.</source>
        <translation>Ein JSON-Dokument ausgeben.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Diese Hilfe anzeigen.</translation>
    </message>
    <message>
        <source>Usage: vexa COMMAND [OPTIONS] [ARGUMENTS]</source>
        <translation>Aufruf: vexa BEFEHL [OPTIONEN] [ARGUMENTE]</translation>
    </message>
    <message>
        <source>Manages iPhones and iPads from the command line.</source>
        <translation>Verwaltet iPhones und iPads von der Befehlszeile aus.</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Befehle:</translation>
    </message>
    <message>
        <source>Run &quot;vexa COMMAND --help&quot; for the options of one command.</source>
        <translation>„vexa BEFEHL --help“ zeigt die Optionen eines Befehls.</translation>
    </message>
    <message>
        <source>Exit status: 0 success, 1 the operation failed, 2 bad usage, 3 no such device or more than one, 4 wrong or missing password, 5 cancelled.</source>
        <translation>Rückgabewert: 0 Erfolg, 1 Vorgang fehlgeschlagen, 2 falscher Aufruf, 3 kein solches Gerät oder mehr als eines, 4 falsches oder fehlendes Passwort, 5 abgebrochen.</translation>
    </message>
    <message>
        <source>Usage: vexa %1 %2</source>
        <translation>Aufruf: vexa %1 %2</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot; (see vexa --help)</source>
        <translation>unbekannter Befehl „%1“ (siehe vexa --help)</translation>
    </message>
    <message>
        <source>usage: vexa %1 %2</source>
        <translation>Aufruf: vexa %1 %2</translation>
    </message>
</context>
<context>
    <name>CCliProgress</name>
    <message>
        <source>%1/s</source>
        <translation>%1/s</translation>
    </message>
</context>
<context>
    <name>CDeviceCommands</name>
    <message>
        <source>List the plugged devices: UDID, name, model, iOS version, backend.</source>
        <translation>Die angeschlossenen Geräte auflisten: UDID, Name, Modell, iOS-Version, Backend.</translation>
    </message>
    <message>
        <source>Show a device&apos;s properties and storage figures.</source>
        <translation>Die Eigenschaften und Speicherzahlen eines Geräts anzeigen.</translation>
    </message>
    <message>
        <source>Give a device a new name.</source>
        <translation>Einem Gerät einen neuen Namen geben.</translation>
    </message>
    <message>
        <source>the new name is empty</source>
        <translation>der neue Name ist leer</translation>
    </message>
    <message>
        <source>the device could not be renamed</source>
        <translation>das Gerät konnte nicht umbenannt werden</translation>
    </message>
</context>
<context>
    <name>CExportCommand</name>
    <message numerus="yes">
        <source>%n attachment(s) could not be copied; the export names them</source>
        <translation>
            <numerusform>%n Anhang konnte nicht kopiert werden; der Export nennt ihn</numerusform>
            <numerusform>%n Anhänge konnten nicht kopiert werden; der Export nennt sie</numerusform>
        </translation>
    </message>
    <message>
        <source>The folder to write into; made when missing.</source>
        <translation>Der Zielordner; wird angelegt, wenn er fehlt.</translation>
    </message>
    <message>
        <source>The file that holds the backup&apos;s password.</source>
        <translation>Die Datei mit dem Passwort der Sicherung.</translation>
    </message>
    <message>
        <source>unknown category &quot;%1&quot;: contacts, messages, calls, photos, music, videos or books</source>
        <translation>unbekannte Kategorie „%1“: contacts, messages, calls, photos, music, videos oder books</translation>
    </message>
    <message>
        <source>name the folder to write into with --to DIR</source>
        <translation>nennen Sie den Zielordner mit --to DIR</translation>
    </message>
    <message>
        <source>name a device or a backup, not both</source>
        <translation>nennen Sie ein Gerät oder eine Sicherung, nicht beides</translation>
    </message>
    <message>
        <source>%1 are not exported as &quot;%2&quot;; formats: %3</source>
        <translation>%1 werden nicht als „%2“ exportiert; Formate: %3</translation>
    </message>
    <message>
        <source>%1 are exported from a device, not from a backup</source>
        <translation>%1 werden von einem Gerät exportiert, nicht aus einer Sicherung</translation>
    </message>
    <message>
        <source>the folder %1 could not be made</source>
        <translation>der Ordner %1 konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>the %1 could not be read from the device</source>
        <translation>die %1 konnten nicht vom Gerät gelesen werden</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation>%1 konnte nicht geschrieben werden</translation>
    </message>
    <message numerus="yes">
        <source>%n entries could not be copied</source>
        <translation>
            <numerusform>%n Eintrag konnte nicht kopiert werden</numerusform>
            <numerusform>%n Einträge konnten nicht kopiert werden</numerusform>
        </translation>
    </message>
    <message>
        <source>a backup is read-only: write the export outside %1</source>
        <translation>eine Sicherung ist schreibgeschützt: schreiben Sie den Export außerhalb von %1</translation>
    </message>
    <message>
        <source>Export contacts, messages, calls, photos, music, videos or books into a folder.</source>
        <translation>Kontakte, Nachrichten, Anrufe, Fotos, Musik, Videos oder Bücher in einen Ordner exportieren.</translation>
    </message>
    <message>
        <source>The file format: vcf, xml, xls, txt or csv for contacts; txt, xml, xls or html for messages; txt, xml, xls or csv for calls; original or jpeg (HEIC and PNG pictures converted) for photos.</source>
        <translation>Das Dateiformat: vcf, xml, xls, txt oder csv für Kontakte; txt, xml, xls oder html für Nachrichten; txt, xml, xls oder csv für Anrufe; original oder jpeg (HEIC- und PNG-Bilder umgewandelt) für Fotos.</translation>
    </message>
    <message>
        <source>Read contacts, messages, calls or photos from a backup folder (the one that holds Manifest.db) instead of a device.</source>
        <translation>Kontakte, Nachrichten, Anrufe oder Fotos aus einem Sicherungsordner (dem mit Manifest.db) statt von einem Gerät lesen.</translation>
    </message>
    <message>
        <source>Reading the device</source>
        <translation>Gerät wird gelesen</translation>
    </message>
    <message>
        <source>the device could not be read</source>
        <translation>das Gerät konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>the password of the device's backups is wrong</source>
        <translation>das Passwort der Sicherungen des Geräts ist falsch</translation>
    </message>
    <message>
        <source>the device's backups are not encrypted, and a phone gives its call history only to an encrypted backup: no calls were read</source>
        <translation>die Sicherungen des Geräts sind nicht verschlüsselt, und ein Telefon gibt seine Anrufliste nur an eine verschlüsselte Sicherung heraus: es wurden keine Anrufe gelesen</translation>
    </message>
</context>
<context>
    <name>CFileCommands</name>
    <message>
        <source>List a folder of the device.</source>
        <translation>Einen Ordner des Geräts auflisten.</translation>
    </message>
    <message>
        <source>Show type, size and time of each entry.</source>
        <translation>Typ, Größe und Zeit jedes Eintrags anzeigen.</translation>
    </message>
    <message>
        <source>Copy a file or folder of the device to the computer.</source>
        <translation>Eine Datei oder einen Ordner des Geräts auf den Computer kopieren.</translation>
    </message>
    <message>
        <source>Copy a file or folder of the computer into a folder of the device.</source>
        <translation>Eine Datei oder einen Ordner des Computers in einen Ordner des Geräts kopieren.</translation>
    </message>
    <message>
        <source>%1: no such file or folder on the device</source>
        <translation>%1: keine solche Datei und kein solcher Ordner auf dem Gerät</translation>
    </message>
    <message>
        <source>%1: the folder could not be read</source>
        <translation>%1: der Ordner konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1 exists already</source>
        <translation>%1 existiert bereits</translation>
    </message>
    <message>
        <source>%1 could not be copied to %2</source>
        <translation>%1 konnte nicht nach %2 kopiert werden</translation>
    </message>
    <message>
        <source>%1: no such file or folder</source>
        <translation>%1: keine solche Datei und kein solcher Ordner</translation>
    </message>
    <message>
        <source>%1: no such folder on the device</source>
        <translation>%1: kein solcher Ordner auf dem Gerät</translation>
    </message>
    <message>
        <source>Copying</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message numerus="yes">
        <source>%n entries could not be copied</source>
        <translation>
            <numerusform>%n Eintrag konnte nicht kopiert werden</numerusform>
            <numerusform>%n Einträge konnten nicht kopiert werden</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CPasswordSource</name>
    <message>
        <source>the backup is protected by a password: give it with --password-file or VEXA_BACKUP_PASSWORD</source>
        <translation>die Sicherung ist durch ein Passwort geschützt: geben Sie es mit --password-file oder VEXA_BACKUP_PASSWORD an</translation>
    </message>
    <message>
        <source>the password file %1 could not be read</source>
        <translation>die Passwortdatei %1 konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>Backup password: </source>
        <translation>Passwort der Sicherung: </translation>
    </message>
</context>
</TS>
