<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ConnectWidget</name>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp"/>
        <source>Plug your iPhone, iPad or iPod in by cable and unlock it. It appears here as soon as the computer&apos;s device service (usbmuxd) has started.</source>
        <translation>Plug your iPhone, iPad or iPod in by cable and unlock it. It appears here as soon as the computer&apos;s device service (usbmuxd) has started.</translation>
    </message>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp"/>
        <source>The device service usbmuxd is not installed on this computer. Install the Debian package &quot;usbmuxd&quot; (sudo apt install usbmuxd), then plug your device in and unlock it.</source>
        <translation>The device service usbmuxd is not installed on this computer. Install the Debian package &quot;usbmuxd&quot; (sudo apt install usbmuxd), then plug your device in and unlock it.</translation>
    </message>
</context>
<context>
    <name>AddContactsDlg</name>
    <message>
        <source>yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>AddContactsWidget</name>
    <message>
        <source>Nick Name</source>
        <translation>Nickname</translation>
    </message>
    <message>
        <source>Get photo data failed! Please choose another one!</source>
        <translation>Failed to read the photo! Please choose another one!</translation>
    </message>
    <message>
        <source>picture files (.jpg);;All files (*.*)</source>
        <translation>Picture files (*.jpg);;All files (*)</translation>
    </message>
</context>
<context>
    <name>BackupProgressDialog</name>
    <message>
        <source>Please wait....</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>Backup successfully!</source>
        <translation>The backup was completed successfully!</translation>
    </message>
    <message>
        <source>Opps, backup failed. Please try again!</source>
        <translation>Oops, the backup failed. Please try again!</translation>
    </message>
</context>
<context>
    <name>CActionStrategyDlg</name>
    <message>
        <source>Are you sure to delete the selected item(s)?</source>
        <translation>Are you sure you want to delete the selected items?</translation>
    </message>
    <message>
        <source>Please choose any of items to delete!</source>
        <translation>Please choose the items to delete!</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation>Vexa Transfer</translation>
    </message>
    <message>
        <source>Please wait....</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CHomeTools</name>
    <message>
        <source>Sorry!
You can&apos;t transfer data in that type to iTunes.</source>
        <translation>Sorry!
This kind of data can&apos;t be transferred to iTunes.</translation>
    </message>
</context>
<context>
    <name>CMediaFileAdd</name>
    <message>
        <source>CDB file is not find! please open the iTunes to repair!</source>
        <translation>The CDB file was not found! Please open iTunes to repair it!</translation>
    </message>
    <message>
        <source>CDB file was damaged, please open the iTunes to repair!</source>
        <translation>The CDB file is damaged! Please open iTunes to repair it!</translation>
    </message>
    <message>
        <source>Add musci fialed!</source>
        <translation>Failed to add the music!</translation>
    </message>
</context>
<context>
    <name>CPhotoSerialDlg</name>
    <message>
        <source>Dialog</source>
        <translation>Vexa Transfer</translation>
    </message>
    <message>
        <source>Please wait....</source>
        <translation>Please wait...</translation>
    </message>
</context>
<context>
    <name>CSingleDetectiPhone</name>
    <message>
        <source>IOSListener register failed!</source>
        <translation>Failed to register the device listener!</translation>
    </message>
</context>
<context>
    <name>CheckDownloadDlg</name>
    <message>
        <source>Current downloading: </source>
        <translation>Downloading: </translation>
    </message>
    <message>
        <source>Redirect to %1 ?</source>
        <translation>Redirect to %1?</translation>
    </message>
</context>
<context>
    <name>ConnectWidget</name>
    <message>
        <source>Initializing Apple..</source>
        <translation>Initializing Apple device support...</translation>
    </message>
</context>
<context>
    <name>InitDeviceWidget</name>
    <message>
        <source>Initializing iOS Device ...</source>
        <translation>Initializing the iOS device...</translation>
    </message>
    <message>
        <source>InitDeviceWidget::InitControls fail</source>
        <translation>InitDeviceWidget::InitControls failed</translation>
    </message>
    <message>
        <source>Get device information failed!</source>
        <translation>Failed to get the device information!</translation>
    </message>
</context>
<context>
    <name>NewAlbumWidget</name>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancle</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>PhotoImageShow</name>
    <message>
        <source>Please wait....</source>
        <translation>Please wait...</translation>
    </message>
