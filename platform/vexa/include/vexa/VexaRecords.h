#pragma once

#include <cstdint>

// Records exchanged with the device library. Fields keep the order the program relies on, with natural
// alignment; pointer fields are pointers and fixed text arrays keep their sizes. Unless an operation says
// otherwise, a record array the library returns stays owned by the service that returned it, valid until
// the same thread calls the same operation on that service again or the manager is released.

// ---------------------------------------------------------------------------------------------------
// Device record: 43 property texts (UTF-8, null when the device does not report the property) and the
// battery level in percent.
enum DeviceProperty : int {
    DP_DeviceName = 0,
    DP_DeviceClass,
    DP_ProductType,
    DP_ProductVersion,
    DP_SerialNumber,
    DP_UniqueDeviceID,
    DP_ModelNumber,
    DP_BuildVersion,
    DP_HardwareModel,
    DP_DeviceColor,
    DP_RegionInfo,
    DP_CPUArchitecture,
    DP_WiFiAddress,
    DP_BluetoothAddress,
    DP_PartitionType,
    DP_FirmwareVersion,
    DP_ActivationState,
    DP_ActivationStateAcknowledged,
    DP_BasebandVersion,
    DP_BasebandBootloaderVersion,
    DP_BasebandChipId,
    DP_BasebandGoldCertId,
    DP_ICCID,
    DP_IMEI,
    DP_IMSI,
    DP_MLBSerialNumber,
    DP_MobileSubscriberCountryCode,
    DP_MobileSubscriberNetworkCode,
    DP_PasswordProtected,
    DP_PhoneNumber,
    DP_ProductionSOC,
    DP_ProtocolVersion,
    DP_SDIOProductInfo,
    DP_SIMStatus,
    DP_SoftwareBundleVersion,
    DP_SupportedDeviceFamilies,
    DP_SomebodySetTimeZone,
    DP_TimeIntervalSince1970,
    DP_TimeZone,
    DP_TimeZoneOffsetFromUTC,
    DP_UniqueChipID,
    DP_Uses24HourClock,
    DP_iTunesHasConnected,
    DP_Count
};

// The property names as the device reports them, indexed by DeviceProperty.
extern "C" const char* const kDevicePropertyNames[DP_Count];

struct DeviceInfo {
    const char* properties[DP_Count];
    int32_t batteryLevel;
};

// Storage figures in bytes, indexed by DiskInfoField.
enum DiskInfoField : int {
    DI_DataCapacity = 0,
    DI_DataFree = 1,
    DI_SystemCapacity = 2,
    DI_SystemFree = 3,
    DI_Music = 4,
    DI_Photos = 5,
    DI_Other = 6,
    DI_Video = 7,
    DI_Documents = 8,
    DI_Books = 9,
    DI_Apps = 10,
    DI_Count
};

struct DiskInfo {
    uint64_t values[DI_Count];
};

// ---------------------------------------------------------------------------------------------------
// Contacts
struct ContactEntry {
    int32_t reserved;   // written as 0
    const char* label;  // "home", "mobile", "work", ... (UTF-8)
    const char* value;  // number or address (UTF-8)
};

// A postal address; any part may be null or empty.
struct ContactAddress {
    const char* label;       // "home", "work", ... (UTF-8)
    const char* street;      // may hold line breaks
    const char* city;
    const char* region;      // state, province or county
    const char* postalCode;
    const char* country;
};

struct ContactRecord {
    const char* id;          // null for a contact to be added; a listed record with a null id is skipped
    const char* firstName;   // name part 1
    const char* middleName;  // name part 2 (read, never written by the editor)
    const char* lastName;    // name part 3
    const char* nickName;
    const char* note;
    const uint8_t* picture;  // the contact's picture as JPEG bytes; null (and size 0) for none
    int32_t pictureSize;
    int32_t phoneCount;
    int32_t secondCount;
    ContactEntry* phones;
    ContactEntry* secondList; // e-mail addresses
    // Work, birthday and addresses: a zero-initialised record has none; a null text is unknown.
    const char* organization;
    const char* department;
    const char* jobTitle;
    const char* birthday;     // "yyyy-MM-dd" (a Gregorian date, zero-padded)
    int32_t addressCount;
    int32_t urlCount;
    ContactAddress* addresses;
    ContactEntry* urls;       // label and address of a web page
};

