<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BackupProgressDialog</name>
    <message>
        <source>A backup of this device into this folder is already running.</source>
        <translation>Eine Sicherung dieses Geräts in diesen Ordner läuft bereits.</translation>
    </message>
    <message>
        <location filename="../../src/backup/BackupProgressDialog.cpp" line="+43" />
        <location line="+94" />
        <source>Please wait....</source>
        <translation>Bitte warten....</translation>
    </message>
    <message>
        <location line="-56" />
        <location line="+54" />
        <source>Backup successfully!</source>
        <translation>Sicherung erfolgreich!</translation>
    </message>
    <message>
        <location line="-47" />
        <source>Opps, backup failed. Please try again!</source>
        <translation>Hoppla, die Sicherung ist fehlgeschlagen. Bitte versuchen Sie es erneut!</translation>
    </message>
    <message>
        <location line="+13" />
        <source>Cancelling the backup...</source>
        <translation>Sicherung wird abgebrochen...</translation>
    </message>
    <message>
        <location line="+29" />
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>BackupWidget</name>
    <message>
        <location filename="../../src/backup/BackupWidget.cpp" line="+73" />
        <source>Please select one device!</source>
        <translation>Bitte wählen Sie ein Gerät aus!</translation>
    </message>
    <message>
        <location line="+4" />
        <source>Save File</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <location line="+46" />
        <location line="+1" />
        <source>Backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Device:</source>
        <translation>Gerät:</translation>
    </message>
</context>
<context>
    <name>CDeviceTransfer</name>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp" line="+87" />
        <source>Nothing to copy: the target device already holds all %1 items.</source>
        <translation>Nichts zu kopieren: Das Zielgerät enthält bereits alle %1 Einträge.</translation>
    </message>
    <message>
        <location line="+1" />
        <source>%1 contacts, %2 photos, %3 songs, %4 books copied; %5 skipped</source>
        <translation>%1 Kontakte, %2 Fotos, %3 Titel, %4 Bücher kopiert; %5 übersprungen</translation>
    </message>
    <message>
        <location line="+11" />
        <source>Contacts</source>
        <translation>Kontakte</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Books</source>
        <translation>Bücher</translation>
    </message>
    <message>
        <location line="+180" />
        <source>Transferred</source>
        <translation>Übertragen</translation>
    </message>
</context>
<context>
    <name>CProgressEstimate</name>
    <message>
        <location filename="../../src/backup/CProgressEstimate.cpp" line="+14" />
        <source>About %1 remaining</source>
        <translation>Noch etwa %1</translation>
    </message>
    <message>
        <location line="+5" />
        <source>%1 h %2 min</source>
        <translation>%1 Std. %2 Min.</translation>
    </message>
    <message>
        <location line="+2" />
        <source>%1 min %2 s</source>
        <translation>%1 Min. %2 Sek.</translation>
    </message>
    <message>
        <location line="+1" />
        <source>%1 s</source>
        <translation>%1 Sek.</translation>
    </message>
</context>
<context>
    <name>QProgressBlock</name>
    <message>
        <location filename="../../src/backup/QProgressBlock.cpp" line="+46" />
        <location line="+10" />
        <source>%1 of %2 files</source>
        <translation>%1 von %2 Dateien</translation>
    </message>
</context>
<context>
    <name>QRestoreDlg</name>
    <message>
        <location filename="../../src/backup/QRestoreDlg.cpp" line="+117" />
        <source>Please select restore file!</source>
        <translation>Bitte wählen Sie die wiederherzustellende Datei aus!</translation>
    </message>
    <message>
        <location line="+5" />
        <source>
Are you sure to delete this backup file?
</source>
        <translation>
