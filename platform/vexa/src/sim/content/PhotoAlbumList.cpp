#include "PhotoAlbumList.h"

#include <unordered_map>

#include <vexa/VexaResult.h>

#include "ContentIds.h"
#include "PhotoLibraryStore.h"

namespace vexa::sim {

namespace {

std::string PathOf(const ios::PhotoAsset& asset) {
    return "/" + asset.directory + "/" + asset.fileName;
}

struct SmartGroup {
    std::string_view id;
    std::string_view name;
    bool (*holds)(const ios::PhotoAsset&);
    bool shownEmpty;
};

constexpr SmartGroup kFavorites = {kFavoritesAlbumId, "Favorites",
                                   [](const ios::PhotoAsset& asset) { return asset.favorite; }, true};
// Listed after the user's albums, as the phone lists its media types.
constexpr SmartGroup kMediaTypes[] = {
    {kVideosAlbumId, "Videos", [](const ios::PhotoAsset& asset) { return asset.kind == ios::kVideoKind; },
     false},
    {kLivePhotosAlbumId, "Live Photos",
     [](const ios::PhotoAsset& asset) {
         return asset.kind != ios::kVideoKind && asset.kindSubtype == ios::kLivePhotoSubtype;
     },
     false},
    {kScreenshotsAlbumId, "Screenshots",
     [](const ios::PhotoAsset& asset) { return asset.kindSubtype == ios::kScreenshotSubtype; }, false},
};

const SmartGroup* FindSmartGroup(std::string_view id) {
    if (id == kFavorites.id)
        return &kFavorites;
    for (const auto& group : kMediaTypes) {
        if (group.id == id)
            return &group;
    }
    return nullptr;
}

const ios::PhotoAlbum* FindShown(const ios::PhotoLibrary& library, std::string_view uuid) {
    const ios::PhotoAlbum* found = nullptr;
    for (const auto& album : library.albums) {
        if (album.uuid == uuid && AlbumTypeOfKind(album.kind))
            found = &album;
    }
    return found;
}

} // namespace

int AlbumTypeOfKind(int kind) {
    switch (kind) {
    case kUserAlbumKind:
        return ALBUM_USER;
    case kPhotoStreamAlbumKind:
        return ALBUM_PHOTO_STREAM;
    case kSyncedAlbumKind:
        return ALBUM_LIBRARY;
    default:
        return 0; // folders, shared albums, import sessions...: not shown
    }
}

bool IsBuiltInAlbum(std::string_view uuid) {
    return uuid == kCameraRollAlbumId || uuid == kPhotoLibraryAlbumId || FindSmartGroup(uuid);
}

int BuiltInAlbumType(std::string_view uuid) {
    // The groups the phone makes are views of its camera roll: neither renamed nor deleted.
    return uuid == kPhotoLibraryAlbumId ? ALBUM_LIBRARY : ALBUM_CAMERA_ROLL;
}

void FillAlbumList(const ios::PhotoLibrary& library, PhotoAlbumList& out) {
    out.records.clear();
    out.coverPaths.clear();
    out.covers.clear();
    out.text.Clear();
    auto add = [&](std::string_view uuid, std::string_view name, int type, int count, std::string cover) {
        AlbumRecord record{};
        record.id = out.text.Add(uuid);
        record.name = out.text.Add(name);
        record.photoCount = count;
        record.type = type;
        record.coverHandle = static_cast<int32_t>(out.records.size() + 1);
        out.records.push_back(record);
        out.coverPaths.push_back(std::move(cover));
        out.covers.emplace_back();
    };
    for (const int kind : {kPhotoTaken, kPhotoSynced}) {
        int count = 0;
        std::string cover;
        for (const auto& asset : library.assets) {
            if (PhotoKindOf(asset) != kind)
                continue;
            if (count++ == 0)
                cover = PathOf(asset);
        }
        if (kind == kPhotoTaken)
            add(kCameraRollAlbumId, kCameraRollName, ALBUM_CAMERA_ROLL, count, cover);
        else
            add(kPhotoLibraryAlbumId, kPhotoLibraryName, ALBUM_LIBRARY, count, cover);
    }
    auto addGroup = [&](const SmartGroup& group) {
        int count = 0;
        std::string cover;
        for (const auto& asset : library.assets) {
            if (!group.holds(asset))
                continue;
            if (count++ == 0)
                cover = PathOf(asset);
        }
        if (count || group.shownEmpty)
            add(group.id, group.name, ALBUM_CAMERA_ROLL, count, cover);
    };
    addGroup(kFavorites);
    std::unordered_map<int64_t, const ios::PhotoAsset*> byKey;
    for (const auto& album : library.albums) {
        const int type = AlbumTypeOfKind(album.kind);
        if (!type || album.uuid.empty())
            continue;
        std::string cover;
        if (!album.assets.empty()) {
            if (byKey.empty()) {
                for (const auto& asset : library.assets)
                    byKey.emplace(asset.key, &asset);
            }
            if (auto first = byKey.find(album.assets.front()); first != byKey.end())
                cover = PathOf(*first->second);
        }
        add(album.uuid, album.title, type, static_cast<int>(album.assets.size()), cover);
    }
    for (const auto& group : kMediaTypes)
        addGroup(group);
}

int AlbumAssets(const ios::PhotoLibrary& library, std::string_view albumId,
                std::vector<const ios::PhotoAsset*>& assets) {
    assets.clear();
    if (const SmartGroup* group = FindSmartGroup(albumId)) {
        for (const auto& asset : library.assets) {
            if (group->holds(asset))
                assets.push_back(&asset);
        }
        return VEXA_OK;
    }
    if (IsBuiltInAlbum(albumId)) {
        const int kind = albumId == kCameraRollAlbumId ? kPhotoTaken : kPhotoSynced;
        for (const auto& asset : library.assets) {
            if (PhotoKindOf(asset) == kind)
                assets.push_back(&asset);
        }
        return VEXA_OK;
    }
    const ios::PhotoAlbum* found = FindShown(library, albumId);
    if (!found)
        return VEXA_E_NOT_FOUND;
    std::unordered_map<int64_t, const ios::PhotoAsset*> byKey;
    for (const auto& asset : library.assets)
        byKey.emplace(asset.key, &asset);
    for (const int64_t key : found->assets) {
        if (auto asset = byKey.find(key); asset != byKey.end())
            assets.push_back(asset->second);
    }
    return VEXA_OK;
}

int AlbumTypeOf(const ios::PhotoLibrary& library, std::string_view albumId, int& type) {
    if (IsBuiltInAlbum(albumId)) {
        type = BuiltInAlbumType(albumId);
        return VEXA_OK;
    }
    const ios::PhotoAlbum* found = FindShown(library, albumId);
    if (!found)
        return VEXA_E_NOT_FOUND;
    type = AlbumTypeOfKind(found->kind);
    return VEXA_OK;
}

} // namespace vexa::sim
