<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CDeviceTreeNodes</name>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="39"/>
        <source>Media</source>
        <translation>Medien</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="41"/>
        <source>Playlist</source>
        <translation>Wiedergabeliste</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="43"/>
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="45"/>
        <source>iBooks</source>
        <translation>iBooks</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="47"/>
        <source>Contacts</source>
        <translation>Kontakte</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="49"/>
        <source>Messages</source>
        <translation>Nachrichten</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="51"/>
        <source>Apps</source>
        <translation>Apps</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="53"/>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="55"/>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="57"/>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
</context>
<context>
    <name>CHomeTools</name>
    <message>
        <location filename="../../src/device/CHomeTools.cpp" line="21"/>
        <location filename="../../src/device/CHomeTools.cpp" line="43"/>
        <source>Please choose one or more items first!</source>
        <translation>Bitte wählen Sie zuerst ein oder mehrere Elemente aus!</translation>
    </message>
    <message>
        <location filename="../../src/device/CHomeTools.cpp" line="37"/>
        <source>Sorry!
You can&apos;t transfer data in that type to iTunes.</source>
        <translation>Entschuldigung!
Daten dieser Art können nicht zu iTunes übertragen werden.</translation>
    </message>
</context>
<context>
    <name>CSingleDetectiPhone</name>
    <message>
        <location filename="../../src/device/CSingleDetectiPhone.cpp" line="33"/>
        <source>IOSListener register failed!</source>
        <translation>Die Geräteerkennung konnte nicht gestartet werden!</translation>
    </message>
    <message>
        <location filename="../../src/device/CSingleDetectiPhone.cpp" line="35"/>
        <source>Device detection could not start (error %1). Please check that your home folder can be written.</source>
        <translation>Die Geräteerkennung konnte nicht starten (Fehler %1). Bitte prüfen Sie, ob Ihr Home-Ordner beschreibbar ist.</translation>
    </message>
</context>
<context>
    <name>ConnectWidget</name>
    <message>
        <location filename="../../src/device/ConnectWidget.ui" line="31"/>
        <source>Initializing Apple..</source>
        <translation>Apple-Gerät wird initialisiert..</translation>
    </message>
    <message>
        <location filename="../../src/device/ConnectWidget.ui" line="46"/>
        <location filename="../../src/device/ConnectWidget.cpp" line="96"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../../src/device/ConnectWidget.ui" line="77"/>
        <source>Retry</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp" line="95"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp" line="150"/>
        <source>Go to Help Center&gt;&gt;</source>
        <translation>Zum Hilfe-Center&gt;&gt;</translation>
    </message>
