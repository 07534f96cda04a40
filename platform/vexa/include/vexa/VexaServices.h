#pragma once

#include "VexaRecords.h"
#include "VexaResult.h"

// The services one device manager hands out. Every operation answers a VexaResult (0 success) unless it
// says otherwise, never throws, and may be called from several threads at once. Text is UTF-8 (const
// char*) unless the parameter is UTF-16 (const char16_t*). Device paths are absolute within the device
// ("/DCIM/100APPLE"); a path that leaves the device's root is refused with VEXA_E_PATH_ESCAPE.

// Whether one kind of a device's content can be changed through this library. A real phone's photos,
// media, books and address book change only through the phone's own apps and sync services; a backup
// opened for reading never changes. A service that is not writable answers VEXA_E_READ_ONLY to every
// change, and the pages hide their add, edit and delete actions and say why in one line.
enum ContentWriteAccess : int {
    kContentWritable = 0,
    kContentReadOnlyOnPhone = 1, // read over the cable; added and removed on the phone itself
    kContentReadOnlyBackup = 2,  // a backup opened for reading
};

class IFileService {
public:
    virtual ~IFileService() = default;
    virtual int CopyFileToComputer(const char16_t* devicePath, const char16_t* localPath) = 0;
    virtual int CopyFileToDevice(const char16_t* localPath, const char16_t* devicePath) = 0;
    virtual int MakeDirectory(const char* devicePath) = 0;
    virtual int RemovePath(const char* devicePath) = 0;  // a file, or a folder with everything in it
    virtual int RenamePath(const char* oldPath, const char* newPath) = 0;
    virtual int ReadDirectory(const char* devicePath, int* count, DirectoryEntryRecord** entries) = 0;
    // The sandbox of one installed app, browsed like the device's own file system. The container is
    // owned by this service; CloseAppContainer answers 1 when it was open, 0 otherwise.
    virtual int OpenAppContainer(const char* appId, IFileService** container) = 0;
    virtual int CloseAppContainer(IFileService* container) = 0;
    // How many copies the service carries out at once when several threads ask; one takes turns.
    virtual int CopyLanes() const { return 1; }
};

class IMediaLibrary {
public:
    virtual ~IMediaLibrary() = default;
    virtual int GetWriteAccess() { return kContentWritable; }
    virtual int GetLibraryKind() = 0;  // a tag passed on unchanged in refresh signals
    virtual int GetPlaylists(int* count, PlaylistRecord** playlists) = 0;
    // Copies computer files into the device and adds them to the library (and to `playlist` when it is
    // above 0). `progress`, when given, counts the files handled so far; the caller may poll it.
    virtual int AddMediaFileData(const char16_t* const* localPaths, int count, int* progress, int playlist) = 0;
    virtual int DelMediaFileData(const MediaPosition* positions, int count) = 0;
    virtual int AddPlaylist(const char16_t* name) = 0;
    virtual int DeletePlaylist(int position) = 0;
};

class IPhotoLibrary {
public:
    virtual ~IPhotoLibrary() = default;
    virtual int GetWriteAccess() { return kContentWritable; }
    virtual int PrepareList() = 0;  // re-reads the device; called before GetPhotoList
    virtual int GetPhotoList(PhotoRecord** records, int* count) = 0;
    // Fills record->thumbnail. The bytes stay valid until the same thread loads the next thumbnail from
    // this library, so a caller copies or decodes them first.
    virtual int LoadThumbnail(PhotoRecord* record) = 0;
    // Deletes the photos named by their ids. Returns when done; GetDeleteProgress, polled from another
    // thread meanwhile, tells how many are handled.
    virtual int DeletePhotos(const char* const* photoIds, int count, int kind, const char* text) = 0;
    virtual int GetDeleteProgress() = 0;
    // How many photos the last list on this library left out because their files could not be read.
    virtual int GetUnreadableCount() { return 0; }
};

class IAlbumLibrary {
public:
    virtual ~IAlbumLibrary() = default;
    virtual int GetWriteAccess() { return kContentWritable; }
    virtual int PrepareList() = 0;
    virtual int GetAlbumList(AlbumRecord** albums, int* count) = 0;
    virtual int GetAlbumPhotos(PhotoRecord** records, int* count, const char* albumId) = 0;
    virtual int LoadAlbumCover(int coverHandle) = 0;  // fills the cover of the album with that handle
    // Creating an album is two steps: CreateAlbum reserves it and hands out a record owned by the caller
    // until ReleaseAlbum; PublishAlbum makes it visible on the device.
    virtual int CreateAlbum(const char16_t* name, AlbumRecord** created) = 0;
    virtual int PublishAlbum(const char* albumId, const char* name, int type) = 0;
    virtual int ReleaseAlbum(AlbumRecord* created) = 0;
    virtual int ImportPhotoFile(const char16_t* localPath, const char* albumId) = 0;
    virtual int RenameAlbum(const char* albumId, const char16_t* newName) = 0;
    virtual int DeleteAlbum(const char* albumId) = 0;  // the photos stay in the Camera Roll
    virtual int RemovePhotosFromAlbum(const char* albumId, const char* const* photoIds, int count) = 0;
    // The album's state as the device has it now: its type, or VEXA_E_NOT_FOUND when it is gone.
    virtual int QueryAlbum(const char* albumId, int* type) = 0;
};

