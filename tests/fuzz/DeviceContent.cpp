#include "DeviceContent.h"

#include "sim/content/AppStore.h"
#include "sim/content/BookStore.h"
#include "sim/content/ContactStore.h"
#include "sim/content/TrackStore.h"

using namespace vexa::sim;

void ListDeviceContent(sqlite3* db, const std::filesystem::path& deviceFolder) {
    ContactListBuffer contacts;
    ContactStore(db).List(contacts);
    ContactStore(db).Count();
    std::vector<BookRecord> books;
    BookStore(deviceFolder / "Media").List(books);
    std::vector<AppRecord> apps;
    AppStore(db, deviceFolder / "Applications").List(apps);
    PlaylistBuffer playlists;
    TrackStore(db, deviceFolder / "Media").List(playlists, "Library");
}
