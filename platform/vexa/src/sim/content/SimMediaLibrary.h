#pragma once

#include <memory>

#include <vexa/IMediaPlaylistEditor.h>
#include <vexa/VexaServices.h>

#include "../ResultArena.h"
#include "ContentAccess.h"
#include "TrackStore.h"

namespace vexa::sim {

// Songs, videos and playlists of one simulated device, kept in its media database.
class SimMediaLibrary final : public IMediaLibrary, public IMediaPlaylistEditor {
public:
    explicit SimMediaLibrary(std::shared_ptr<SimDevice> device);

    int GetLibraryKind() override;
    int GetPlaylists(int* count, PlaylistRecord** playlists) override;
    int AddMediaFileData(const char16_t* const* localPaths, int count, int* progress, int playlist) override;
    int DelMediaFileData(const MediaPosition* positions, int count) override;
    int AddPlaylist(const char16_t* name) override;
    int DeletePlaylist(int position) override;
    int AddToPlaylist(const MediaPosition* positions, int count, int playlist) override;

private:
    template <class ChangeFunction> int Change(const char* operation, ChangeFunction&& change);

    ContentAccess m_access;
    PerThreadResults<PlaylistBuffer> m_playlists;
};

} // namespace vexa::sim