class IAppLibrary {
public:
    virtual ~IAppLibrary() = default;
    virtual int GetApplistInfo(AppRecord** records, int* count) = 0;  // icons not yet loaded
    virtual int GetAppListIcon(AppRecord* records, int count) = 0;   // fills icon and iconLength
    virtual int InstallApp(const char16_t* ipaPath) = 0;
    virtual int UninstallApp(const char* appId) = 0;
    // Writes the app as an .ipa archive at destinationPath, with its documents when withDocuments is 1.
    virtual int BackupApp(const char* appId, const char* destinationPath, int withDocuments) = 0;
    // VEXA_OK when BackupApp can work on this device; VEXA_E_UNSUPPORTED when the device does not
    // archive apps at all. Asks the device nothing.
    virtual int QueryAppBackup() { return VEXA_OK; }
};

class IBookService {
public:
    virtual ~IBookService() = default;
    virtual int GetWriteAccess() { return kContentWritable; }
    virtual int AddBook(const char16_t* localPath) = 0;  // a PDF or EPUB file, or an unpacked EPUB folder
    virtual int DeleteBook(BookRecord record) = 0;
    virtual int GetBooks(BookRecord** records, int* count) = 0;
};

// Conversations, calls, the device's name, and whole-device backup and restore.
class IDeviceService {
public:
    virtual ~IDeviceService() = default;
    virtual int GetWriteAccess() { return kContentWritable; }
    virtual int GetDeviceHandle() = 0;
    virtual int GetBackups(BackupRecord** records, int* count) = 0;  // backups this device has made
    virtual int BackupDevice(const char16_t* folder, int flags) = 0;
    virtual int GetMessages(ConversationList** list, int flags) = 0;
    // The device's call history, valid until the same thread asks again. VEXA_E_NOT_FOUND when the
    // device keeps no call history file, VEXA_E_DATABASE when it cannot be read as one, VEXA_E_IO when
    // it could not be opened.
    virtual int GetCallHistory(CallHistoryList** list) = 0;
    virtual int RestoreDevice(const char16_t* folder, const char* password) = 0;  // password may be null
    virtual int SetDeviceName(const char16_t* name) = 0;
    // As BackupDevice and RestoreDevice, reporting to `callback` (may be null) after each file. A
    // cancelled or failed backup leaves whatever backup the folder held before; a cancelled or failed
    // restore leaves the device as it was. Both answer VEXA_E_CANCELLED when the callback stopped them.
    virtual int BackupDeviceWithProgress(const char16_t* folder, int flags, BackupProgressCallback callback,
                                         void* context) = 0;
    virtual int RestoreDeviceWithProgress(const char16_t* folder, const char* password,
                                          BackupProgressCallback callback, void* context) = 0;
    // Copies a message's attachment (its record's path) to `localPath`, plain; nothing is left there when
    // it fails. VEXA_E_NOT_FOUND when the device does not hold the file.
    virtual int CopyMessageAttachment(const char* /*path*/, const char16_t* /*localPath*/) {
        return VEXA_E_NOT_SUPPORTED_YET;
    }
};

class IContactService {
public:
    virtual ~IContactService() = default;
    virtual int GetWriteAccess() { return kContentWritable; }
    virtual int GetContacts(ContactList** list) = 0;
    // A record with an id updates that contact; one without adds a contact, and its id field is set to
    // the new id (owned by the service) on success. An update replaces every field but the middle name,
    // which a record without one leaves as it is. A birthday not in the documented form is refused.
    virtual int SaveContact(ContactRecord* record, int flags) = 0;
    virtual int DeleteContact(const char* id) = 0;
    // Groups are known by name. The built-in groups cannot be renamed or deleted.
    virtual int CreateGroup(const char* name) = 0;
    virtual int RenameGroup(const char* name, const char* newName) = 0;
    virtual int DeleteGroup(const char* name) = 0;  // members stay, without that group
    virtual int SetContactGroups(const char* contactId, const char* const* groupNames, int count) = 0;
};