struct ContactGroupRecord {
    int32_t reserved;
    int32_t memberCount;
    const char* name;
    const char* const* memberIds;
};

struct ContactList {
    int32_t recordCount;
    ContactRecord* records;
    int32_t groupCount;
    ContactGroupRecord* groups;
};

// ---------------------------------------------------------------------------------------------------
// Messages
// A file sent with a message. `path` is where the phone keeps it, as its message database names it
// ("~/Library/SMS/Attachments/ab/11/<GUID>/IMG_0001.JPG"); IDeviceService::CopyMessageAttachment copies it
// to the computer.
struct MessageAttachmentRecord {
    const char* fileName;  // the name it was sent under (UTF-8)
    const char* mimeType;  // "image/jpeg"; empty when the phone did not record one
    const char* uti;       // "public.jpeg"; empty when the phone did not record one
    int64_t size;          // bytes, as the phone recorded them
    const char* path;
};

struct MessageRecord {
    uint8_t reserved;
    uint8_t direction;     // 0 received, other sent
    const char* dateTime;  // "yyyy-MM-dd hh:mm:ss" (UTF-8)
    const char* text;      // UTF-8
    int32_t attachmentCount;  // a zero-initialised record has none
    const MessageAttachmentRecord* attachments;
};

struct ConversationRecord {
    const char* address;   // phone number (UTF-8)
    const char* name;      // may be null
    int32_t messageCount;
    MessageRecord* messages;
};

struct ConversationList {
    int32_t count;
    ConversationRecord* conversations;
};

// ---------------------------------------------------------------------------------------------------
// Call history
enum CallKind : int32_t {
    CALL_OTHER = 0,          // a call another app placed through the phone
    CALL_PHONE = 1,
    CALL_FACETIME_VIDEO = 8,
    CALL_FACETIME_AUDIO = 16,
};

struct CallHistoryRecord {
    const char* address;  // the number or address (UTF-8); empty when the caller withheld it
    const char* name;     // the address book's name for the number; null when it knows none
    int64_t date;         // seconds since 1970-01-01 00:00:00 UTC
    double duration;      // seconds
    uint8_t outgoing;     // non-zero for a call the device placed
    uint8_t answered;     // zero on an incoming call that was missed
    int32_t kind;         // CallKind
};

struct CallHistoryList {
    int32_t count;
    CallHistoryRecord* calls;  // newest first
};

// ---------------------------------------------------------------------------------------------------
// Books: a fixed record of 1005 bytes, passed by value to DeleteBook.
#pragma pack(push, 1)
struct BookRecord {
    char title[200];
    int32_t format;      // 1 PDF, 2 EPUB, 3 EPUB made by iBooks
    char size[200];      // size in bytes, decimal text
    char storeKey[200];  // handed back on delete
    uint8_t present;     // 0: skip this record
    char author[200];
    char path[200];      // path on the device
};
#pragma pack(pop)
static_assert(sizeof(BookRecord) == 1005, "the book record is 1005 bytes");

enum BookFormat : int32_t {
    BOOK_PDF = 1,
    BOOK_EPUB = 2,
    BOOK_EPUB_IBOOKS = 3,
};

// ---------------------------------------------------------------------------------------------------
// Media library
enum MediaKind : int32_t {
    MEDIA_SONG = 1,
    MEDIA_MUSIC_VIDEO = 2,
    MEDIA_AUDIO_OTHER = 4,   // audio books, podcasts, voice memos: shown with music, not put in playlists
    MEDIA_MOVIE = 1024,
};

struct MediaTrackRecord {
    const char* artist;
    const char* album;
    const char* title;
    const char* path;     // device path, components separated by ":" (":iTunes_Control:Music:F00:ABCD.mp3")
    const char* format;   // "MPEG audio file", "AAC audio file", "MPEG-4 video file", ...
    int32_t mediaKind;    // MediaKind
    int32_t fileSize;     // bytes
    int32_t duration;     // milliseconds
};

