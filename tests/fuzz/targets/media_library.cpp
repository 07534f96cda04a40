// A phone's media library (MediaLibrary.sqlitedb), as a phone, a backup or a damaged disk may hand it over.
#include "FuzzRegistry.h"
#include "ios/MediaLibraryReader.h"
#include "ios/ReadResult.h"

VEXA_FUZZ_TARGET(media_library) {
    const std::filesystem::path file = fuzz::Scratch() / "MediaLibrary.sqlitedb";
    fuzz::WriteDatabase(file, data, size);
    vexa::ios::MediaLibrary library;
    const int read = vexa::ios::MediaLibraryReader::Read(file, library);
    if (read != vexa::ios::kReadOk && (!library.items.empty() || !library.playlists.empty()))
        fuzz::Fail("a failed read handed out tracks");
    for (const auto& playlist : library.playlists) {
        for (const size_t index : playlist.items) {
            if (index >= library.items.size())
                fuzz::Fail("a playlist holds a track the library does not list");
        }
    }
    for (const auto& item : library.items) {
        if (item.path.starts_with('/') || ("/" + item.path + "/").find("/../") != std::string::npos)
            fuzz::Fail("a track's path leaves the media root");
    }
    return 0;
}
