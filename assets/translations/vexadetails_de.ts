<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="de_DE">
<context>
    <name>QAddDataWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QAddDataWidget.cpp" line="37" />
        <source>QAddDataWidget::setLabelImage, this image name is invalid %1, please re-install!</source>
        <translation>QAddDataWidget::setLabelImage: Der Bildname %1 ist ungültig, bitte installieren Sie das Programm neu!</translation>
    </message>
</context>
<context>
    <name>QAppsView</name>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="10" />
        <source>Apps</source>
        <translation>Apps</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="14" />
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="14" />
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="14" />
        <source>Size</source>
        <translation>Größe</translation>
    </message>
</context>
<context>
    <name>QBaseDetailsView</name>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp" line="300" />
        <source>Entries</source>
        <translation>Einträge</translation>
    </message>
</context>
<context>
    <name>QContactStatusPanel</name>
    <message>
        <location filename="../../src/VexaDetails/QContactStatusPanel.cpp" line="16" />
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/QContactStatusPanel.cpp" line="18" />
        <source>Transfer</source>
        <translation>Übertragen</translation>
    </message>
</context>
<context>
    <name>QContactsView</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="10" />
        <source>Contacts</source>
        <translation>Kontakte</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="14" />
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="14" />
        <source>Phone</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="14" />
        <source>E-mail</source>
        <translation>E-Mail</translation>
    </message>
</context>
<context>
    <name>QMusicView</name>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="10" />
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14" />
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14" />
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14" />
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14" />
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14" />
        <source>Size</source>
        <translation>Größe</translation>
    </message>
</context>
<context>
    <name>QOperatePanel</name>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="53" />
        <source>QOperatePanel::InitControls can't find btn image, please reinstall software</source>
        <translation>QOperatePanel::InitControls: Schaltflächenbild nicht gefunden, bitte installieren Sie die Software neu</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="106" />
        <source>QOperatePanel::setCustomFirst can't find btn image, please reinstall software</source>
        <translation>QOperatePanel::setCustomFirst: Schaltflächenbild nicht gefunden, bitte installieren Sie die Software neu</translation>
    </message>
</context>
<context>
    <name>QPhotoView</name>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="10" />
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14" />
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14" />
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14" />
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14" />
        <source>Dimensions</source>
        <translation>Abmessungen</translation>
    </message>
</context>
<context>
    <name>QPlayListView</name>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="10" />
        <source>Playlist</source>
        <translation>Wiedergabeliste</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14" />
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14" />
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14" />
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14" />
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
</context>
<context>
    <name>QSearchWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QSearchWidget.cpp" line="36" />
        <source>QSearchWidget::InitControls can't find btn image, please reinstall software</source>
        <translation>QSearchWidget::InitControls: Schaltflächenbild nicht gefunden, bitte installieren Sie die Software neu</translation>
    </message>
</context>
<context>
    <name>QSystemView</name>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="10" />
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14" />
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14" />
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14" />
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14" />
        <source>Type</source>
        <translation>Typ</translation>
    </message>
</context>
<context>
    <name>QVideoView</name>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="10" />
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14" />
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14" />
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14" />
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14" />
        <source>Format</source>
        <translation>Format</translation>
    </message>
</context>
<context>
    <name>QiBookView</name>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="10" />
        <source>iBooks</source>
        <translation>iBooks</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14" />
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14" />
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14" />
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14" />
        <source>Size</source>
        <translation>Größe</translation>
    </message>
</context>
<context>
    <name>qmessageView</name>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="10" />
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14" />
        <source>Messages</source>
        <translation>Nachrichten</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14" />
        <source>Contact</source>
        <translation>Kontakt</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14" />
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14" />
        <source>Last message</source>
        <translation>Letzte Nachricht</translation>
    </message>
</context>
</TS>