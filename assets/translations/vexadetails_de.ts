<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AddContactsDlg</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp" line="66"/>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp" line="124"/>
        <source>Edit Contact</source>
        <translation>Kontakt bearbeiten</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp" line="124"/>
        <source>Add Contact</source>
        <translation>Kontakt hinzufügen</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp" line="126"/>
        <source>yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp" line="127"/>
        <source>cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp" line="128"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp" line="129"/>
        <source>Reset the form</source>
        <translation>Formular zurücksetzen</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp"/>
        <source>The contact is empty. Please enter a name, a phone number or an e-mail address.</source>
        <translation>Der Kontakt ist leer. Bitte geben Sie einen Namen, eine Telefonnummer oder eine E-Mail-Adresse ein.</translation>
    </message>
</context>
<context>
    <name>AddContactsWidget</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="143"/>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="144"/>
        <source>First Name</source>
        <translation>Vorname</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="145"/>
        <source>Last Name</source>
        <translation>Nachname</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="146"/>
        <source>Nick Name</source>
        <translation>Spitzname</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="147"/>
        <source>Phone</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="148"/>
        <source>E-mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="149"/>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="150"/>
        <source>Change Photo</source>
        <translation>Foto ändern</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="151"/>
        <source>Add E-mail</source>
        <translation>E-Mail hinzufügen</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="177"/>
        <source>More Details</source>
        <translation>Weitere Angaben</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="297"/>
        <source>Company: %1</source>
        <translation>Firma: %1</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="299"/>
        <source>Job Title: %1</source>
        <translation>Position: %1</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="301"/>
        <source>Birthday: %1</source>
        <translation>Geburtstag: %1</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="303"/>
        <source>Address (%1): %2</source>
        <translation>Adresse (%1): %2</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="305"/>
        <source>Web Page (%1): %2</source>
        <translation>Webseite (%1): %2</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="153"/>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="162"/>
        <source>Ungrouped</source>
        <translation>Ohne Gruppe</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="281"/>
        <source>No photo</source>
        <translation>Kein Foto</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="291"/>
        <source>Get photo data failed! Please choose another one!</source>
        <translation>Das Foto konnte nicht gelesen werden! Bitte wählen Sie ein anderes!</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="304"/>
        <source>Import File</source>
        <translation>Datei importieren</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp"/>
        <source>Picture files (%1);;All files (*)</source>
        <translation>Bilddateien (%1);;Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>QAddDataWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QAddDataWidget.cpp" line="37"/>
        <source>QAddDataWidget::setLabelImage, this image name is invalid %1, please re-install!</source>
        <translation>QAddDataWidget::setLabelImage: Der Bildname %1 ist ungültig, bitte installieren Sie das Programm neu!</translation>
    </message>
</context>
<context>
    <name>QBaseDetailsView</name>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp" line="304"/>
        <source>Entries</source>
        <translation>Einträge</translation>
    </message>
    <message>
        <source>There is nothing here on the device.</source>
        <translation>Auf dem Gerät ist hier nichts vorhanden.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Nothing matches "%1".</source>
        <translation>Keine Einträge passen zu „%1“.</translation>
    </message>
</context>
<context>
    <name>QContactStatusPanel</name>
    <message>
        <location filename="../../src/VexaDetails/QContactStatusPanel.cpp" line="16"/>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/QContactStatusPanel.cpp" line="18"/>
        <source>Transfer</source>
        <translation>Übertragen</translation>
    </message>
</context>
<context>
    <name>QContactsModel</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsModel.cpp" line="25"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsModel.cpp" line="25"/>
        <source>Phone Number</source>
        <translation>Telefonnummer</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsModel.cpp" line="25"/>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsModel.cpp" line="25"/>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsModel.cpp" line="38"/>
        <source>Ungrouped</source>
        <translation>Ohne Gruppe</translation>
    </message>
