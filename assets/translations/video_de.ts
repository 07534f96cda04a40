<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QVideoView</name>
    <message>
        <source>The video list could not be read from the device.</source>
        <translation>Die Videoliste konnte nicht vom Gerät gelesen werden.</translation>
    </message>
    <message>
        <source>Video Files(*.asf *.wm *.wmp *.wmv *.rm *.rmvb *.mpg *.mpeg *.mpe *.m1v *.m2v *.vob *.ts *.mp4 *.m4v *.flv *.f4v *.avi *.mkv *.mov *.3gp *.webm)</source>
        <translation>Videodateien(*.asf *.wm *.wmp *.wmv *.rm *.rmvb *.mpg *.mpeg *.mpe *.m1v *.m2v *.vob *.ts *.mp4 *.m4v *.flv *.f4v *.avi *.mkv *.mov *.3gp *.webm)</translation>
    </message>
    <message>
        <source>Windows Media(*.asf *.wm *.wmp *.wmv *.avi)</source>
        <translation>Windows Media(*.asf *.wm *.wmp *.wmv *.avi)</translation>
    </message>
    <message>
        <source>Real Media(*.rm *.rmvb)</source>
        <translation>Real Media(*.rm *.rmvb)</translation>
    </message>
    <message>
        <source>MPEG(*.mpg *.mpeg *.mpe *.m1v *.m2v *.vob *.ts *.mp4 *.m4v)</source>
        <translation>MPEG(*.mpg *.mpeg *.mpe *.m1v *.m2v *.vob *.ts *.mp4 *.m4v)</translation>
    </message>
    <message>
        <source>Flash Video(*.flv *.f4v)</source>
        <translation>Flash-Video(*.flv *.f4v)</translation>
    </message>
    <message>
        <source>Other Media(*.mkv *.mov *.3gp *.webm)</source>
        <translation>Andere Medien(*.mkv *.mov *.3gp *.webm)</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>Datei importieren</translation>
    </message>
    <message>
        <source>The working folder %1 could not be created.</source>
        <translation>Der Arbeitsordner %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>These files are not videos or could not be converted; they were not added:
%1</source>
        <translation>Diese Dateien sind keine Videos oder konnten nicht konvertiert werden; sie wurden nicht hinzugefügt:
%1</translation>
    </message>
    <message>
        <source>CDB file is not find! please open the iTunes to repair!</source>
        <translation>Die CDB-Datei wurde nicht gefunden! Bitte öffnen Sie iTunes, um sie zu reparieren!</translation>
    </message>
    <message>
        <source>CDB file was damaged, please open the iTunes to repair!</source>
        <translation>Die CDB-Datei ist beschädigt, bitte öffnen Sie iTunes, um sie zu reparieren!</translation>
    </message>
    <message>
        <source>Add video failed!</source>
        <translation>Video konnte nicht hinzugefügt werden!</translation>
    </message>
    <message>
        <source>Please choose one or more items first!</source>
        <translation>Bitte wählen Sie zuerst einen oder mehrere Einträge aus!</translation>
    </message>
    <message>
        <source>The temporary folder for the drag could not be created.</source>
        <translation>Der temporäre Ordner für das Ziehen konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Some videos could not be copied from the device.</source>
        <translation>Einige Videos konnten nicht vom Gerät kopiert werden.</translation>
    </message>
    <message>
        <source>To Computer</source>
        <translation>Auf den Computer</translation>
    </message>
    <message>
        <source>To iTunes</source>
        <translation>Nach iTunes</translation>
    </message>
    <message>
        <source>Add Video</source>
        <translation>Video hinzufügen</translation>
    </message>
    <message>
        <source>Delete Video</source>
        <translation>Video löschen</translation>
    </message>
    <message>
        <source>There are no videos on the device.</source>
        <translation>Auf dem Gerät sind keine Videos vorhanden.</translation>
    </message>
</context>
<context>
    <name>QVideoPlayModel</name>
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
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>MPEG-4 video file</source>
        <translation>MPEG-4-Videodatei</translation>
    </message>
    <message>
        <source>QuickTime movie file</source>
        <translation>QuickTime-Filmdatei</translation>
    </message>
</context>
<context>
    <name>QConverVideoDlg</name>
    <message>
        <source>Calculating....</source>
        <translation>Wird berechnet....</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Konvertieren</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Time remaining</source>
        <translation>Verbleibende Zeit</translation>
    </message>
    <message>
        <source>Total time</source>
        <translation>Bisherige Zeit</translation>
    </message>
    <message>
        <source>Are you sure to cancel video transfer?</source>
        <translation>Möchten Sie die Videoübertragung wirklich abbrechen?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>PlayBtnWidget</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Vorheriges</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorspulen</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Nächstes</translation>
    </message>
    <message>
        <source>Play list</source>
        <translation>Wiedergabeliste</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Vollbild</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm</translation>
    </message>
</context>
<context>
    <name>PlayListWidget</name>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Alle löschen</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Copying %1 ...</source>
        <translation>%1 wird kopiert ...</translation>
    </message>
    <message>
        <source>Can't play</source>
        <translation>Wiedergabe nicht möglich</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Video Files(*.mp4 *.m4v *.mov *.avi *.mkv *.wmv *.flv *.mpg *.webm)</source>
        <translation>Videodateien(*.mp4 *.m4v *.mov *.avi *.mkv *.wmv *.flv *.mpg *.webm)</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Player</translation>
    </message>
</context>
</TS>
