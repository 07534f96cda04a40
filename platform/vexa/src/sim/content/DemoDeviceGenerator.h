#pragma once

#include <filesystem>
#include <string>

#include "../SimDatabase.h"

namespace vexa::sim {

// Fills a freshly created device folder with the demo content: contacts and groups, conversations,
// books, songs and playlists, videos, photos and albums, apps and a file tree. Everything is derived
// from fixed tables and loop counters, so two demo devices have the same content.
class DemoDeviceGenerator {
public:
    // `iosRelease` chooses the layout of files that differ between iOS releases (see
    // FindPhotoLibraryVariant).
    explicit DemoDeviceGenerator(std::filesystem::path deviceFolder, int iosRelease = 17);

    int Run();

private:
    int AddContacts(sqlite3* addressBook);
    int AddConversations();
    int AddCallHistory();
    int AddBooks();
    int AddMusic(sqlite3* mediaDb);
    int AddVideos(sqlite3* mediaDb);
    int AddPhotos();
    int AddApps(sqlite3* db);
    int AddFileTree();
    std::filesystem::path Staging(const std::string& name) const;

    std::filesystem::path m_folder;
    int m_iosRelease;
    std::filesystem::path m_staging;
};

} // namespace vexa::sim
