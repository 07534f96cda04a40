<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QSystemModel</name>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>The entry &quot;%1&quot; could not be renamed.</source>
        <translation>Der Eintrag „%1“ konnte nicht umbenannt werden.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Create Time</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>Bitte geben Sie einen Namen ein.</translation>
    </message>
    <message>
        <source>A name cannot contain &quot;/&quot; or a NUL character.</source>
        <translation>Ein Name darf weder „/“ noch ein NUL-Zeichen enthalten.</translation>
    </message>
    <message>
        <source>&quot;.&quot; and &quot;..&quot; cannot be used as names.</source>
        <translation>„.“ und „..“ können nicht als Namen verwendet werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists in this folder.</source>
        <translation>„%1“ ist in diesem Ordner bereits vorhanden.</translation>
    </message>
</context>
<context>
    <name>QUploadDlg</name>
    <message>
        <source>Copy to Device</source>
        <translation>Auf das Gerät kopieren</translation>
    </message>
    <message>
        <source>Copying files to the device...</source>
        <translation>Dateien werden auf das Gerät kopiert...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>QSystemView</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Are you sure you want to delete (%1)?</source>
        <translation>Möchten Sie (%1) wirklich löschen?</translation>
    </message>
    <message>
        <source>The entry &quot;%1&quot; could not be deleted.</source>
        <translation>Der Eintrag „%1“ konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>Neuer Ordner</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; could not be created.</source>
        <translation>Der Ordner „%1“ konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>Copy to Device</source>
        <translation>Auf das Gerät kopieren</translation>
    </message>
    <message>
        <source>There is nothing to copy: links and special files are not copied to the device.</source>
        <translation>Es gibt nichts zu kopieren: Verknüpfungen und Sonderdateien werden nicht auf das Gerät kopiert.</translation>
    </message>
    <message>
        <source>Some items could not be copied to the device (%1 of %2).</source>
        <translation>Einige Elemente konnten nicht auf das Gerät kopiert werden (%1 von %2).</translation>
    </message>
    <message>
        <source>The temporary folder for the drag could not be created.</source>
        <translation>Der temporäre Ordner für das Ziehen konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>Some entries could not be copied from the device.</source>
        <translation>Einige Einträge konnten nicht vom Gerät kopiert werden.</translation>
    </message>
    <message>
        <source>The folder %1 could not be read.</source>
        <translation>Der Ordner %1 konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The documents of this app could not be opened.</source>
        <translation>Die Dokumente dieser App konnten nicht geöffnet werden.</translation>
    </message>
</context>
</TS>
