#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <vexa/VexaRecords.h>

#include "TextArena.h"
#include "ios/PhotoLibraryReader.h"

struct sqlite3;

namespace vexa::sim {

class PendingRemoval;
class Statement;

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
    bool livePhoto = false; // a still whose clip lies beside it under the same name with .MOV
    bool screenshot = false;
    bool favorite = false;
    int64_t fileSize = -1; // -1: the file's size
};

// The Photos.sqlite layouts the simulator writes, by the iOS release they imitate: the asset table and
// the Core Data entity numbers that name the album<->asset join table and its columns.
struct PhotoLibraryVariant {
    int ios;
    const char* assetTable;
    int assetEntity;
    int albumEntity; // GenericAlbum is the one before it
};
// 12, 15 or 17 (16 is laid out as 17); null for any other release.
const PhotoLibraryVariant* FindPhotoLibraryVariant(int release);

// Album kinds the simulator writes. 2 is the phone's own kind for albums the user makes; the others are
// the kinds this simulator gives a photo stream and an album synced from a computer.
inline constexpr int kUserAlbumKind = 2;
inline constexpr int kPhotoStreamAlbumKind = 1000;
inline constexpr int kSyncedAlbumKind = 1550;
// The album kinds the photo pages show.
inline constexpr bool IsShownAlbumKind(int kind) {
    return kind == kUserAlbumKind || kind == kPhotoStreamAlbumKind || kind == kSyncedAlbumKind;
}

// The phone's photo library of a simulated device: Media/PhotoData/Photos.sqlite over files under
// Media/DCIM (taken on the device) and Media/PhotoData/Sync (synced from a computer), written as the
// Photos app does. Reading goes through ios::PhotoLibraryReader. The caller holds the database lock and a
// transaction for changes, and calls Finish() before committing.
class PhotoLibraryStore {
public:
    static std::filesystem::path DatabasePath(const std::filesystem::path& deviceFolder);
    // Makes the tables of the iOS release `release` when the file holds no library yet; an existing library
    // stays as it is, whatever its release.
    static bool EnsureTables(sqlite3* db, int release = 17);
    // Reads the library through the phone's reader, in place: the caller holds the file's lock. 0 or a
    // VexaResult (VEXA_E_DATABASE for a damaged file).
    static int Read(const std::filesystem::path& file, ios::PhotoLibrary& library,
                    ios::PhotoLibraryReader::Parts parts);

    PhotoLibraryStore(sqlite3* db, std::filesystem::path mediaRoot);
    ~PhotoLibraryStore();

    const ios::PhotoLibraryLayout& Layout() const { return m_layout; }

    int Insert(const NewPhoto& photo, int64_t* key);
    // Copies an image from the computer into the device's synced photos; fills the new asset's key.
    int Import(const std::filesystem::path& local, int64_t* key);
    const std::filesystem::path& LastImportedFile() const { return m_lastImported; }
    // Removes the photos with these ids, their files and their album places; `handled` counts them.
    int Delete(const std::vector<std::string>& uuids, std::atomic<int>& handled, PendingRemoval& removal);

    int CreateAlbum(const std::string& title, int kind, const std::string& uuid, int64_t* key);
    // Key and kind of an album; VEXA_E_NOT_FOUND when there is none with that id.
    int FindAlbum(const std::string& uuid, int64_t& key, int& kind);
    int UpdateAlbum(int64_t key, const std::string& title, int kind);
    int DeleteAlbum(int64_t key);
    int AddToAlbum(int64_t albumKey, int64_t assetKey);
    int RemoveFromAlbum(int64_t albumKey, const std::vector<std::string>& photoUuids);

    // Brings Z_PRIMARYKEY's counts of records up to date.
    int Finish();

    // The file of a photo.
    std::filesystem::path FileOf(const std::string& devicePath) const;

    static std::string NewUuid();
    static std::string UuidFromNumber(uint64_t number);

private:
    int64_t NextKey(const std::string& table);

    sqlite3* m_db;
    std::filesystem::path m_mediaRoot;
    ios::PhotoLibraryLayout m_layout;
    int m_assetEntity = 3;
    int m_albumEntity = 28;
    int64_t m_nextAsset = 0;
    std::unique_ptr<Statement> m_insertAsset;
    std::unique_ptr<Statement> m_insertAttributes;
    std::filesystem::path m_lastImported;
};

// The photos of a library as records: `assets` from the reader, in its order.
void FillPhotoRecords(const std::vector<const ios::PhotoAsset*>& assets,
                      const std::filesystem::path& mediaRoot, PhotoListBuffer& out);
// Taken on the device or synced from a computer, from where the file lies.
int PhotoKindOf(const ios::PhotoAsset& asset);

} // namespace vexa::sim
