#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "VexaRecords.h"

// The contacts, messages, calls and photos kept in a backup folder (the one that holds Manifest.db), listed
// in the records the device's services hand out and as the device the backup was made of lists them, so the
// pages' and the exports' code reads a backup as it reads a device. Nothing is written into the
// folder: the databases are copied out into a private temporary folder, removed with the object. One
// thread at a time; every call answers a VexaResult.
// Who a backup is of and when it was made, as its Info.plist and Manifest.plist say. Texts the backup
// does not give are empty.
struct BackupSummary {
    std::string deviceName;
    std::string productType; // "iPhone15,2"
    std::string iosVersion;  // "17.1"
    std::string buildVersion;
    std::string uniqueId;
    std::string serialNumber;
    std::string phoneNumber;
    int64_t backupDate = 0; // Unix seconds, 0 when not given
    bool encrypted = false;
};

class BackupContent {
public:
    BackupContent();
    ~BackupContent();
    BackupContent(const BackupContent&) = delete;
    BackupContent& operator=(const BackupContent&) = delete;

    // VEXA_E_NOT_A_BACKUP when the folder holds no readable backup. An encrypted backup is then open
    // but not unlocked: Encrypted() says whether Unlock is needed.
    int Open(const char* folderUtf8);
    bool Encrypted() const;
    // VEXA_E_PASSWORD when the password is wrong, or null or empty for an encrypted backup. A backup
    // that is not encrypted needs none. Deriving the key of a real backup takes seconds; `cancelled`,
    // asked now and then from the calling thread, stops it with VEXA_E_CANCELLED.
    int Unlock(const char* passwordUtf8, const std::function<bool()>& cancelled = {});

    const std::string& Folder() const;
    BackupSummary Summary() const;
    // False when the backup was made by an iOS version whose files this library does not know; what can
    // be read is read all the same.
    bool KnownIosVersion() const;
    // What the last failing call found wrong, in a few words that name the file
    // ("HomeDomain-Library/SMS/sms.db: the stored file is missing"); empty after a call that worked.
    const std::string& Problem() const;
    // The problems of the contacts', messages', calls' and photos' databases that show without reading
    // them: a stored file missing, or of another size than its record says (a half-copied folder). One
    // line each; none when all of them look whole. Cheap: nothing is decrypted.
    std::vector<std::string> CheckFiles();

    // An empty list when the backup holds no address book (or no message database), as the device
    // it was made of lists none; VEXA_E_DATABASE when it is damaged. A list stays valid until the
    // next call of the same kind or until the object goes.
    int GetContacts(ContactList** list);
    int GetMessages(ConversationList** list);
    // Writes a message's attachment (its record's path, kept in the backup's MediaDomain) plain to
    // `localPath`; nothing is left there when it fails. VEXA_E_NOT_FOUND when the backup lacks it.
    int CopyMessageAttachment(const char* pathUtf8, const char* localPathUtf8);
    // Named from the backup's address book as the device names them; an empty list when the backup
    // holds no call history (a phone keeps one only in an encrypted backup).
    int GetCallHistory(CallHistoryList** list);

    // The photos and videos its photo library shows (neither trashed nor hidden), oldest first, with the
    // device paths the device's photo library gives them; none when the backup holds no photo library.
    // The records stay valid until the next call or until the object goes; thumbnails are not loaded.
    int GetPhotos(PhotoRecord** records, int* count);
    // Whether the backup holds the camera roll's file at `devicePath` ("/DCIM/100APPLE/IMG_0001.MOV").
    bool HasPhotoFile(const char* devicePathUtf8);
    // Writes that file, plain, to `localPath`; nothing is left there when it fails.
    int CopyPhotoFile(const char* devicePathUtf8, const char* localPathUtf8);
    // The file's plain copy in this object's private folder, written on the first request and removed
    // with the object.
    int CachedPhotoFile(const char* devicePathUtf8, std::string* localPathUtf8);

private:
    struct State;
    std::unique_ptr<State> m_state;
};