</context>
<context>
    <name>PicItemTotal</name>
    <message>
        <source>PhotoStream</source>
        <translation>Photo Stream</translation>
    </message>
</context>
<context>
    <name>PlayBtnWidget</name>
    <message>
        <source>Play list</source>
        <translation>Playlist</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message>
        <source>Copying %1 ...</source>
        <translation>Copying %1...</translation>
    </message>
    <message>
        <source>Video Files(*.mp4 *.m4v *.mov *.avi *.mkv *.wmv *.flv *.mpg *.webm)</source>
        <translation>Video Files (*.mp4 *.m4v *.mov *.avi *.mkv *.wmv *.flv *.mpg *.webm)</translation>
    </message>
</context>
<context>
    <name>QAddDataWidget</name>
    <message>
        <source>QAddDataWidget::setLabelImage, this image name is invalid %1, please re-install!</source>
        <translation>QAddDataWidget::setLabelImage can&apos;t load the image %1, please reinstall the software!</translation>
    </message>
</context>
<context>
    <name>QAppsView</name>
    <message>
        <source>Get app number failed! Please refresh!</source>
        <translation>Failed to get the number of apps! Please refresh!</translation>
    </message>
    <message>
        <source>Get app icon failed! Please refresh!</source>
        <translation>Failed to get the app icon! Please refresh!</translation>
    </message>
    <message>
        <source>Apps(*.ipa *.pxl)</source>
        <translation>Apps (*.ipa *.pxl)</translation>
    </message>
    <message>
        <source>file loading...</source>
        <translation>Loading files...</translation>
    </message>
    <message>
        <source>Access to information...</source>
        <translation>Reading the device information...</translation>
    </message>
    <message>
        <source>installing...</source>
        <translation>Installing...</translation>
    </message>
    <message>
        <source>Unstalling...</source>
        <translation>Uninstalling...</translation>
    </message>
    <message>
        <source>Write playlist error!</source>
        <translation>Failed to write the playlist!</translation>
    </message>
    <message>
        <source>Parse playlist error!</source>
        <translation>Failed to read the playlist!</translation>
    </message>
    <message>
        <source>Revice playlist error!</source>
        <translation>Failed to change the playlist!</translation>
    </message>
    <message>
        <source>Put file error!</source>
        <translation>Failed to copy the file to the device!</translation>
    </message>
    <message>
        <source>Get file error!</source>
        <translation>Failed to get the file!</translation>
    </message>
    <message>
        <source>Install app error!</source>
        <translation>Failed to install the app!</translation>
    </message>
    <message>
        <source>Install app failed! Your system version is too low!</source>
        <translation>Failed to install the app! The device&apos;s iOS version is too old!</translation>
    </message>
    <message>
        <source>Backup App failed!</source>
        <translation>Failed to back up the app!</translation>
    </message>
    <message>
        <source>Close archive error!</source>
        <translation>The archive could not be closed!</translation>
    </message>
    <message>
        <source>Apps(*.ipa)</source>
        <translation>Apps (*.ipa)</translation>
    </message>
    <message>
        <source>Backup successfully!</source>
        <translation>The backup was completed successfully!</translation>
    </message>
    <message>
        <source>Back app</source>
        <translation>Back Up App</translation>
    </message>
    <message>
        <source>Backup app(Contains the document)</source>
        <translation>Back up the app (with its documents)</translation>
    </message>
</context>
<context>
    <name>QAppsViewModel</name>
    <message>
        <source>AppSize</source>
        <translation>App Size</translation>
    </message>
