<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AddItemDlg</name>
    <message>
        <source>Copying</source>
        <translation>Kopieren</translation>
    </message>
</context>
<context>
    <name>CMediaFileAdd</name>
    <message>
        <source>CDB file is not find! please open the iTunes to repair!</source>
        <translation>Die CDB-Datei wurde nicht gefunden! Bitte öffnen Sie iTunes, um sie zu reparieren!</translation>
    </message>
    <message>
        <source>CDB file was damaged, please open the iTunes to repair!</source>
        <translation>Die CDB-Datei ist beschädigt, bitte öffnen Sie iTunes, um sie zu reparieren!</translation>
    </message>
    <message>
        <source>Add musci fialed!</source>
        <translation>Musik konnte nicht hinzugefügt werden!</translation>
    </message>
</context>
<context>
    <name>QMusicPlayListModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>MPEG audio file</source>
        <translation>MPEG-Audiodatei</translation>
    </message>
    <message>
        <source>AAC audio file</source>
        <translation>AAC-Audiodatei</translation>
    </message>
    <message>
        <source>AAC audio book file</source>
        <translation>AAC-Hörbuchdatei</translation>
    </message>
</context>
<context>
    <name>QMusicView</name>
    <message>
        <source>Audio Files(*.mp3)</source>
        <translation>Audiodateien(*.mp3)</translation>
    </message>
    <message>
        <source>Get playlist failed</source>
        <translation>Wiedergabelisten konnten nicht gelesen werden</translation>
    </message>
    <message>
        <source>To Computer</source>
        <translation>Auf den Computer</translation>
    </message>
    <message>
        <source>To iTunes</source>
        <translation>Zu iTunes</translation>
    </message>
    <message>
        <source>Add Music</source>
        <translation>Musik hinzufügen</translation>
    </message>
    <message>
        <source>Delete Music</source>
        <translation>Musik löschen</translation>
    </message>
</context>
<context>
    <name>QPlayAnalysisTread</name>
    <message>
        <source>You can't delete the default playlist!</source>
        <translation>Die Standard-Wiedergabeliste kann nicht gelöscht werden!</translation>
    </message>
    <message>
        <source>Get playlist failed</source>
        <translation>Wiedergabelisten konnten nicht gelesen werden</translation>
    </message>
    <message>
        <source>Dele Playlist failed!</source>
        <translation>Wiedergabeliste konnte nicht gelöscht werden!</translation>
    </message>
    <message>
        <source>Add playlist failed!</source>
        <translation>Wiedergabeliste konnte nicht angelegt werden!</translation>
    </message>
</context>
<context>
    <name>QPlayListNameDlg</name>
    <message>
        <source>New Playlist</source>
        <translation>Neue Wiedergabeliste</translation>
    </message>
    <message>
        <source>Please enter a name for the playlist.</source>
        <translation>Bitte geben Sie einen Namen für die Wiedergabeliste ein.</translation>
    </message>
    <message>
        <source>A playlist name can have at most %1 characters.</source>
        <translation>Der Name einer Wiedergabeliste darf höchstens %1 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>A playlist named &quot;%1&quot; already exists.</source>
        <translation>Eine Wiedergabeliste namens „%1“ gibt es bereits.</translation>
    </message>
    <message>
        <source>Playlist Name:</source>
        <translation>Name der Wiedergabeliste:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>QPlayListStatusPanel</name>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>To Computer</source>
        <translation>Auf den Computer</translation>
    </message>
</context>
<context>
    <name>QPlayListView</name>
    <message>
        <source>Audio Files(*.mp3 *.m4a)</source>
        <translation>Audiodateien(*.mp3 *.m4a)</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>Wiedergabeliste</translation>
    </message>
    <message>
        <source>To iTunes</source>
        <translation>Zu iTunes</translation>
    </message>
    <message>
        <source>To Computer</source>
        <translation>Auf den Computer</translation>
    </message>
    <message>
        <source>Add Music</source>
        <translation>Musik hinzufügen</translation>
    </message>
    <message>
        <source>Delete Music</source>
        <translation>Musik löschen</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>To iDevices</source>
        <translation>Auf iDevices</translation>
    </message>
</context>
<context>
    <name>QSongTableView</name>
    <message>
        <source>Can't play</source>
        <translation>Wiedergabe nicht möglich</translation>
    </message>
    <message>
        <source>Please choose one or more items first!</source>
        <translation>Bitte wählen Sie zuerst einen oder mehrere Einträge aus!</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>Datei importieren</translation>
    </message>
    <message>
        <source>There are no songs on the device.</source>
        <translation>Auf dem Gerät sind keine Titel vorhanden.</translation>
    </message>
</context>
<context>
    <name>QiTunesExport</name>
    <message>
        <source>No iTunes media folder was found.</source>
        <translation>Es wurde kein iTunes-Medienordner gefunden.</translation>
    </message>
</context>
<context>
    <name>deleteitemDlg</name>
    <message>
        <source>Deleting</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Please choose any of items to delete!</source>
        <translation>Bitte wählen Sie die zu löschenden Einträge aus!</translation>
    </message>
    <message>
        <source>Are you sure to delete the selected item(s)?</source>
        <translation>Möchten Sie die ausgewählten Einträge wirklich löschen?</translation>
    </message>
    <message>
        <source>The selected item(s) could not be deleted from the device!</source>
        <translation>Die ausgewählten Einträge konnten nicht vom Gerät gelöscht werden!</translation>
    </message>
</context>
</TS>
