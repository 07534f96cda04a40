#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <vexa/VexaRecords.h>

#include "TextArena.h"

struct sqlite3;

namespace vexa::sim {

class PendingRemoval;

struct PhotoListBuffer {
    std::vector<PhotoRecord> records;
    TextArena text;
};

struct NewPhoto {
    std::string uuid; // empty: a fresh one
    int kind = 1;     // kPhotoTaken or kPhotoSynced
    int64_t date = 0; // seconds since 2001-01-01 UTC
    int width = 0;
    int height = 0;
    std::string devicePath; // "/DCIM/100APPLE/IMG_0001.JPG"; the file must already be there
};

// Photos and the short videos the camera takes, as rows of the device database over files under DCIM
// and PhotoData. The caller holds the database lock and a transaction for changes.
class PhotoStore {
public:
    PhotoStore(sqlite3* db, std::filesystem::path mediaRoot);

    int Insert(const NewPhoto& photo, int64_t* rowId);
    // Copies an image from the computer into the device's synced photos; fills the new row's id.
    int Import(const std::filesystem::path& local, int64_t* rowId);
    const std::filesystem::path& LastImportedFile() const { return m_lastImported; }
    // Removes the photos with these ids, their files and their album places; `handled` counts them.
    int Delete(const std::vector<std::string>& uuids, std::atomic<int>& handled, PendingRemoval& removal);
    // Every photo, oldest first.
    int ListAll(PhotoListBuffer& out);
    // The photos of one album row (Camera Roll and the Photo Library are made up from the photo kind).
    int ListAlbum(int64_t albumRowId, PhotoListBuffer& out);
    // The file of a photo, for thumbnails.
    std::filesystem::path FileOf(const char* devicePath) const;

    static std::string NewUuid();
    static std::string UuidFromNumber(uint64_t number);

private:
    int Query(const char* sql, int64_t parameter, PhotoListBuffer& out);

    sqlite3* m_db;
    std::filesystem::path m_mediaRoot;
    std::filesystem::path m_lastImported;
};

} // namespace vexa::sim