struct PlaylistRecord {
    int32_t trackCount;
    const char* name;
    MediaTrackRecord* tracks;
};

struct MediaPosition {
    int32_t playlist;  // 0 is the whole library
    int32_t item;      // index within that playlist's track array
};

// ---------------------------------------------------------------------------------------------------
// Photos
struct PhotoRecord {
    const char* id;                // the device's reference to the photo
    int32_t kind;                  // 1 taken on the device (Camera Roll), 2 synced from a computer
    int64_t date;                  // seconds since 2001-01-01 00:00:00 UTC
    int32_t width;
    int32_t height;
    int64_t fileSize;
    const char* fileName;          // "IMG_0001.JPG"
    const uint8_t* thumbnail;      // JPEG data; null until LoadThumbnail
    int32_t thumbnailLength;
    const char* path;              // device path of the full image ("/DCIM/100APPLE/IMG_0001.JPG")
};

enum AlbumType : int32_t {
    ALBUM_CAMERA_ROLL = 1,
    ALBUM_USER = 2,        // may be renamed and deleted
    ALBUM_LIBRARY = 3,     // "Photo Libary" and albums synced from a computer
    ALBUM_PHOTO_STREAM = 4,
};

struct AlbumRecord {
    const char* id;        // "00000000-0000-0000-0000-000000000064" is the import target
    const char* name;
    int32_t photoCount;
    int32_t type;          // AlbumType
    const uint8_t* cover;  // JPEG data; null until LoadAlbumCover
    int32_t coverLength;
    int32_t coverHandle;   // passed to LoadAlbumCover
};

// ---------------------------------------------------------------------------------------------------
// Apps: a fixed record; text is zero-terminated 8-bit.
struct AppRecord {
    char name[200];
    char id[200];          // bundle identifier, the key for uninstall and backup
    char version[200];
    int32_t appSize;       // bytes of the application bundle
    int32_t fileSize;      // bytes the app takes on the device: its bundle with its documents and data
    const uint8_t* icon;   // PNG data; null until GetAppListIcon
    int32_t iconLength;
    int32_t reserved;
};

// ---------------------------------------------------------------------------------------------------
// File system: one directory entry, seven texts.
struct DirectoryEntryRecord {
    const char* name;
    const char* size;        // decimal bytes
    const char* modifyTime;  // decimal nanoseconds since 1970
    const char* type;        // "S_IFDIR" for folders, "S_IFREG" for files, "S_IFLNK" for links
    const char* createTime;  // decimal nanoseconds since 1970
    const char* linkTarget;  // null unless a link
    const char* reserved;
};

// ---------------------------------------------------------------------------------------------------
// Backups made of the device.
struct BackupRecord {
    const char16_t* folder;   // UTF-16
    const char* deviceName;   // UTF-8
    const char* dateTime;     // "yyyy-MM-dd hh:mm:ss"
    const char* deviceType;   // product type
    const char* productVersion;
    const char* serialNumber;
    const char* uniqueDeviceId;
    uint8_t encrypted;        // non-zero when a password protects the backup
    uint64_t size;            // bytes
};

// How far a whole-device backup or restore has got. Totals are known from the start. A backup into a
// folder that holds an earlier one takes the files unchanged since from it: of the files done, only
// filesCopied (bytesCopied) came from the device.
struct BackupProgress {
    uint64_t filesDone;
    uint64_t filesTotal;
    uint64_t bytesDone;
    uint64_t bytesTotal;
    uint64_t filesCopied;
    uint64_t bytesCopied;
};

// Flags of IDeviceService::BackupDevice.
enum BackupFlags : int32_t {
    BACKUP_FULL = 1,  // every file copied, even into a folder that holds an earlier backup of the device
};

// Called on the calling thread after each file; a non-zero answer cancels the operation.
typedef int (*BackupProgressCallback)(const BackupProgress* progress, void* context);