</context>
<context>
    <name>DeviceModel</name>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="9"/>
        <source>DeviceName</source>
        <translation>Gerätename</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="10"/>
        <source>DeviceClass</source>
        <translation>Geräteklasse</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="11"/>
        <source>ProductType</source>
        <translation>Produkttyp</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="12"/>
        <source>ProductVersion</source>
        <translation>Produktversion</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="13"/>
        <source>SerialNumber</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="14"/>
        <source>UniqueDeviceID</source>
        <translation>Eindeutige Geräte-ID</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="15"/>
        <source>ModelNumber</source>
        <translation>Modellnummer</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="16"/>
        <source>BuildVersion</source>
        <translation>Build-Version</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="17"/>
        <source>HardwareModel</source>
        <translation>Hardwaremodell</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="18"/>
        <source>DeviceColor</source>
        <translation>Gerätefarbe</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="19"/>
        <source>RegionInfo</source>
        <translation>Region</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="20"/>
        <source>CPUArchitecture</source>
        <translation>CPU-Architektur</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="21"/>
        <source>Wi-Fi Address</source>
        <translation>WLAN-Adresse</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="22"/>
        <source>BluetoothAddress</source>
        <translation>Bluetooth-Adresse</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="23"/>
        <source>PartitionType</source>
        <translation>Partitionstyp</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="24"/>
        <source>FirmwareVersion</source>
        <translation>Firmware-Version</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="25"/>
        <source>ActivationState</source>
        <translation>Aktivierungsstatus</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="26"/>
        <source>ActivationStateAcknowledged</source>
        <translation>Aktivierung bestätigt</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="27"/>
        <source>BasebandVersion</source>
        <translation>Baseband-Version</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="28"/>
        <source>BasebandBootloaderVersion</source>
        <translation>Baseband-Bootloader-Version</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="29"/>
        <source>BasebandChipId</source>
        <translation>Baseband-Chip-ID</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="30"/>
        <source>BasebandGoldCertId</source>
        <translation>Baseband-GoldCert-ID</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="31"/>
        <source>ICCID</source>
        <translation>ICCID</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="32"/>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="33"/>
        <source>IMSI</source>
        <translation>IMSI</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="34"/>
        <source>MLBSerialNumber</source>
        <translation>MLB-Seriennummer</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="35"/>
        <source>MobileSubscriberCountryCode</source>
        <translation>Mobilfunk-Ländercode</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="36"/>
        <source>MobileSubscriberNetworkCode</source>
        <translation>Mobilfunk-Netzcode</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="37"/>
        <source>PasswordProtected</source>
        <translation>Kennwortgeschützt</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="38"/>
        <source>Phone Number</source>
        <translation>Telefonnummer</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="39"/>
        <source>ProductionSOC</source>
        <translation>Produktions-SoC</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="40"/>
        <source>ProtocolVersion</source>
        <translation>Protokollversion</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="41"/>
        <source>SDIOProductInfo</source>
        <translation>SDIO-Produktinfo</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="42"/>
        <source>SIMStatus</source>
        <translation>SIM-Status</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="43"/>
        <source>SoftwareBundleVersion</source>
        <translation>Softwarepaket-Version</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="44"/>
        <source>SupportedDeviceFamilies</source>
        <translation>Unterstützte Gerätefamilien</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="45"/>
        <source>SomebodySetTimeZone</source>
        <translation>Zeitzone manuell gesetzt</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="46"/>
        <source>TimeIntervalSince1970</source>
        <translation>Sekunden seit 1970</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="47"/>
        <source>TimeZone</source>
        <translation>Zeitzone</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="48"/>
        <source>TimeZoneOffsetFromUTC</source>
        <translation>Abweichung von UTC</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="49"/>
        <source>UniqueChipID</source>
        <translation>Eindeutige Chip-ID</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="50"/>
        <source>Uses24HourClock</source>
        <translation>24-Stunden-Format</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="51"/>
        <source>iTunesHasConnected</source>
        <translation>Mit iTunes verbunden</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="86"/>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="113"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="115"/>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
</context>
<context>
    <name>InitDeviceWidget</name>
    <message>
        <location filename="../../src/device/InitDeviceWidget.ui" line="13"/>
        <source>Initializing iOS Device ...</source>
        <translation>iOS-Gerät wird initialisiert ...</translation>
    </message>
    <message>
        <location filename="../../src/device/InitDeviceWidget.ui" line="28"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../../src/device/InitDeviceWidget.cpp" line="37"/>
        <source>InitDeviceWidget::InitControls fail</source>
        <translation>InitDeviceWidget::InitControls fehlgeschlagen</translation>
    </message>
    <message>
        <location filename="../../src/device/InitDeviceWidget.cpp" line="148"/>
        <source>Get device information failed!</source>
        <translation>Geräteinformationen konnten nicht gelesen werden!</translation>
    </message>
</context>
<context>
    <name>QAddDataWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QAddDataWidget.cpp" line="37"/>
        <source>QAddDataWidget::setLabelImage, this image name is invalid %1, please re-install!</source>
        <translation>QAddDataWidget::setLabelImage, der Bildname %1 ist ungültig, bitte installieren Sie die Software neu!</translation>
    </message>
</context>
<context>
    <name>QAppsView</name>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="10"/>
        <source>Apps</source>
        <translation>Apps</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="14"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="14"/>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="14"/>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
</context>
<context>
    <name>QBaseDetailsView</name>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp" line="300"/>
        <source>Entries</source>
        <translation>Einträge</translation>
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
    <name>QContactsView</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="10"/>
        <source>Contacts</source>
        <translation>Kontakte</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="14"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="14"/>
        <source>Phone</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="14"/>
        <source>E-mail</source>
        <translation>E-Mail</translation>
    </message>
