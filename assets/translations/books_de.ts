<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QiBookView</name>
    <message>
        <source>%1 book(s) could not be added to the device.</source>
        <translation>%1 Buch/Bücher konnte(n) nicht auf das Gerät übertragen werden.</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Are you sure to delete the selected item(s)?</source>
        <translation>Möchten Sie die ausgewählten Einträge wirklich löschen?</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>Datei importieren</translation>
    </message>
    <message>
        <source>PDF Files(*.pdf);; EPUB Files(*.epub)</source>
        <translation>PDF-Dateien(*.pdf);; EPUB-Dateien(*.epub)</translation>
    </message>
    <message>
        <source>Please choose any of items to delete!</source>
        <translation>Bitte wählen Sie die zu löschenden Einträge aus!</translation>
    </message>
    <message>
        <source>Please choose one or more items first!</source>
        <translation>Bitte wählen Sie zuerst einen oder mehrere Einträge aus!</translation>
    </message>
    <message>
        <source>Some books could not be deleted from the device!</source>
        <translation>Einige Bücher konnten nicht vom Gerät gelöscht werden!</translation>
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
        <source>iBooks</source>
        <translation>iBooks</translation>
    </message>
</context>
<context>
    <name>QiBooksModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Rating</source>
        <translation>Bewertung</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
</context>
</TS>
