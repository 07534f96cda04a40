#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "../ContentServices.h"

struct sqlite3;

namespace vexa::sim {

// Fills a freshly created device folder with many records for benchmarks: every table is written in
// one transaction with reused statements, and photos, songs, videos and books share a handful of real
// files through hard links, so tens of thousands of items take seconds. With distinct content every
// photo and song is a file of its own instead.
class LargeDeviceGenerator {
public:
    LargeDeviceGenerator(std::filesystem::path deviceFolder, const LargeDeviceSpec& spec);

    int Run();

private:
    int AddContacts(sqlite3* addressBook);
    int AddMessages();
    int AddCalls(int count);
    int AddPhotos();
    int AddTracks(sqlite3* mediaDb, int count, bool videos);
    int AddPlaylists(sqlite3* mediaDb);
    int AddBooks();
    int AddApps(sqlite3* db);
    int MakeSamples();
    // The file of photo or song `index`: a shared sample linked into place, or one made for it alone.
    int PlacePhoto(int index, const std::filesystem::path& target);
    int PlaceSong(int index, const std::filesystem::path& target);

    std::filesystem::path m_folder;
    std::filesystem::path m_staging;
    LargeDeviceSpec m_spec;
    std::vector<std::filesystem::path> m_jpegs, m_songs, m_videos;
    std::vector<int64_t> m_jpegSizes; // of m_jpegs, so that 50,000 links need no stat each
};

} // namespace vexa::sim