</context>
<context>
    <name>QContactsView</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="104"/>
        <source>Contacts</source>
        <translation>Kontakte</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="164"/>
        <source>Get Contact information failed!</source>
        <translation>Die Kontakte konnten nicht gelesen werden!</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="307"/>
        <source>Add contact failed!</source>
        <translation>Der Kontakt konnte nicht hinzugefügt werden!</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="337"/>
        <source>Modify contact failed!</source>
        <translation>Der Kontakt konnte nicht geändert werden!</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="358"/>
        <source>Please choose any of items to delete!</source>
        <translation>Bitte wählen Sie die zu löschenden Einträge aus!</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="361"/>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="371"/>
        <source>Are you sure to delete the selected item(s)?</source>
        <translation>Möchten Sie die ausgewählten Einträge wirklich löschen?</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="395"/>
        <source>Create group failed!</source>
        <translation>Die Gruppe konnte nicht angelegt werden!</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="404"/>
        <source>Are you sure to delete the group &quot;%1&quot;? Its contacts stay.</source>
        <translation>Möchten Sie die Gruppe „%1“ wirklich löschen? Ihre Kontakte bleiben erhalten.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="411"/>
        <source>Delete group failed!</source>
        <translation>Die Gruppe konnte nicht gelöscht werden!</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="425"/>
        <source>Rename group failed!</source>
        <translation>Die Gruppe konnte nicht umbenannt werden!</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="262"/>
        <source>The contact was saved, but not put in its group!</source>
        <translation>Der Kontakt wurde gespeichert, aber nicht in seine Gruppe aufgenommen!</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="365"/>
        <source>Some contacts could not be deleted from the device!</source>
        <translation>Einige Kontakte konnten nicht vom Gerät gelöscht werden!</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="443"/>
        <source>Add Contact</source>
        <translation>Kontakt hinzufügen</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="444"/>
        <source>Delete this Contact</source>
        <translation>Diesen Kontakt löschen</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="445"/>
        <source>To Computer</source>
        <translation>Auf den Computer</translation>
    </message>
</context>
<context>
    <name>QGroupNameDlg</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QGroupNameDlg.cpp" line="97"/>
        <source>New Group</source>
        <translation>Neue Gruppe</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QGroupNameDlg.cpp" line="99"/>
        <source>Group name:</source>
        <translation>Gruppenname:</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QGroupNameDlg.cpp" line="100"/>
        <source>yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QGroupNameDlg.cpp" line="101"/>
        <source>cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QGroupNameDlg.cpp" line="102"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>QMusicView</name>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="10"/>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14"/>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14"/>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14"/>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14"/>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
</context>
<context>
    <name>QOperatePanel</name>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="57"/>
        <source>QOperatePanel::InitControls can&apos;t find btn image, please reinstall software</source>
        <translation>QOperatePanel::InitControls: Schaltflächenbild nicht gefunden, bitte installieren Sie die Software neu</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="111"/>
        <source>QOperatePanel::setCustomFirst can&apos;t find btn image, please reinstall software</source>
        <translation>QOperatePanel::setCustomFirst: Schaltflächenbild nicht gefunden, bitte installieren Sie die Software neu</translation>
    </message>
</context>
<context>
    <name>QPhotoView</name>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="10"/>
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14"/>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14"/>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14"/>
        <source>Dimensions</source>
        <translation>Abmessungen</translation>
    </message>
</context>
<context>
    <name>QPlayListView</name>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="10"/>
        <source>Playlist</source>
        <translation>Wiedergabeliste</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14"/>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14"/>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14"/>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
</context>
<context>
    <name>QSearchWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QSearchWidget.cpp" line="40"/>
        <source>QSearchWidget::InitControls can&apos;t find btn image, please reinstall software</source>
        <translation>QSearchWidget::InitControls: Schaltflächenbild nicht gefunden, bitte installieren Sie die Software neu</translation>
    </message>
</context>
<context>
    <name>QSystemView</name>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="10"/>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14"/>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14"/>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14"/>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
</context>
<context>
    <name>QVideoView</name>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="10"/>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14"/>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14"/>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14"/>
        <source>Format</source>
        <translation>Format</translation>
    </message>
