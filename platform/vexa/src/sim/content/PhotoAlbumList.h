#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <vexa/VexaRecords.h>

#include "TextArena.h"
#include "ios/PhotoLibraryReader.h"

namespace vexa::sim {

// The albums of a photo library as the pages show them: Camera Roll and the Photo Library made up from
// where the photos lie, Favorites, the albums the library keeps that a page shows, then Videos, Live
// Photos and Screenshots when the library has any. Built from what the reader
// gave, so a library read in place, copied off a phone or out of a backup all list the same.
struct PhotoAlbumList {
    std::vector<AlbumRecord> records;
    std::vector<std::string> coverPaths; // device path of each album's cover, empty for an empty album
    std::vector<std::shared_ptr<const std::vector<uint8_t>>> covers; // keeps each loaded cover
    TextArena text;
};

// AlbumType of a library's album kind, 0 for the kinds not shown (folders, shared albums...).
int AlbumTypeOfKind(int kind);
// Camera Roll, the Photo Library and the groups the phone makes (Favorites, Videos...).
bool IsBuiltInAlbum(std::string_view uuid);
int BuiltInAlbumType(std::string_view uuid);

void FillAlbumList(const ios::PhotoLibrary& library, PhotoAlbumList& out);
// The photos of one album in its order: VEXA_OK, or VEXA_E_NOT_FOUND for an id no shown album has.
int AlbumAssets(const ios::PhotoLibrary& library, std::string_view albumId,
                std::vector<const ios::PhotoAsset*>& assets);
// The type of the album with that id, or VEXA_E_NOT_FOUND.
int AlbumTypeOf(const ios::PhotoLibrary& library, std::string_view albumId, int& type);

} // namespace vexa::sim
