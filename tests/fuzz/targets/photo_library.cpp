// A phone's photo library (Photos.sqlite), as a phone, a backup or a damaged disk may hand it over.
#include "FuzzRegistry.h"
#include "ios/PhotoLibraryReader.h"
#include "ios/ReadResult.h"

VEXA_FUZZ_TARGET(photo_library) {
    const std::filesystem::path file = fuzz::Scratch() / "Photos.sqlite";
    fuzz::WriteDatabase(file, data, size);
    vexa::ios::PhotoLibrary library;
    const int read = vexa::ios::PhotoLibraryReader::Read(file, library);
    if (read != vexa::ios::kReadOk && (!library.assets.empty() || !library.albums.empty()))
        fuzz::Fail("a failed read handed out photos");
    // Every album place names a listed asset.
    for (const auto& album : library.albums) {
        for (const int64_t key : album.assets) {
            bool listed = false;
            for (const auto& asset : library.assets)
                listed = listed || asset.key == key;
            if (!listed)
                fuzz::Fail("an album holds an asset the library does not list");
        }
    }
    return 0;
}