</context>
<context>
    <name>QDeviceInformationWidget</name>
    <message>
        <source>This backup is open for reading: its contacts, messages, call history and photos can be viewed and exported, but nothing in it can be changed. A backup holds no battery or storage figures.</source>
        <translation>Diese Sicherung ist zum Lesen geöffnet: Kontakte, Nachrichten, Anrufliste und Fotos lassen sich ansehen und exportieren, aber nichts darin kann geändert werden. Eine Sicherung enthält keine Angaben zu Akku und Speicher.</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.ui" line="20"/>
        <source>data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.ui" line="25"/>
        <source>system</source>
        <translation>System</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.ui" line="42"/>
        <source>refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="38"/>
        <source>QDeviceInformationWidget::initControls can&apos;t find image, please re-install software</source>
        <translation>QDeviceInformationWidget::initControls: Bild nicht gefunden, bitte installieren Sie die Software neu</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="40"/>
        <source>QDeviceinformationWideget get deviceInfo failed!</source>
        <translation>QDeviceinformationWideget: Geräteinformationen konnten nicht gelesen werden!</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="149"/>
        <source>Get diskInfo failed!</source>
        <translation>Speicherinformationen konnten nicht gelesen werden!</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="163"/>
        <source>Apps</source>
        <translation>Apps</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="164"/>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="165"/>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="166"/>
        <source>iBooks</source>
        <translation>iBooks</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="167"/>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="177"/>
        <source>Available</source>
        <translation>Verfügbar</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="176"/>
        <source>Used</source>
        <translation>Belegt</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="207"/>
        <source>Rename failed!</source>
        <translation>Umbenennen fehlgeschlagen!</translation>
    </message>
</context>
<context>
    <name>QDeviceTreeMenus</name>
    <message>
        <location filename="../../src/device/QDeviceTreeMenus.cpp" line="58"/>
        <source>New Playlist</source>
        <translation>Neue Wiedergabeliste</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceTreeMenus.cpp" line="59"/>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceTreeMenus.cpp" line="60"/>
        <location filename="../../src/device/QDeviceTreeMenus.cpp" line="62"/>
        <location filename="../../src/device/QDeviceTreeMenus.cpp" line="64"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceTreeMenus.cpp" line="61"/>
        <source>new Album</source>
        <translation>Neues Album</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceTreeMenus.cpp" line="63"/>
        <source>Greate New Group</source>
        <translation>Neue Gruppe erstellen</translation>
    </message>
</context>
<context>
    <name>QInformationWidget</name>
    <message>
        <source>phone number</source>
        <translation>Telefonnummer</translation>
    </message>
    <message>
        <source>backed up</source>
        <translation>gesichert am</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="32"/>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="53"/>
        <source>purchased</source>
        <translation>Gekauft</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="55"/>
        <source>warranty</source>
        <translation>Garantie</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="57"/>
        <source>activated</source>
        <translation>Aktiviert</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="59"/>
        <source>version</source>
        <translation>Version</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="61"/>
        <source>serial</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="63"/>
        <source>type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="65"/>
        <source>jailreadked</source>
        <translation>Jailbreak</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="67"/>
        <source>region</source>
        <translation>Region</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="69"/>
        <source>battery</source>
        <translation>Akku</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="84"/>
        <source>more</source>
        <translation>Mehr</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="118"/>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.cpp" line="109"/>
        <source>N/A</source>
        <translation>k. A.</translation>
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
    <name>QNavigateWidget</name>
    <message>
        <source>Open backup…</source>
        <translation>Sicherung öffnen …</translation>
    </message>
    <message>
        <source>Open a backup folder to view and export its content (Ctrl+O)</source>
        <translation>Einen Sicherungsordner öffnen, um seinen Inhalt anzusehen und zu exportieren (Strg+O)</translation>
    </message>
    <message>
        <source>Close backup</source>
        <translation>Sicherung schließen</translation>
    </message>
    <message>
        <location filename="../../src/device/QNavigateWidget.cpp" line="150"/>
        <source>QNavigateWidget::InitControls can&apos;t find /image/btn_help.png image, please re-install software</source>
        <translation>QNavigateWidget::InitControls: Das Bild /image/btn_help.png fehlt, bitte installieren Sie die Software neu</translation>
    </message>
    <message>
        <location filename="../../src/device/QNavigateWidget.cpp" line="379"/>
        <source>The playlist could not be changed (error %1).</source>
        <translation>Die Wiedergabeliste konnte nicht geändert werden (Fehler %1).</translation>
    </message>
    <message>
        <location filename="../../src/device/QNavigateWidget.cpp" line="399"/>
        <source>Get playlist failed</source>
        <translation>Die Wiedergabelisten konnten nicht gelesen werden</translation>
    </message>
    <message>
        <location filename="../../src/device/QNavigateWidget.cpp" line="788"/>
        <source>Playlist name:</source>
        <translation>Name der Wiedergabeliste:</translation>
    </message>