</context>
<context>
    <name>QContactsView</name>
    <message>
        <source>Get Contact information failed!</source>
        <translation>Failed to get the contact information!</translation>
    </message>
    <message>
        <source>The contact was saved, but not put in its group!</source>
        <translation>The contact was saved, but could not be put in its group!</translation>
    </message>
    <message>
        <source>Add contact failed!</source>
        <translation>Failed to add the contact!</translation>
    </message>
    <message>
        <source>Modify contact failed!</source>
        <translation>Failed to change the contact!</translation>
    </message>
    <message>
        <source>Please choose any of items to delete!</source>
        <translation>Please choose the items to delete!</translation>
    </message>
    <message>
        <source>Are you sure to delete the selected item(s)?</source>
        <translation>Are you sure you want to delete the selected items?</translation>
    </message>
    <message>
        <source>Create group failed!</source>
        <translation>Failed to create the group!</translation>
    </message>
    <message>
        <source>Are you sure to delete the group &quot;%1&quot;? Its contacts stay.</source>
        <translation>Are you sure you want to delete the group &quot;%1&quot;? Its contacts are kept.</translation>
    </message>
    <message>
        <source>Delete group failed!</source>
        <translation>Failed to delete the group!</translation>
    </message>
    <message>
        <source>Rename group failed!</source>
        <translation>Failed to rename the group!</translation>
    </message>
    <message>
        <source>Delete this Contact</source>
        <translation>Delete this contact</translation>
    </message>
</context>
<context>
    <name>QConverVideoDlg</name>
    <message>
        <source>Calculating....</source>
        <translation>Calculating...</translation>
    </message>
    <message>
        <source>Are you sure to cancel video transfer?</source>
        <translation>Are you sure you want to cancel the video transfer?</translation>
    </message>
</context>
<context>
    <name>QDeviceInformationWidget</name>
    <message>
        <source>data</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>system</source>
        <translation>System</translation>
    </message>
    <message>
        <source>refresh</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>QDeviceInformationWidget::initControls can&apos;t find image, please re-install software</source>
        <translation>QDeviceInformationWidget::initControls can&apos;t find an image, please reinstall the software</translation>
    </message>
    <message>
        <source>QDeviceinformationWideget get deviceInfo failed!</source>
        <translation>QDeviceInformationWidget can&apos;t get the device information!</translation>
    </message>
    <message>
        <source>Get diskInfo failed!</source>
        <translation>Failed to get the disk information!</translation>
    </message>
    <message>
        <source>Rename failed!</source>
        <translation>Failed to rename!</translation>
    </message>
</context>
<context>
    <name>QDeviceTreeMenus</name>
    <message>
        <source>new Album</source>
        <translation>New Album</translation>
    </message>
    <message>
        <source>Greate New Group</source>
        <translation>Create New Group</translation>
    </message>
</context>
<context>
    <name>QGroupNameDlg</name>
    <message>
        <source>yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>QInformationWidget</name>
    <message>
        <source>purchased</source>
        <translation>Purchased</translation>
    </message>
    <message>
        <source>warranty</source>
        <translation>Warranty</translation>
    </message>
    <message>
        <source>activated</source>
        <translation>Activated</translation>
    </message>
    <message>
        <source>version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>serial</source>
        <translation>Serial Number</translation>
    </message>
    <message>
        <source>type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>jailreadked</source>
        <translation>jailbroken</translation>
    </message>
    <message>
        <source>region</source>
        <translation>Region</translation>
    </message>
    <message>
        <source>battery</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>more</source>
        <translation>More</translation>
    </message>
</context>
<context>
    <name>QMusicView</name>
    <message>
        <source>Audio Files(*.mp3)</source>
        <translation>Audio Files (*.mp3)</translation>
    </message>
    <message>
        <source>Get playlist failed</source>
        <translation>Failed to get the playlist</translation>
    </message>
</context>
<context>
    <name>QNavigateWidget</name>
    <message>
        <source>QNavigateWidget::InitControls can&apos;t find /image/btn_help.png image, please re-install software</source>
        <translation>QNavigateWidget::InitControls can&apos;t find the image /image/btn_help.png, please reinstall the software</translation>
    </message>
</context>
<context>
    <name>QOperatePanel</name>
    <message>
        <source>QOperatePanel::InitControls can&apos;t find btn image, please reinstall software</source>
        <translation>QOperatePanel::InitControls can&apos;t find a button image, please reinstall the software</translation>
    </message>
    <message>
        <source>QOperatePanel::setCustomFirst can&apos;t find btn image, please reinstall software</source>
        <translation>QOperatePanel::setCustomFirst can&apos;t find a button image, please reinstall the software</translation>
    </message>
</context>
<context>
    <name>QPagedFlowViewerWidget</name>
    <message>
        <source>QPagedFlowViewerWidget::LoadImages can&apos;t find image, please re-install software</source>
        <translation>QPagedFlowViewerWidget::LoadImages can&apos;t find an image, please reinstall the software</translation>
    </message>
