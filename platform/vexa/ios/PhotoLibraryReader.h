#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ReadOnlyDatabase.h"

struct sqlite3;

namespace vexa::ios {

// ZKIND and ZKINDSUBTYPE values the Photos app sorts by.
inline constexpr int kVideoKind = 1;
inline constexpr int kLivePhotoSubtype = 2;
inline constexpr int kScreenshotSubtype = 10;
inline constexpr int kVideoSubtype = 100;

// One picture or video of the phone's photo library, as the Photos app shows it.
struct PhotoAsset {
    int64_t key = 0;       // Z_PK of the asset row
    std::string uuid;      // ZUUID
    std::string directory; // ZDIRECTORY below /var/mobile/Media, e.g. "DCIM/100APPLE"
    std::string fileName;  // ZFILENAME, e.g. "IMG_0001.HEIC"
    int64_t unixTime = 0;  // ZDATECREATED, seconds since 1970 UTC
    int kind = 0;          // 0 photo, 1 video
    int kindSubtype = 0;   // 2 a Live Photo (its still is the asset, the clip beside it shares its name),
                           // 10 a screenshot
    bool favorite = false; // ZFAVORITE
    int width = 0;
    int height = 0;
    int64_t fileSize = -1; // the original's size when the library records it, else -1
};

// A user album, a shared album, a folder... as ZGENERICALBUM keeps it; `assets` are asset keys in the
// album's order, only of assets the library shows.
struct PhotoAlbum {
    int64_t key = 0;
    std::string uuid;
    std::string title;
    int kind = 0; // 2 an album the user made
    std::vector<int64_t> assets;
};

// Where a library keeps its assets and album memberships. The asset table is ZASSET or, before iOS 14,
// ZGENERICASSET. The album<->asset join table is a Core Data many-to-many table whose name and columns
// carry entity numbers that change between releases (Z_28ASSETS with Z_28ALBUMS and Z_3ASSETS, ...), so it
// is found from Z_PRIMARYKEY's entity names and the columns of every table named Z_<n>ASSETS.
struct PhotoLibraryLayout {
    std::string assetTable;
    std::string joinTable; // empty when the library has none
    std::string albumColumn;
    std::string assetColumn;
    std::string orderColumn; // Z_FOK_<n>ASSETS, the album's order; empty when missing
};

// The layout of an open library: kReadOk, or kReadDamaged when there is no asset table.
int FindPhotoLibraryLayout(sqlite3* db, PhotoLibraryLayout& layout);

struct PhotoLibrary {
    std::vector<PhotoAsset> assets; // oldest first
    std::vector<PhotoAlbum> albums; // in the order they were made; not the trashed ones
    PhotoLibraryLayout layout;
};

// Reads the phone's photo library (Media/PhotoData/Photos.sqlite). Only what the Photos app shows is
// listed: assets neither trashed, hidden nor invisible (burst frames not picked). The asset table is
// required and Z_PK and ZFILENAME in it; every other column, the album table and the join table are
// optional. Read answers a ReadResult and, unless kReadOk, leaves `library` empty.
class PhotoLibraryReader {
public:
    enum class Parts { Assets, AssetsAndAlbums };
    static int Read(const std::filesystem::path& file, PhotoLibrary& library,
                    ReadOnlyDatabase::Mode mode = ReadOnlyDatabase::Mode::Copy,
                    Parts parts = Parts::AssetsAndAlbums);

    // The small JPEG the phone keeps for an asset, below the media root:
    // PhotoData/Thumbnails/V2/<directory>/<file name>/5005.JPG. It may be missing.
    static std::filesystem::path ThumbnailFile(const std::filesystem::path& mediaRoot,
                                               const PhotoAsset& asset);
    static std::filesystem::path ThumbnailFile(const std::filesystem::path& mediaRoot,
                                               const std::string& directory, const std::string& fileName);
};

} // namespace vexa::ios