Möchten Sie diese Sicherung wirklich löschen?
</translation>
    </message>
    <message>
        <location line="+59" />
        <source>Import File</source>
        <translation>Datei importieren</translation>
    </message>
    <message>
        <location line="+13" />
        <source>This folder holds no backup: Manifest.plist is missing.</source>
        <translation>Dieser Ordner enthält keine Sicherung: Manifest.plist fehlt.</translation>
    </message>
    <message>
        <location line="+3" />
        <source>This backup can't be read: its Manifest.plist or Info.plist is damaged.</source>
        <translation>Diese Sicherung kann nicht gelesen werden: Manifest.plist oder Info.plist ist beschädigt.</translation>
    </message>
    <message>
        <location line="+4" />
        <source>This backup can't be read: its Manifest.db is not a valid database.</source>
        <translation>Diese Sicherung kann nicht gelesen werden: Manifest.db ist keine gültige Datenbank.</translation>
    </message>
    <message>
        <location line="+44" />
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Restore from Backup</source>
        <translation>Aus Sicherung wiederherstellen</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Reload</source>
        <translation>Neu laden</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>QSelectDeviceRestorDlg</name>
    <message>
        <location filename="../../src/backup/QSelectDeviceRestorDlg.cpp" line="+87" />
        <source>Please select one device!</source>
        <translation>Bitte wählen Sie ein Gerät aus!</translation>
    </message>
    <message>
        <location line="+5" />
        <source>Please select restore file!</source>
        <translation>Bitte wählen Sie die wiederherzustellende Datei aus!</translation>
    </message>
    <message>
        <location line="+5" />
        <source>Do you want to restore this backup</source>
        <translation>Möchten Sie diese Sicherung wiederherstellen</translation>
    </message>
    <message>
        <location line="+25" />
        <source>Restored successfully!</source>
        <translation>Erfolgreich wiederhergestellt!</translation>
    </message>
    <message>
        <location line="+2" />
        <source>The restore was cancelled; the device is unchanged.</source>
        <translation>Die Wiederherstellung wurde abgebrochen; das Gerät ist unverändert.</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Restored failed!</source>
        <translation>Wiederherstellung fehlgeschlagen!</translation>
    </message>
    <message>
        <location line="+44" />
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>QTransferDeviceDlg</name>
    <message>
        <location filename="../../src/backup/QTransferDeviceDlg.cpp" line="+96" />
        <location line="+149" />
        <source>Checking the connected devices, please wait...</source>
        <translation>Die angeschlossenen Geräte werden geprüft, bitte warten...</translation>
    </message>
    <message>
        <location line="-97" />
        <source>Please choose source or target devices first!</source>
        <translation>Bitte wählen Sie zuerst Quell- und Zielgerät aus!</translation>
    </message>
    <message>
        <location line="+6" />
        <source>Please choose two different devices!</source>
        <translation>Bitte wählen Sie zwei verschiedene Geräte aus!</translation>
    </message>
    <message>
        <location line="+8" />
        <source>The device is no longer connected. Please connect it and try again.</source>
        <translation>Das Gerät ist nicht mehr angeschlossen. Bitte schließen Sie es an und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <location line="+4" />
        <source>Transferring information from device '%1' to device '%2'...</source>
        <translation>Daten werden von Gerät '%1' auf Gerät '%2' übertragen...</translation>
    </message>
    <message>
        <location line="+33" />
        <source>The transfer failed because a device was disconnected.</source>
        <translation>Die Übertragung ist fehlgeschlagen, weil ein Gerät getrennt wurde.</translation>
    </message>
    <message>
        <location line="+2" />
        <source>The transfer failed.</source>
        <translation>Die Übertragung ist fehlgeschlagen.</translation>
    </message>
    <message>
        <location line="+37" />
        <source>Source device:</source>
        <translation>Quellgerät:</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Target device:</source>
        <translation>Zielgerät:</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Transfer</source>
        <translation>Übertragen</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Swap source and target</source>
        <translation>Quelle und Ziel tauschen</translation>
    </message>
    <message>
        <location filename="../../src/backup/QTransferDeviceDlg.cpp"/>
        <source>%1 (backup)</source>
        <translation>%1 (Backup)</translation>
    </message>
</context>
<context>
    <name>RestorePasswordWidget</name>
    <message>
        <location filename="../../src/backup/RestorePasswordWidget.cpp" line="+56" />
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>RestoreProgressDialog</name>
    <message>
        <location filename="../../src/backup/RestoreProgressDialog.cpp" line="+51" />
        <source>Cancelling the restore...</source>
        <translation>Wiederherstellung wird abgebrochen...</translation>
    </message>
    <message>
        <location line="+20" />
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Restoring the backup, please wait...</source>
        <translation>Die Sicherung wird wiederhergestellt, bitte warten...</translation>
    </message>
</context>
<context>
    <name>RestoreTableModel</name>
    <message>
        <location filename="../../src/backup/RestoreTableModel.cpp" line="+33" />
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Date Time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <location line="+2" />
        <source>SerialNumber</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
</context>
<context>
    <name>ToolWidget</name>
    <message>
        <location line="+15" />
        <source>Backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <location line="+1" />
        <source>To iDevice</source>
        <translation>Auf das iGerät</translation>
    </message>
</context>
</TS>