</context>
<context>
    <name>QPhotoView</name>
    <message>
        <source>New album</source>
        <translation>New Album</translation>
    </message>
    <message>
        <source>CheckAll</source>
        <translation>Check All</translation>
    </message>
    <message>
        <source>UncheckAll</source>
        <translation>Uncheck All</translation>
    </message>
    <message>
        <source>Images (*.bmp *.jpg *.gif *.png *jpeg)</source>
        <translation>Images (*.bmp *.jpg *.gif *.png *.jpeg)</translation>
    </message>
</context>
<context>
    <name>QPlayAnalysisTread</name>
    <message>
        <source>Get playlist failed</source>
        <translation>Failed to get the playlist</translation>
    </message>
    <message>
        <source>Dele Playlist failed!</source>
        <translation>Failed to delete the playlist!</translation>
    </message>
    <message>
        <source>Add playlist failed!</source>
        <translation>Failed to add the playlist!</translation>
    </message>
</context>
<context>
    <name>QPlayListNameDlg</name>
    <message>
        <source>close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>QPlayListView</name>
    <message>
        <source>Audio Files(*.mp3 *.m4a)</source>
        <translation>Audio Files (*.mp3 *.m4a)</translation>
    </message>
    <message>
        <source>To iDevices</source>
        <translation>To Devices</translation>
    </message>
</context>
<context>
    <name>QProgressDlg</name>
    <message>
        <source>Dialog</source>
        <translation>Vexa Transfer</translation>
    </message>
    <message>
        <source>Please wait....</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QRenameDlg</name>
    <message>
        <source>QRenameDlg init image fail, please re-install</source>
        <translation>QRenameDlg can&apos;t find its images, please reinstall the software</translation>
    </message>
</context>
<context>
    <name>QRestoreDlg</name>
    <message>
        <source>Please select restore file!</source>
        <translation>Please select a backup to restore!</translation>
    </message>
    <message>
        <source>
Are you sure to delete this backup file?
</source>
        <translation>
Are you sure you want to delete this backup file?
</translation>
    </message>
</context>
<context>
    <name>QRightFuntionWidget</name>
    <message>
        <source>ToPC</source>
        <translation>To PC</translation>
    </message>
    <message>
        <source>ToiTunes</source>
        <translation>To iTunes</translation>
    </message>
    <message>
        <source>ToDevice</source>
        <translation>To Device</translation>
    </message>
    <message>
        <source>Create backup of iOS devices to computer</source>
        <translation>Back up iOS devices to the computer</translation>
    </message>
</context>
<context>
    <name>QSearchWidget</name>
    <message>
        <source>QSearchWidget::InitControls can&apos;t find btn image, please reinstall software</source>
        <translation>QSearchWidget::InitControls can&apos;t find a button image, please reinstall the software</translation>
    </message>
</context>
<context>
    <name>QSelectDeviceRestorDlg</name>
    <message>
        <source>Please select restore file!</source>
        <translation>Please select a backup to restore!</translation>
    </message>
    <message>
        <source>Do you want to restore this backup</source>
        <translation>Do you want to restore this backup?</translation>
    </message>
    <message>
        <source>Restored successfully!</source>
        <translation>The restore was completed successfully!</translation>
    </message>
    <message>
        <source>Restored failed!</source>
        <translation>The restore failed!</translation>
    </message>
</context>
<context>
    <name>QSystemModel</name>
    <message>
        <source>Create Time</source>
        <translation>Created</translation>
    </message>
</context>
<context>
    <name>QSystemView</name>
    <message>
        <source>Some items could not be copied to the device (%1 of %2).</source>
        <translation>%1 of %2 items could not be copied to the device.</translation>
    </message>
</context>
<context>
    <name>QTransferDeviceDlg</name>
    <message>
        <source>Please choose source or target devices first!</source>
        <translation>Please choose the source and target devices first!</translation>
    </message>