</context>
<context>
    <name>QOperatePanel</name>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="53"/>
        <source>QOperatePanel::InitControls can&apos;t find btn image, please reinstall software</source>
        <translation>QOperatePanel::InitControls findet das Schaltflächenbild nicht, bitte installieren Sie die Software neu</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="106"/>
        <source>QOperatePanel::setCustomFirst can&apos;t find btn image, please reinstall software</source>
        <translation>QOperatePanel::setCustomFirst findet das Schaltflächenbild nicht, bitte installieren Sie die Software neu</translation>
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
    <name>QRenameDlg</name>
    <message>
        <location filename="../../src/device/QRenameDlg.cpp" line="70"/>
        <source>QRenameDlg init image fail, please re-install</source>
        <translation>QRenameDlg: Bilder konnten nicht geladen werden, bitte neu installieren</translation>
    </message>
    <message>
        <location filename="../../src/device/QRenameDlg.cpp" line="75"/>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <location filename="../../src/device/QRenameDlg.cpp" line="76"/>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <location filename="../../src/device/QRenameDlg.cpp" line="77"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../../src/device/QRenameDlg.cpp" line="78"/>
        <source>Device name</source>
        <translation>Gerätename</translation>
    </message>
</context>
<context>
    <name>QRightFuntionWidget</name>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.ui" line="12"/>
        <source>ToPC</source>
        <translation>Zum PC</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.ui" line="13"/>
        <source>ToiTunes</source>
        <translation>Zu iTunes</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.ui" line="14"/>
        <source>ToDevice</source>
        <translation>Zum Gerät</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.ui" line="15"/>
        <source>Backup</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.ui" line="16"/>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.ui" line="17"/>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.cpp" line="60"/>
        <source>Transfer data to local computer</source>
        <translation>Daten auf den lokalen Computer übertragen</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.cpp" line="61"/>
        <source>Transfer data to iPhone, iPad or iPod</source>
        <translation>Daten auf iPhone, iPad oder iPod übertragen</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.cpp" line="62"/>
        <source>Transfer data to iTunes library</source>
        <translation>Daten in die iTunes-Mediathek übertragen</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.cpp" line="63"/>
        <source>Create backup of iOS devices to computer</source>
        <translation>Sicherung von iOS-Geräten auf dem Computer erstellen</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.cpp" line="64"/>
        <source>Restore backup to iOS devices</source>
        <translation>Sicherung auf iOS-Geräten wiederherstellen</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.cpp" line="65"/>
        <source>All tools</source>
        <translation>Alle Werkzeuge</translation>
    </message>
</context>
<context>
    <name>QSearchWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QSearchWidget.cpp" line="36"/>
        <source>QSearchWidget::InitControls can&apos;t find btn image, please reinstall software</source>
        <translation>QSearchWidget::InitControls findet das Schaltflächenbild nicht, bitte installieren Sie die Software neu</translation>
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
    <name>CContactsBackup</name>
    <message>
        <source>Backup Contacts</source>
        <translation>Kontakte sichern</translation>
    </message>
    <message>
        <source>Backup failed! %1 could not be written.</source>
        <translation>Sicherung fehlgeschlagen! %1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>%1 contacts were saved to %2.</source>
        <translation>%1 Kontakte wurden in %2 gespeichert.</translation>
    </message>
    <message>
        <source>Reading the contacts from the device...</source>
        <translation>Kontakte werden vom Gerät gelesen...</translation>
    </message>
</context>
<context>
    <name>CToolTiles</name>
    <message>
        <source>Please connect your iPhone, iPad or iPod first.</source>
        <translation>Bitte schließen Sie zuerst Ihr iPhone, iPad oder Ihren iPod an.</translation>
    </message>
    <message>
        <source>Convert Video</source>
        <translation>Video umwandeln</translation>
    </message>
    <message>
        <source>Conversion failed! %1 could not be created.</source>
        <translation>Umwandlung fehlgeschlagen! %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>These files are not videos or could not be converted:
%1</source>
        <translation>Diese Dateien sind keine Videos oder konnten nicht umgewandelt werden:
%1</translation>
    </message>
    <message>
        <source>%1 videos were converted to MP4 in %2.</source>
        <translation>%1 Videos wurden in %2 nach MP4 umgewandelt.</translation>
    </message>
    <message>
        <source>The chosen videos are MP4 files already.</source>
        <translation>Die gewählten Videos sind bereits MP4-Dateien.</translation>
    </message>
    <message>
        <source>No iTunes media folder was found on this computer.</source>
        <translation>Auf diesem Computer wurde kein iTunes-Medienordner gefunden.</translation>
    </message>
    <message>
        <source>Media Files(*.mp3 *.m4a *.aac *.wav *.aif *.aiff *.mp4 *.m4v *.mov)</source>
        <translation>Mediendateien(*.mp3 *.m4a *.aac *.wav *.aif *.aiff *.mp4 *.m4v *.mov)</translation>
    </message>
    <message>
        <source>All Files(*)</source>
        <translation>Alle Dateien(*)</translation>
    </message>
    <message>
        <source>Copy to iTunes</source>
        <translation>Nach iTunes kopieren</translation>
    </message>
    <message>
        <source>These files could not be copied:
