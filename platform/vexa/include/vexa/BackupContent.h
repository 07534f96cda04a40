#pragma once

#include <memory>

#include "VexaRecords.h"

// The contacts, messages, calls and photos kept in a backup folder (the one that holds Manifest.db), listed
// in the records the device's services hand out and as the device the backup was made of lists them, so the
// pages' and the exports' code reads a backup as it reads a device. Nothing is written into the
// folder: the databases are copied out into a private temporary folder, removed with the object. One
// thread at a time; every call answers a VexaResult.
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
    // that is not encrypted needs none. Deriving the key of a real backup takes seconds.
    int Unlock(const char* passwordUtf8);

    // An empty list when the backup holds no address book (or no message database), as the device
    // it was made of lists none; VEXA_E_DATABASE when it is damaged. A list stays valid until the
    // next call of the same kind or until the object goes.
    int GetContacts(ContactList** list);
    int GetMessages(ConversationList** list);
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

private:
    struct State;
    std::unique_ptr<State> m_state;
};