</context>
<context>
    <name>QVideoView</name>
    <message>
        <source>Video Files(*.asf *.wm *.wmp *.wmv *.rm *.rmvb *.mpg *.mpeg *.mpe *.m1v *.m2v *.vob *.ts *.mp4 *.m4v *.flv *.f4v *.avi *.mkv *.mov *.3gp *.webm)</source>
        <translation>Video Files (*.asf *.wm *.wmp *.wmv *.rm *.rmvb *.mpg *.mpeg *.mpe *.m1v *.m2v *.vob *.ts *.mp4 *.m4v *.flv *.f4v *.avi *.mkv *.mov *.3gp *.webm)</translation>
    </message>
    <message>
        <source>Windows Media(*.asf *.wm *.wmp *.wmv *.avi)</source>
        <translation>Windows Media (*.asf *.wm *.wmp *.wmv *.avi)</translation>
    </message>
    <message>
        <source>Real Media(*.rm *.rmvb)</source>
        <translation>Real Media (*.rm *.rmvb)</translation>
    </message>
    <message>
        <source>MPEG(*.mpg *.mpeg *.mpe *.m1v *.m2v *.vob *.ts *.mp4 *.m4v)</source>
        <translation>MPEG (*.mpg *.mpeg *.mpe *.m1v *.m2v *.vob *.ts *.mp4 *.m4v)</translation>
    </message>
    <message>
        <source>Flash Video(*.flv *.f4v)</source>
        <translation>Flash Video (*.flv *.f4v)</translation>
    </message>
    <message>
        <source>Other Media(*.mkv *.mov *.3gp *.webm)</source>
        <translation>Other Media (*.mkv *.mov *.3gp *.webm)</translation>
    </message>
    <message>
        <source>CDB file is not find! please open the iTunes to repair!</source>
        <translation>The CDB file was not found! Please open iTunes to repair it!</translation>
    </message>
    <message>
        <source>CDB file was damaged, please open the iTunes to repair!</source>
        <translation>The CDB file is damaged! Please open iTunes to repair it!</translation>
    </message>
    <message>
        <source>Add video failed!</source>
        <translation>Failed to add the video!</translation>
    </message>
</context>
<context>
    <name>QiBookView</name>
    <message>
        <source>PDF Files(*.pdf);; EPUB Files(*.epub)</source>
        <translation>PDF Files (*.pdf);;EPUB Files (*.epub)</translation>
    </message>
    <message>
        <source>Please choose any of items to delete!</source>
        <translation>Please choose the items to delete!</translation>
    </message>
    <message>
        <source>Are you sure to delete the selected item(s)?</source>
        <translation>Are you sure you want to delete the selected items?</translation>
    </message>
</context>
<context>
    <name>RestoreTableModel</name>
    <message>
        <source>Date Time</source>
        <translation>Date and Time</translation>
    </message>
    <message>
        <source>SerialNumber</source>
        <translation>Serial Number</translation>
    </message>
</context>
<context>
    <name>ToolWidget</name>
    <message>
        <source>conncect device &gt;&gt;</source>
        <translation>Connect device &gt;&gt;</translation>
    </message>
    <message>
        <source>Backup Contacts</source>
        <translation>Back Up Contacts</translation>
    </message>
    <message>
        <source>To iDevice</source>
        <translation>To Device</translation>
    </message>
</context>
<context>
    <name>UserPicWidget</name>
    <message>
        <source>The following albums cannot be deleted: 

1.Camera Roll 
2.Photo Library 
3.Albums that comes with the device 
4.Albums created on the device
</source>
        <translation>The following albums cannot be deleted:

1. Camera Roll
2. Photo Library
3. Albums that come with the device
4. Albums created on the device
</translation>
    </message>
    <message>
        <source>The folowing albums cannot be renamed: 

1.Camera Roll 
2.Photo Library 
3.Albums that comes with the device 
4.Albums created on the device
</source>
        <translation>The following albums cannot be renamed:

1. Camera Roll
2. Photo Library
3. Albums that come with the device
4. Albums created on the device
</translation>
    </message>
</context>
<context>
    <name>contactsWay</name>
    <message>
        <source>page</source>
        <translation>pager</translation>
    </message>
    <message>
        <source>email number</source>
        <translation>email address</translation>
    </message>
