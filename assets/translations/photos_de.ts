<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
  <context>
    <name>DateItemWidget</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/DateItemWidget.cpp" line="23" />
      <source>Total:</source>
      <translation>Gesamt:</translation>
    </message>
  </context>
  <context>
    <name>NewAlbumWidget</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/NewAlbumWidget.cpp" line="77" />
      <location filename="../../src/VexaDetails/Photos/NewAlbumWidget.cpp" line="78" />
      <source>New Album</source>
      <translation>Neues Album</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/NewAlbumWidget.cpp" line="79" />
      <source>Album name:</source>
      <translation>Albumname:</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/NewAlbumWidget.cpp" line="80" />
      <source>Ok</source>
      <translation>OK</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/NewAlbumWidget.cpp" line="81" />
      <source>Cancle</source>
      <translation>Abbrechen</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/NewAlbumWidget.cpp" line="82" />
      <source>Close</source>
      <translation>Schließen</translation>
    </message>
  </context>
  <context>
    <name>PhotoImageShow</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoImageShow.cpp" line="19" />
      <source>Photo</source>
      <translation>Foto</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoImageShow.cpp" line="22" />
      <source>Close</source>
      <translation>Schließen</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoImageShow.cpp" line="77" />
      <source>Please wait....</source>
      <translation>Bitte warten....</translation>
    </message>
  </context>
  <context>
    <name>PhotoExportDialog</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoExportDialog.cpp" line="1" />
      <source>Save File</source>
      <translation>Datei speichern</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoExportDialog.cpp" line="1" />
      <source>Export photos</source>
      <translation>Fotos exportieren</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoExportDialog.cpp" line="1" />
      <source>Browse...</source>
      <translation>Durchsuchen...</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoExportDialog.cpp" line="1" />
      <source>Convert HEIC to JPEG</source>
      <translation>HEIC in JPEG umwandeln</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoExportDialog.cpp" line="1" />
      <source>Pictures in the HEIC format are saved as JPEG files that any program opens. Other files are copied as they are.</source>
      <translation>Bilder im HEIC-Format werden als JPEG-Dateien gespeichert, die jedes Programm öffnet. Andere Dateien werden unverändert kopiert.</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoExportDialog.cpp" line="1" />
      <source>Export</source>
      <translation>Exportieren</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoExportDialog.cpp" line="1" />
      <source>Cancel</source>
      <translation>Abbrechen</translation>
    </message>
  </context>
  <context>
    <name>PicItemTotal</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/PicItemTotal.cpp" line="56" />
      <source>PhotoStream</source>
      <translation>Fotostream</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PicItemTotal.cpp" line="64" />
      <source>No cover</source>
      <translation>Kein Titelbild</translation>
    </message>
  </context>
  <context>
    <name>QPhotoMonthPage</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoMonthPage.cpp" line="101" />
      <source>Month:</source>
      <translation>Monat:</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoMonthPage.cpp" line="102" />
      <source>No photos found</source>
      <translation>Keine Fotos gefunden</translation>
    </message>
  </context>
  <context>
    <name>QPhotoView</name>
    <message numerus="yes">
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="1" />
      <source>%n photo(s) could not be read from the device.</source>
      <translation>
        <numerusform>%n Foto konnte nicht vom Gerät gelesen werden.</numerusform>
        <numerusform>%n Fotos konnten nicht vom Gerät gelesen werden.</numerusform>
      </translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="160" />
      <source>Albums</source>
      <translation>Alben</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="161" />
      <source>New album</source>
      <translation>Neues Album</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="162" />
      <source>Import</source>
      <translation>Importieren</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="163" />
      <source>Export</source>
      <translation>Exportieren</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="164" />
      <source>Delete</source>
      <translation>Löschen</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="165" />
      <source>Refresh</source>
      <translation>Aktualisieren</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="166" />
      <source>CheckAll</source>
      <translation>Alle auswählen</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="167" />
      <source>UncheckAll</source>
      <translation>Auswahl aufheben</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="366" />
      <source>Import File</source>
      <translation>Datei importieren</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="367" />
      <source>Images (*.bmp *.jpg *.gif *.png *jpeg)</source>
      <translation>Bilder (*.bmp *.jpg *.gif *.png *jpeg)</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="395" />
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="443" />
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="461" />
      <source>Please choose one or more items first!</source>
      <translation>Bitte wählen Sie zuerst ein oder mehrere Elemente aus!</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="1" />
      <source>The photos could not be read from the device.</source>
      <translation>Die Fotos konnten nicht vom Gerät gelesen werden.</translation>
    </message>
    <message>
      <source>Remove the selected photos from this album? They stay in the Photo Library.</source>
      <translation>Die ausgewählten Fotos aus diesem Album entfernen? Sie bleiben in der Fotomediathek.</translation>
    </message>
  </context>
  <context>
    <name>UserPicItemShow</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicItemShow.cpp" line="94" />
      <source>The photos could not be taken out of the album.</source>
      <translation>Die Fotos konnten nicht aus dem Album entfernt werden.</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicItemShow.cpp" line="138" />
      <source>Return</source>
      <translation>Zurück</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicItemShow.cpp" line="1" />
      <source>The photos of this album could not be read from the device.</source>
      <translation>Die Fotos dieses Albums konnten nicht vom Gerät gelesen werden.</translation>
    </message>
  </context>
  <context>
    <name>UserPicWidget</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="25" />
      <source>The following albums cannot be deleted: 

1.Camera Roll 
2.Photo Library 
3.Albums that comes with the device 
4.Albums created on the device
</source>
      <translation>Die folgenden Alben können nicht gelöscht werden: 

1.Aufnahmen 
2.Fotomediathek 
3.Alben, die zum Gerät gehören 
4.Auf dem Gerät erstellte Alben
</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="31" />
      <source>The folowing albums cannot be renamed: 

1.Camera Roll 
2.Photo Library 
3.Albums that comes with the device 
4.Albums created on the device
</source>
      <translation>Die folgenden Alben können nicht umbenannt werden: 

1.Aufnahmen 
2.Fotomediathek 
3.Alben, die zum Gerät gehören 
4.Auf dem Gerät erstellte Alben
</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="97" />
      <source>Please enter a name for the album.</source>
      <translation>Bitte geben Sie einen Namen für das Album ein.</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="101" />
      <source>An album name can't contain any of the following characters:
\ / : * ? " &lt; &gt; |</source>
      <translation>Ein Albumname darf keines der folgenden Zeichen enthalten:
\ / : * ? " &lt; &gt; |</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="105" />
      <source>The album name is too long.</source>
      <translation>Der Albumname ist zu lang.</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="188" />
      <source>Please choose one or more items first!</source>
      <translation>Bitte wählen Sie zuerst ein oder mehrere Elemente aus!</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="249" />
      <source>The album %1 could not be created.</source>
      <translation>Das Album %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="257" />
      <source>The album %1 no longer exists on the device.</source>
      <translation>Das Album %1 gibt es auf dem Gerät nicht mehr.</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="266" />
      <source>The album could not be renamed to %1.</source>
      <translation>Das Album konnte nicht in %1 umbenannt werden.</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="278" />
      <source>An album could not be deleted.</source>
      <translation>Ein Album konnte nicht gelöscht werden.</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="1" />
      <source>The albums could not be read from the device.</source>
      <translation>Die Alben konnten nicht vom Gerät gelesen werden.</translation>
    </message>
  </context>
</TS>