</context>
<context>
    <name>QiBookView</name>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="10"/>
        <source>iBooks</source>
        <translation>iBooks</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14"/>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14"/>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14"/>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
</context>
<context>
    <name>contactsWay</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="75"/>
        <source>home</source>
        <translation>privat</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="75"/>
        <source>mobile</source>
        <translation>mobil</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="75"/>
        <source>work</source>
        <translation>geschäftlich</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="75"/>
        <source>work fax</source>
        <translation>Fax geschäftlich</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="76"/>
        <source>home fax</source>
        <translation>Fax privat</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="76"/>
        <source>other fax</source>
        <translation>anderes Fax</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="76"/>
        <source>page</source>
        <translation>Pager</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="76"/>
        <source>other</source>
        <translation>andere</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="79"/>
        <source>phone number</source>
        <translation>Telefonnummer</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="79"/>
        <source>email number</source>
        <translation>E-Mail-Adresse</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="80"/>
        <source>Add a field</source>
        <translation>Feld hinzufügen</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="81"/>
        <source>Remove this field</source>
        <translation>Dieses Feld entfernen</translation>
    </message>
</context>
<context>
    <name>qmessageView</name>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="10"/>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14"/>
        <source>Messages</source>
        <translation>Nachrichten</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14"/>
        <source>Contact</source>
        <translation>Kontakt</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14"/>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14"/>
        <source>Last message</source>
        <translation>Letzte Nachricht</translation>
    </message>
</context>
<context>
    <name>CSnapshotPage</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Backups of this device are not encrypted, and a phone gives its call history only to an encrypted backup. To see calls here, turn on encryption of its backups (for example with "idevicebackup2 encryption on"), then refresh.</source>
        <translation>Die Sicherungen dieses Geräts sind nicht verschlüsselt, und ein Telefon gibt seine Anrufliste nur an eine verschlüsselte Sicherung heraus. Um hier Anrufe zu sehen, schalten Sie die Verschlüsselung seiner Sicherungen ein (zum Beispiel mit „idevicebackup2 encryption on“) und aktualisieren Sie dann.</translation>
    </message>
    <message>
        <source>Reading contacts from the device… %1 %</source>
        <translation>Kontakte werden vom Gerät gelesen… %1 %</translation>
    </message>
    <message>
        <source>Reading the call history from the device… %1 %</source>
        <translation>Die Anrufliste wird vom Gerät gelesen… %1 %</translation>
    </message>
    <message>
        <source>Reading messages from the device… %1 %</source>
        <translation>Nachrichten werden vom Gerät gelesen… %1 %</translation>
    </message>
    <message>
        <source>This device encrypts its backups: its data is shown once the backup password is given. Refresh asks for it again.</source>
        <translation>Dieses Gerät verschlüsselt seine Sicherungen: Seine Daten werden angezeigt, sobald das Passwort der Sicherungen eingegeben ist. Aktualisieren fragt erneut danach.</translation>
    </message>
    <message>
        <source>Reading from the device was cancelled. Refresh reads it again.</source>
        <translation>Das Lesen vom Gerät wurde abgebrochen. Aktualisieren liest es erneut.</translation>
    </message>
    <message>
        <source>Nothing was read from the device yet.</source>
        <translation>Vom Gerät wurde noch nichts gelesen.</translation>
    </message>
    <message>
        <source>The new snapshot was cancelled; shown is the one taken on %1.</source>
        <translation>Der neue Schnappschuss wurde abgebrochen; angezeigt wird der vom %1.</translation>
    </message>
    <message>
        <source>No new snapshot could be taken; shown is the one taken on %1.</source>
        <translation>Es konnte kein neuer Schnappschuss erstellt werden; angezeigt wird der vom %1.</translation>
    </message>
    <message>
        <source>Read from a snapshot of the device taken on %1. Refresh takes a new one.</source>
        <translation>Aus einem Schnappschuss des Geräts vom %1 gelesen. Aktualisieren erstellt einen neuen.</translation>
    </message>
</context>
</TS>