</context>
<context>
    <name>deleteitemDlg</name>
    <message>
        <source>Please choose any of items to delete!</source>
        <translation>Please choose the items to delete!</translation>
    </message>
    <message>
        <source>Are you sure to delete the selected item(s)?</source>
        <translation>Are you sure you want to delete the selected items?</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>No iTunes is installed on this computer. Please install it first. The drive containing the installation package of iTunes will be used when scanning your device. Go to Apple official website to download iTunes.</source>
        <translation>iTunes is not installed on this computer. Please install it first: its device drivers are needed to find your device. You can download iTunes from Apple&apos;s website.</translation>
    </message>
</context>
<context>
    <name>PhotoAlbumNames</name>
    <message>
        <source>Photo Libary</source>
        <translation>Photo Library</translation>
    </message>
</context>
<context>
    <name>QBaseDetailsView</name>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Contacts cannot be read from this device yet.</source>
        <translation>Contacts cannot be read from this device yet.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Messages cannot be read from this device yet.</source>
        <translation>Messages cannot be read from this device yet.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Music cannot be read from this device yet.</source>
        <translation>Music cannot be read from this device yet.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Playlists cannot be read from this device yet.</source>
        <translation>Playlists cannot be read from this device yet.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Videos cannot be read from this device yet.</source>
        <translation>Videos cannot be read from this device yet.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Photos cannot be read from this device yet.</source>
        <translation>Photos cannot be read from this device yet.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Books cannot be read from this device yet.</source>
        <translation>Books cannot be read from this device yet.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>This content cannot be read from this device yet.</source>
        <translation>This content cannot be read from this device yet.</translation>
    </message>
</context>
<context>
    <name>QSystemBrowser</name>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemBrowser.cpp"/>
        <source>Documents of the app %1</source>
        <translation>Documents of the app %1</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemBrowser.cpp"/>
        <source>Back to the device&apos;s files</source>
        <translation>Back to the device&apos;s files</translation>
    </message>
</context>
<context>
    <name>QSystemView</name>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp"/>
        <source>The entries were copied to %1.</source>
        <translation>The entries were copied to %1.</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp"/>
        <source>The folder %1 could not be created.</source>
        <translation>The folder %1 could not be created.</translation>
    </message>
</context>
<context>
    <name>ResultReason</name>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The password is wrong.</source>
        <translation>The password is wrong.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The device is locked or does not trust this computer: unlock it and try again.</source>
        <translation>The device is locked or does not trust this computer: unlock it and try again.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>There is not enough free space on the disk.</source>
        <translation>There is not enough free space on the disk.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The connection to the device was lost.</source>
        <translation>The connection to the device was lost.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>A file could not be read or written.</source>
        <translation>A file could not be read or written.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The folder holds no readable backup.</source>
        <translation>The folder holds no readable backup.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The device does not take this file.</source>
        <translation>The device does not take this file.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The device gave an answer this program cannot read.</source>
        <translation>The device gave an answer this program cannot read.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>This content can be read here but not changed.</source>
        <translation>This content can be read here but not changed.</translation>
    </message>
    <message>
        <location filename="../../src/widgets/ResultReason.cpp"/>
        <source>The folder path is too long or not valid.</source>
        <translation>The folder path is too long or not valid.</translation>
    </message>
</context>
<context>
    <name>CDeviceTransfer</name>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>Nothing to copy: the source device holds no contacts, photos, songs or books.</source>
        <translation>Nothing to copy: the source device holds no contacts, photos, songs or books.</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>Not yet readable from &quot;%1&quot;: %2.</source>
        <translation>Not yet readable from &quot;%1&quot;: %2.</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>Not yet writable to &quot;%1&quot;: %2.</source>
        <translation>Not yet writable to &quot;%1&quot;: %2.</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>%1 and %2</source>
        <translation>%1 and %2</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>&quot;%1&quot; takes no contacts, photos, music or books over the cable. Please choose another target device.</source>
        <translation>&quot;%1&quot; takes no contacts, photos, music or books over the cable. Please choose another target device.</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>&quot;%1&quot; cannot take %2 over the cable; they will be left out.</source>
        <translation>&quot;%1&quot; cannot take %2 over the cable; they will be left out.</translation>
    </message>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp"/>
        <source>Left out because &quot;%1&quot; cannot take them over the cable: %2.</source>
        <translation>Left out because &quot;%1&quot; cannot take them over the cable: %2.</translation>
    </message>
</context>
</TS>
