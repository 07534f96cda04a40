<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QOperatePanel</name>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>Miniaturansicht</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
</context>
<context>
    <name>ContactGroupNames</name>
    <message>
        <source>Friend</source>
        <translation>Freunde</translation>
    </message>
    <message>
        <source>Family</source>
        <translation>Familie</translation>
    </message>
    <message>
        <source>Ungrouped</source>
        <translation>Ohne Gruppe</translation>
    </message>
    <message>
        <source>Classmate</source>
        <translation>Mitschüler</translation>
    </message>
</context>
<context>
    <name>PhotoAlbumNames</name>
    <message>
        <source>Camera Roll</source>
        <translation>Aufnahmen</translation>
    </message>
    <message>
        <source>Photo Libary</source>
        <translation>Fotomediathek</translation>
    </message>
</context>
</TS>