%1</source>
        <translation>Diese Dateien konnten nicht kopiert werden:
%1</translation>
    </message>
    <message>
        <source>%1 files were copied to %2.</source>
        <translation>%1 Dateien wurden nach %2 kopiert.</translation>
    </message>
</context>
<context>
    <name>QiTunesCopyDlg</name>
    <message>
        <source>Copying to iTunes</source>
        <translation>Kopieren nach iTunes</translation>
    </message>
    <message>
        <source>Copying %1 of %2: %3</source>
        <translation>Kopiere %1 von %2: %3</translation>
    </message>
</context>
<context>
    <name>ToolWidget</name>
    <message>
        <location filename="../../src/device/ToolWidget.cpp" line="33"/>
        <source>All tools</source>
        <translation>Alle Werkzeuge</translation>
    </message>
    <message>
        <location filename="../../src/device/ToolWidget.cpp" line="37"/>
        <source>conncect device &gt;&gt;</source>
        <translation>Gerät verbinden &gt;&gt;</translation>
    </message>
    <message>
        <location filename="../../src/device/ToolWidget.cpp" line="92"/>
        <location filename="../../src/device/ToolWidget.cpp" line="93"/>
        <source>Backup Contacts</source>
        <translation>Kontakte sichern</translation>
    </message>
    <message>
        <source>Convert Video</source>
        <translation>Video umwandeln</translation>
    </message>
    <message>
        <source>Copy to iTunes</source>
        <translation>Nach iTunes kopieren</translation>
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
    <name>CBackupOpener</name>
    <message>
        <source>Open backup</source>
        <translation>Sicherung öffnen</translation>
    </message>
    <message>
        <source>%1 holds several backups. Choose the folder of one of them.</source>
        <translation>%1 enthält mehrere Sicherungen. Wählen Sie den Ordner einer davon.</translation>
    </message>
    <message>
        <source>%1 cannot be opened as a backup: %2.</source>
        <translation>%1 kann nicht als Sicherung geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>It was made by iOS %1, whose files this program may not read completely.</source>
        <translation>Sie wurde von iOS %1 erstellt, dessen Dateien dieses Programm womöglich nicht vollständig liest.</translation>
    </message>
    <message>
        <source>Parts of this backup cannot be read; the rest is shown.
%1</source>
        <translation>Teile dieser Sicherung sind nicht lesbar; der Rest wird angezeigt.
%1</translation>
    </message>
</context>
<context>
    <name>CBackupTreeNodes</name>
    <message>
        <source>Backups</source>
        <translation>Sicherungen</translation>
    </message>
</context>
<context>
    <name>QBackupPasswordDlg</name>
    <message>
        <source>Encrypted backup</source>
        <translation>Verschlüsselte Sicherung</translation>
    </message>
    <message>
        <source>The backup &quot;%1&quot; is encrypted. Enter the password that was set for its backups on the device.</source>
        <translation>Die Sicherung „%1“ ist verschlüsselt. Geben Sie das Passwort ein, das auf dem Gerät für seine Sicherungen festgelegt wurde.</translation>
    </message>
    <message>
        <source>The password is wrong. Please try again.</source>
        <translation>Das Passwort ist falsch. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The backup cannot be unlocked: %1</source>
        <translation>Die Sicherung lässt sich nicht entsperren: %1</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Wird angehalten …</translation>
    </message>
    <message>
        <source>Checking the password. This takes a few seconds…</source>
        <translation>Das Passwort wird geprüft. Das dauert einige Sekunden …</translation>
    </message>
    <message>
        <source>This device encrypts its backups, and its contacts, messages and calls are read from a backup of it. Enter the password that was set for its backups on the device.</source>
        <translation>Dieses Gerät verschlüsselt seine Sicherungen, und seine Kontakte, Nachrichten und Anrufe werden aus einer Sicherung gelesen. Geben Sie das Passwort ein, das auf dem Gerät für seine Sicherungen festgelegt wurde.</translation>
    </message>
</context>
</TS>
