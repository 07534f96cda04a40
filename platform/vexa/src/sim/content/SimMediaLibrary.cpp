#include "SimMediaLibrary.h"

#include <atomic>

#include <vexa/VexaResult.h>

#include "../TextCodec.h"
#include "DeviceFiles.h"
#include "PendingRemoval.h"

namespace vexa::sim {

namespace {

// The library's own tag for its refresh signals: a media library of a device (not of a computer).
constexpr int kDeviceLibraryKind = 1;

} // namespace

SimMediaLibrary::SimMediaLibrary(std::shared_ptr<SimDevice> device)
    : m_access(std::move(device)) {}

int SimMediaLibrary::GetLibraryKind() {
    return kDeviceLibraryKind;
}

template <class ChangeFunction> int SimMediaLibrary::Change(const char* operation, ChangeFunction&& change) {
    int code = VEXA_OK;
    auto session = m_access.BeginMedia(operation, code);
    if (code)
        return code;
    Transaction transaction(session);
    if (transaction.Result())
        return transaction.Result();
    TrackStore store(session.Handle(), m_access.Device().MediaRoot());
    if ((code = change(store)))
        return code;
    return transaction.Commit();
}

int SimMediaLibrary::GetPlaylists(int* count, PlaylistRecord** playlists) {
    if (!count || !playlists)
        return VEXA_E_INVALID_ARGUMENT;
    int code = VEXA_OK;
    auto session = m_access.BeginMedia("GetPlaylists", code);
    if (code)
        return code;
    auto& buffer = m_playlists.ForCurrentThread();
    const auto properties = m_access.Device().Info().profile.properties;
    const auto name = properties.find("DeviceName");
    TrackStore store(session.Handle(), m_access.Device().MediaRoot());
    if ((code = store.List(buffer, name != properties.end() ? name->second.c_str() : "Library")))
        return code;
    *count = static_cast<int>(buffer.playlists.size());
    *playlists = buffer.playlists.data();
    return VEXA_OK;
}

int SimMediaLibrary::AddMediaFileData(const char16_t* const* localPaths, int count, int* progress,
                                      int playlist) {
    if (!localPaths || count < 0 || playlist < 0)
        return VEXA_E_INVALID_ARGUMENT;
    for (int i = 0; i < count; ++i) {
        if (!localPaths[i])
            return VEXA_E_INVALID_ARGUMENT;
    }
    // All files or none: one transaction, and the files of a failed add are taken back out.
    std::vector<std::filesystem::path> added;
    const int code = Change("AddMediaFileData", [&](TrackStore& store) {
        for (int i = 0; i < count; ++i) {
            if (!m_access.Device().IsConnected())
                return static_cast<int>(VEXA_E_UNPLUGGED);
            if (int result = store.AddFile(DeviceFiles::FromCaller(localPaths[i]), playlist))
                return result == VEXA_E_DATABASE ? static_cast<int>(VEXA_MEDIA_DB_DAMAGED) : result;
            added.push_back(store.LastAddedFile());
            // The caller reads the count from another thread while the add runs.
            if (progress)
                std::atomic_ref<int>(*progress).store(i + 1, std::memory_order_relaxed);
        }
        return static_cast<int>(VEXA_OK);
    });
    if (code) {
        for (const auto& file : added)
            DeviceFiles::Remove(file);
    }
    return code;
}

int SimMediaLibrary::DelMediaFileData(const MediaPosition* positions, int count) {
    if (count < 0 || (count > 0 && !positions))
        return VEXA_E_INVALID_ARGUMENT;
    std::vector<MediaPosition> list(positions, positions + count);
    PendingRemoval removal(m_access.Device().WorkFolder("trash"));
    const int code =
        Change("DelMediaFileData", [&](TrackStore& store) { return store.Delete(list, removal); });
    if (code == VEXA_OK)
        removal.Commit();
    return code;
}

int SimMediaLibrary::AddPlaylist(const char16_t* name) {
    if (!name || !*name)
        return VEXA_E_INVALID_ARGUMENT;
    const std::string text = ToUtf8(name);
    return Change("AddPlaylist", [&](TrackStore& store) { return store.AddPlaylist(text); });
}

int SimMediaLibrary::DeletePlaylist(int position) {
    if (position < 0)
        return VEXA_E_OUT_OF_RANGE;
    return Change("DeletePlaylist", [&](TrackStore& store) { return store.DeletePlaylist(position); });
}

int SimMediaLibrary::AddToPlaylist(const MediaPosition* positions, int count, int playlist) {
    if (count < 0 || (count > 0 && !positions) || playlist < 1)
        return VEXA_E_INVALID_ARGUMENT;
    std::vector<MediaPosition> list(positions, positions + count);
    return Change("AddToPlaylist", [&](TrackStore& store) { return store.AddToPlaylist(list, playlist); });
}

} // namespace vexa::sim
