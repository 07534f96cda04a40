#include "DemoDeviceGenerator.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <vector>

#include <vexa/VexaResult.h>

#include "../DeviceInfoFile.h"
#include "AddressBookSchema.h"
#include "AppStore.h"
#include "BookStore.h"
#include "CallHistoryStore.h"
#include "ContactStore.h"
#include "ContentIds.h"
#include "ContentSchema.h"
#include "DeviceFiles.h"
#include "MessageStore.h"
#include "PhotoLibraryStore.h"
#include "TrackStore.h"
#include "formats/AudioFile.h"
#include "formats/BookFile.h"
#include "formats/HeicFile.h"
#include "formats/ImageFile.h"
#include "formats/IpaFile.h"
#include "formats/VideoFile.h"

namespace vexa::sim {

namespace fs = std::filesystem;

namespace {

constexpr std::array kFirstNames = {"Anna",  "Ben",   "Clara", "David", "Emma",    "Felix", "Greta",  "Hugo",
                                    "Ida",   "Jonas", "Karla", "Leon",  "Mila",    "Noah",  "Olivia", "Paul",
                                    "Quinn", "Rosa",  "Simon", "Tara",  "Umberto", "Vera",  "Wen",    "Xiao"};
constexpr std::array kLastNames = {
    "Berger", "Castillo", "Dubois", "Eriksen", "Fischer", "García", "Hansen",  "Ito",    "Jensen", "Kowalski",
    "Li",     "Müller",   "Novak",  "O'Brien", "Petrov",  "Rossi",  "Schmidt", "Tanaka", "Wang",   "Zhou"};
constexpr std::array kPhoneLabels = {"mobile",   "home",     "work",  "iPhone",
                                     "work fax", "home fax", "pager", "other"};

struct DemoWork {
    const char* organization;
    const char* department;
    const char* jobTitle;
};
constexpr std::array<DemoWork, 4> kWork = {{{"Nordlicht GmbH", "Vertrieb", "Account Manager"},
                                            {"Acme, Inc.", "R&D; Labs", "Senior Engineer"},
                                            {"北京数据科技有限公司", "", "产品经理"},
                                            {"Café Zürich", "", "Owner"}}};
constexpr std::array<std::array<const char*, 6>, 3> kAddresses = {{
    {"home", "Hauptstraße 12\nHinterhaus", "Berlin", "Berlin", "10115", "Germany"},
    {"work", "朝阳区建国路 88 号", "北京", "北京市", "100022", "中国"},
    {"home", "1 Market Street, Apt 4", "San Francisco", "CA", "94105", "USA"},
}};

// Work, birthday, postal and web addresses for some of the demo contacts, so every kind shows.
void AddDetails(ContactData& contact, int i) {
    if (i % 5 == 1) {
        const DemoWork& work = kWork[size_t(i / 5) % kWork.size()];
        contact.organization = work.organization;
        if (*work.department)
            contact.department = work.department;
        contact.jobTitle = work.jobTitle;
    }
    if (i % 7 == 2) {
        char text[32];
        std::snprintf(text, sizeof text, "19%02d-%02d-%02d", 60 + i % 40, 1 + i % 12, 1 + i % 28);
        contact.birthday = text;
    }
    if (i % 6 == 1) {
        const auto& address = kAddresses[size_t(i / 6) % kAddresses.size()];
        contact.addresses.push_back({address[0], address[1], address[2], address[3], address[4], address[5]});
    }
    if (i % 8 == 3)
        contact.urls.emplace_back("home page", "https://example.org/~" + std::to_string(i));
}

std::string Date(int month, int day, int hour, int minute) {
    char text[32];
    std::snprintf(text, sizeof text, "2025-%02d-%02d %02d:%02d:00", month, day, hour, minute);
    return text;
}

std::string PhoneNumber(int n) {
    char text[32];
    std::snprintf(text, sizeof text, "+49 151 %04d %03d", 1000 + n * 37 % 9000, 100 + n * 7 % 900);
    return text;
}

} // namespace

DemoDeviceGenerator::DemoDeviceGenerator(fs::path deviceFolder, int iosRelease)
    : m_folder(std::move(deviceFolder))
    , m_iosRelease(iosRelease)
    , m_staging(m_folder / ".staging" / "demo") {}

fs::path DemoDeviceGenerator::Staging(const std::string& name) const {
    return m_staging / name;
}

int DemoDeviceGenerator::Run() {
    std::error_code error;
    fs::create_directories(m_staging, error);
    if (error)
        return VEXA_E_IO;
    const fs::path addressBookFile = AddressBookSchema::DatabasePath(m_folder);
    fs::create_directories(addressBookFile.parent_path(), error);
    SimDatabase device(ContentSchema::DeviceDatabasePath(m_folder), SimDatabase::OpenMode::CreateIfMissing);
    SimDatabase media(ContentSchema::MediaDatabasePath(m_folder), SimDatabase::OpenMode::CreateIfMissing);
    SimDatabase addressBook(addressBookFile, SimDatabase::OpenMode::CreateIfMissing);
    int code = VEXA_OK;
    {
        auto session = device.Lock();
        auto mediaSession = media.Lock();
        auto addressBookSession = addressBook.Lock();
        if ((code = session.Result()) || (code = mediaSession.Result()) ||
            (code = addressBookSession.Result()))
            return code;
        sqlite3* db = session.Handle();
        sqlite3* mediaDb = mediaSession.Handle();
        if (!ContentSchema::EnsureDeviceTables(db) || !ContentSchema::EnsureMediaTables(mediaDb) ||
            !AddressBookSchema::Ensure(addressBookSession.Handle()) ||
            !AddressBookSchema::AttachImages(addressBookSession.Handle()))
            return VEXA_E_DATABASE;
        Transaction transaction(session);
        Transaction mediaTransaction(mediaSession);
        Transaction addressBookTransaction(addressBookSession);
        if ((code = AddContacts(addressBookSession.Handle())) || (code = AddConversations()) ||
            (code = AddCallHistory()) || (code = AddBooks()) || (code = AddMusic(mediaDb)) ||
            (code = AddVideos(mediaDb)) || (code = AddPhotos()) || (code = AddApps(db)) ||
            (code = AddFileTree()))
            return code;
        if ((code = transaction.Commit()) || (code = mediaTransaction.Commit()) ||
            (code = addressBookTransaction.Commit()))
            return code;
    }
    fs::remove_all(m_staging, error);
    return VEXA_OK;
}

int DemoDeviceGenerator::AddContacts(sqlite3* addressBook) {
    ContactStore store(addressBook);
    if (int code = store.CreateGroup("Colleagues"))
        return code;
    constexpr int kContacts = 64;
    for (int i = 0; i < kContacts; ++i) {
        ContactData contact;
        contact.firstName = kFirstNames[i % kFirstNames.size()];
        contact.lastName = kLastNames[(i * 7) % kLastNames.size()];
        if (i % 9 == 4)
            contact.nickName = std::string(kFirstNames[i % kFirstNames.size()]).substr(0, 3) + "y";
        if (i % 11 == 5)
            contact.note = "Met at the spring fair.\nLikes \"good\" coffee & <strong> tea.";
        const int phones = i == 13 ? 0 : 1 + i % 3; // one contact has no number at all
        for (int p = 0; p < phones; ++p)
            contact.phones.emplace_back(kPhoneLabels[(i + p * 3) % kPhoneLabels.size()],
                                        PhoneNumber(i * 3 + p));
        if (i % 4 == 0)
            contact.emails.emplace_back("home", std::string("contact") + std::to_string(i) + "@example.org");
        if (i == 21) { // only a middle name
            contact.firstName.reset();
            contact.lastName.reset();
            contact.middleName = "Marie";
        }
        AddDetails(contact, i);
        if (i % 16 == 2) { // a few have a picture
            const fs::path picture = Staging("contact-" + std::to_string(i) + ".jpg");
            if (!formats::WriteJpeg(picture, formats::ImageSpec{240, 240, 300 + i, "", ""}))
                return VEXA_E_IO;
            std::ifstream in(picture, std::ios::binary);
            contact.picture.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            const std::vector<uint8_t> thumbnail = formats::MakeJpegThumbnail(picture, 120);
            contact.thumbnail.assign(thumbnail.begin(), thumbnail.end());
        }
        int64_t id = 0;
        if (int code = store.Insert(contact, &id))
            return code;
        const char* group = nullptr;
        switch (i % 6) {
        case 0:
            group = "Friend";
            break;
        case 1:
            group = "Family";
            break;
        case 2:
            group = "Classmate";
            break;
        case 3:
            group = "Colleagues";
            break;
        default:
            break; // in no group
        }
        if (group && i != 21) {
            if (int code = store.AddToGroup(id, group))
                return code;
        }
        if (i == 6 || i == 30) { // in two groups
            if (int code = store.AddToGroup(id, "Family"))
                return code;
        }
    }
    return VEXA_OK;
}

// The phone's message database: a third of the messages keep their text only in attributedBody, as
// iOS 16 and later do; some carry photos, some got a tapback, and one conversation is a group chat.
int DemoDeviceGenerator::AddConversations() {
    static const std::array<const char*, 12> kTexts = {
        "Hi! Are we still on for tonight?",
        "Yes \xF0\x9F\x98\x80 see you at 8",
        "Can you bring the charger?\nThe white one, not the old one.",
        "Price is < 20 \xE2\x82\xAC & free delivery",
        "He said \"maybe tomorrow\"",
        "\xF0\x9F\x8E\x89\xF0\x9F\x8E\x82 Happy birthday!!",
        "Running 10 minutes late, sorry",
        "OK",
        "Line one\nLine two\nLine three",
        "Tickets: row 5 & 6 <confirmed>",
        "\xE4\xBD\xA0\xE5\xA5\xBD\xEF\xBC\x8C\xE6\x98\x8E\xE5\xA4\xA9\xE8\xA7\x81",
        "Danke f\xC3\xBCr alles! \xE2\x9D\xA4\xEF\xB8\x8F"};
    SimDatabase database(MessageStore::DatabasePath(m_folder), SimDatabase::OpenMode::CreateIfMissing);
    auto session = MessageStore::Lock(database);
    if (session.Result())
        return session.Result();
    if (!MessageStore::EnsureTables(session.Handle()))
        return VEXA_E_DATABASE;
    Transaction transaction(session);
    const fs::path photo = Staging("IMG_0001.JPG");
    if (!formats::WriteJpeg(photo, formats::ImageSpec{320, 240, 77, "Sent from the demo phone", ""}))
        return VEXA_E_IO;
    MessageStore store(session.Handle(), m_folder);
    constexpr int kConversations = 25;
    constexpr int kGroup = 24;
    for (int c = 0; c < kConversations; ++c) {
        std::string address = PhoneNumber(c * 3);
        std::optional<std::string> name;
        if (c == 7) // one conversation comes from a number the address book does not know
            address = "+1 202 555 0143";
        else if (c == 12) // one has no name of its own and a contact's number written nationally
            address = "0" + address.substr(4);
        else
            name = std::string(kFirstNames[c % kFirstNames.size()]) + " " +
                   kLastNames[(c * 7) % kLastNames.size()];
        int64_t id = 0;
        const std::vector<std::string> members = {PhoneNumber(1), PhoneNumber(4), PhoneNumber(10)};
        if (int code = c == kGroup ? store.AddGroupConversation("Climbing Crew", members, &id)
                                   : store.AddConversation(address, name, &id))
            return code;
        const int messages = c == 2 ? 41 : 2 + (c * 5) % 19;
        for (int m = 0; m < messages; ++m) {
            const int minutes = c * 997 + m * 13;
            const std::string date =
                Date(1 + (c % 10), 1 + (minutes / 1440) % 28, (minutes / 60) % 24, minutes % 60);
            MessageStore::Message message;
            message.direction = (m + c) % 2;
            message.dateTime = date;
            message.text = kTexts[(m + c) % kTexts.size()];
            message.bodyOnly = (m + c) % 3 == 0;
            message.sender = c == kGroup ? members[size_t(m) % members.size()] : std::string();
            if (m == 1 && c % 6 == 1)
                message.attachments.assign(c == 13 ? 2 : 1, photo);
            std::string guid;
            if (int code = store.AddMessage(id, message, &guid))
                return code;
            if (m == 0 && c % 4 == 0) { // loved, and one of them taken back again
                if (int code = store.AddReaction(id, guid, c == 8 ? 3000 : 2000, c % 8 == 0, date))
                    return code;
            }
        }
    }
    return transaction.Commit();
}

// Calls with the address book's numbers and with strangers: outgoing, answered, missed, FaceTime.
int DemoDeviceGenerator::AddCallHistory() {
    constexpr int kCalls = 30;
    constexpr int64_t kFirstCall = 1748779200; // 2025-06-01 12:00 UTC
    return CallHistoryStore::Write(m_folder, kCalls, [](int i) {
        CallHistoryStore::Call call;
        call.address = i % 7 == 3 ? "+1 202 555 0143" : PhoneNumber(i * 3 % 60);
        call.unixTime = kFirstCall + int64_t(i) * 20011;
        call.outgoing = i % 3 == 0;
        call.answered = call.outgoing || i % 4 != 1;
        call.durationSeconds = call.answered ? 15.5 + (i * 37) % 600 : 0;
        call.callType = i % 5 == 2 ? 8 : (i % 5 == 4 ? 16 : 1);
        return call;
    });
}

int DemoDeviceGenerator::AddBooks() {
    struct Book {
        const char* file;
        const char* title;
        const char* author;
        int kind; // 0 PDF, 1 EPUB, 2 unpacked EPUB, 3 EPUB made by iBooks
    };
    static const std::array<Book, 8> kBooks = {{
        {"Harbour Lights.pdf", "Harbour Lights", "Mara Lindqvist", 0},
        {"Field Notes.pdf", "Field Notes on Birds", "Tomas Ferreira", 0},
        {"Quiet Engines.pdf", "Quiet Engines", "Lena Okafor", 0},
        {"The Salt Road.epub", "The Salt Road", "Ines Baptiste", 1},
        {"Kleine Gärten.epub", "Kleine Gärten", "Jörg Weiß", 1},
        {"Winter Recipes.epub", "Winter Recipes", "Sofia Marchetti", 2},
        {"山间小路.epub", "山间小路", "林晓", 1},
        {"Studio Handbook.epub", "Studio Handbook", "Vexa Studio", 3},
    }};
    BookStore store(ContentSchema::MediaRoot(m_folder));
    for (const auto& book : kBooks) {
        const fs::path local = Staging(book.file);
        formats::BookSpec spec{book.title, book.author, 3};
        const bool written =
            book.kind == 0 ? formats::WritePdf(local, spec) : formats::WriteEpub(local, spec, book.kind == 2);
        if (!written)
            return VEXA_E_IO;
        if (int code = store.Add(local, book.kind == 3 ? BOOK_EPUB_IBOOKS : 0))
            return code;
    }
    return store.Save();
}

int DemoDeviceGenerator::AddMusic(sqlite3* mediaDb) {
    static const std::array<const char*, 5> kArtists = {"The Lanterns", "Mira Sol", "Northbound", "Café Trio",
                                                        "Yuki & The Tides"};
    static const std::array<const char*, 4> kAlbums = {"Evening Lines", "Open Water", "Paper Maps", "Früh"};
    TrackStore store(mediaDb, ContentSchema::MediaRoot(m_folder));
    for (const char* playlist : {"Favourites", "Road Trip", "Quiet Evening"}) {
        if (int code = store.AddPlaylist(playlist))
            return code;
    }
    constexpr int kSongs = 20;
    for (int i = 0; i < kSongs; ++i) {
        formats::AudioSpec spec;
        spec.seconds = 2 + i % 3;
        spec.frequencyHz = 220 + 20 * i;
        spec.title =
            i == 19 ? "Voice Memo 1" : "Song " + std::to_string(i + 1) + (i == 4 ? " — Ünïcode" : "");
        spec.artist = kArtists[i % kArtists.size()];
        spec.album = kAlbums[i % kAlbums.size()];
        spec.genre = i % 2 ? "Pop" : "Jazz";
        spec.trackNumber = 1 + i % 10;
        spec.year = 2010 + i % 12;
        const fs::path local = Staging("song" + std::to_string(i) + (i % 2 ? ".m4a" : ".mp3"));
        if (!formats::WriteAudioFile(local, spec))
            return VEXA_E_IO;
        // Songs join playlists 1 to 3 in a fixed pattern; the voice memo (kind 4) stays out of them.
        const int playlist = i == 19 ? 0 : (i % 4 == 3 ? 0 : 1 + i % 3);
        if (int code = store.AddFile(local, playlist, i == 19 ? MEDIA_AUDIO_OTHER : 0))
            return code;
    }
    return VEXA_OK;
}

int DemoDeviceGenerator::AddVideos(sqlite3* mediaDb) {
    TrackStore store(mediaDb, ContentSchema::MediaRoot(m_folder));
    static const std::array<const char*, 5> kVideos = {
        "Beach Walk.mp4", "Birthday Party.mov", "Concert Clip.mp4", "Skyline Timelapse.mov", "Tutorial.mp4"};
    for (size_t i = 0; i < kVideos.size(); ++i) {
        formats::VideoSpec spec;
        spec.seconds = 2;
        spec.title = fs::path(kVideos[i]).stem().string();
        spec.hue = static_cast<int>(i) * 70;
        const fs::path local = Staging(kVideos[i]);
        if (!formats::WriteVideoFile(local, spec))
            return VEXA_E_IO;
        // The concert clip is a music video; the others are movies.
        if (int code = store.AddFile(local, 0, i == 2 ? MEDIA_MUSIC_VIDEO : 0))
            return code;
    }
    return VEXA_OK;
}

int DemoDeviceGenerator::AddPhotos() {
    const fs::path media = ContentSchema::MediaRoot(m_folder);
    const fs::path file = PhotoLibraryStore::DatabasePath(m_folder);
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    SimDatabase library(file, SimDatabase::OpenMode::CreateIfMissing);
    auto session = library.Lock();
    if (session.Result())
        return session.Result();
    if (!PhotoLibraryStore::EnsureTables(session.Handle(), m_iosRelease))
        return VEXA_E_DATABASE;
    Transaction transaction(session);
    PhotoLibraryStore photos(session.Handle(), media);
    int64_t stream = 0, holiday = 0, family = 0;
    if (int code = photos.CreateAlbum("My Photo Stream", kPhotoStreamAlbumKind,
                                      PhotoLibraryStore::UuidFromNumber(900001), &stream))
        return code;
    if (int code = photos.CreateAlbum("Holiday 2025", kUserAlbumKind,
                                      PhotoLibraryStore::UuidFromNumber(900002), &holiday))
        return code;
    if (int code =
            photos.CreateAlbum("Family", kUserAlbumKind, PhotoLibraryStore::UuidFromNumber(900003), &family))
        return code;

    for (const char* folder : {"DCIM/100APPLE", "PhotoData/Sync/100SYNCD"})
        fs::create_directories(media / folder, error);
    constexpr int kPhotos = 80;
    constexpr int64_t kFirstDay = 789004800; // 2026-01-01 in seconds since 2001
    for (int i = 0; i < kPhotos; ++i) {
        const bool synced = i % 8 == 7; // every eighth photo came from a computer
        // One screenshot among the camera's pictures, saved as the phone saves them: a PNG in DCIM.
        const bool screenshot = i == 32;
        char name[32];
        std::snprintf(name, sizeof name, screenshot ? "IMG_%04d.PNG" : "IMG_%04d.JPG", i + 1);
        const std::string folder = synced ? "PhotoData/Sync/100SYNCD/" : "DCIM/100APPLE/";
        const int64_t date = kFirstDay - static_cast<int64_t>(kPhotos - i) * 3 * 86400 + i * 3671;
        const time_t unix = static_cast<time_t>(date + 978307200);
        char taken[32];
        std::tm utc{};
        gmtime_r(&unix, &utc);
        std::strftime(taken, sizeof taken, "%Y:%m:%d %H:%M:%S", &utc);
        formats::ImageSpec spec;
        spec.width = i % 5 == 0 ? 480 : 640;
        spec.height = i % 5 == 0 ? 640 : 480;
        spec.seed = i;
        spec.caption = "Demo photo " + std::to_string(i + 1);
        spec.dateTimeOriginal = taken;
        const bool written = screenshot ? formats::WritePng(media / folder / name, spec)
                                        : formats::WriteJpeg(media / folder / name, spec);
        if (!written)
            return VEXA_E_IO;
        NewPhoto photo;
        photo.uuid = PhotoLibraryStore::UuidFromNumber(i + 1);
        photo.screenshot = screenshot;
        photo.favorite = i % 11 == 5 && !synced;
        photo.kind = synced ? kPhotoSynced : kPhotoTaken;
        photo.date = date;
        photo.width = spec.width;
        photo.height = spec.height;
        photo.devicePath = "/" + folder + name;
        int64_t row = 0;
        if (int code = photos.Insert(photo, &row))
            return code;
        const int64_t album =
            i % 7 == 0 ? stream : (i >= 40 && i < 55 ? holiday : (i % 10 == 3 ? family : 0));
        if (album && !synced) {
            if (int code = photos.AddToAlbum(album, row))
                return code;
        }
    }
    formats::VideoSpec clip;
    clip.title = "IMG_0081";
    if (!formats::WriteVideoFile(media / "DCIM/100APPLE/IMG_0081.MOV", clip))
        return VEXA_E_IO;
    NewPhoto movie;
    movie.uuid = PhotoLibraryStore::UuidFromNumber(kPhotos + 1);
    movie.date = kFirstDay;
    movie.width = 320;
    movie.height = 240;
    movie.devicePath = "/DCIM/100APPLE/IMG_0081.MOV";
    if (int code = photos.Insert(movie, nullptr))
        return code;
    // Stills as today's phones take them: HEIC, the last one a Live Photo whose short clip lies beside it
    // under the same name. Each has the phone's own small JPEG for the grid.
    for (int n = 0; n < 4; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%04d.HEIC", kPhotos + 2 + n);
        const fs::path still = media / "DCIM/100APPLE" / name;
        const formats::ImageSpec spec{640, 480, 200 + n, "", ""};
        if (!formats::WriteHeic(still, spec))
            return VEXA_E_IO;
        const fs::path small = ios::PhotoLibraryReader::ThumbnailFile(media, "DCIM/100APPLE", name);
        fs::create_directories(small.parent_path(), error);
        if (!formats::WriteJpeg(small, formats::ImageSpec{160, 120, 200 + n, "", ""}))
            return VEXA_E_IO;
        NewPhoto photo;
        photo.uuid = PhotoLibraryStore::UuidFromNumber(kPhotos + 2 + n);
        photo.date = kFirstDay + 3600 * (n + 1);
        photo.width = spec.width;
        photo.height = spec.height;
        photo.devicePath = "/DCIM/100APPLE/" + std::string(name);
        photo.livePhoto = n == 3;
        photo.favorite = n == 1;
        if (photo.livePhoto &&
            !formats::WriteVideoFile(fs::path(still).replace_extension(".MOV"), {1.5, 480, 360, "Live", 40}))
            return VEXA_E_IO;
        if (int code = photos.Insert(photo, nullptr))
            return code;
    }
    if (int code = photos.Finish())
        return code;
    return transaction.Commit();
}

int DemoDeviceGenerator::AddApps(sqlite3* db) {
    struct App {
        const char* id;
        const char* name;
        const char* version;
        const char* minimumOS;
    };
    static const std::array<App, 12> kApps = {{
        {"com.lanternworks.traillog", "Trail Log", "2.4.1", "9.0"},
        {"com.lanternworks.pocketledger", "Pocket Ledger", "5.0", "10.0"},
        {"net.bluefinch.tidetables", "Tide Tables", "1.9", "8.0"},
        {"org.openatlas.maps", "Open Atlas", "3.2.0", "11.0"},
        {"com.papercrane.notes", "Paper Crane Notes", "7.1", "9.3"},
        {"com.quietbyte.metronome", "Metronome Pro", "4.0.2", "8.0"},
        {"io.sundial.weather", "Sundial Weather", "12.0", "12.0"},
        {"com.kitchenlab.recipes", "Kitchen Lab", "2.0", "10.3"},
        {"com.wortschatz.vokabel", "Vokabeltrainer", "1.4", "9.0"},
        {"cn.shanshui.reader", "山水阅读", "3.3", "10.0"},
        {"com.starling.podcasts", "Starling Podcasts", "6.5", "11.4"},
        {"com.gridline.sudoku", "Gridline Sudoku", "1.0.7", "8.0"},
    }};
    AppStore store(db, m_folder / "Applications");
    DeviceInfoFile info;
    if (int code = DeviceInfoFile::Load(m_folder / "device.json", info))
        return code;
    const std::string deviceVersion = info.profile.properties["ProductVersion"];
    for (size_t i = 0; i < kApps.size(); ++i) {
        formats::AppBundle app;
        app.bundleId = kApps[i].id;
        app.displayName = kApps[i].name;
        app.version = kApps[i].version;
        app.shortVersion = kApps[i].version;
        app.minimumOS = kApps[i].minimumOS;
        app.executable = fs::path(kApps[i].id).extension().string().substr(1);
        app.payloadBytes = 200000 + i * 150000;
        const fs::path icon = Staging("icon.png");
        formats::ImageSpec iconSpec{120, 120, static_cast<int>(100 + i), "", ""};
        if (!formats::WritePng(icon, iconSpec) || !DeviceFiles::Size(icon))
            return VEXA_E_IO;
        std::ifstream in(icon, std::ios::binary);
        app.iconPng.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        const fs::path ipa = Staging(app.executable + ".ipa");
        if (!formats::WriteIpa(ipa, app))
            return VEXA_E_IO;
        if (int code = store.Install(ipa, deviceVersion))
            return code;
        std::ofstream(store.ContainerOf(app.bundleId) / "Documents" / "settings.txt")
            << "theme=dark\nlast-opened=2026-01-0" << (1 + i % 9) << "\n";
    }
    return VEXA_OK;
}

int DemoDeviceGenerator::AddFileTree() {
    const fs::path media = ContentSchema::MediaRoot(m_folder);
    static const std::array<const char*, 9> kFiles = {
        "Downloads/Übersicht 2025.txt",
        "Downloads/Reisepläne/Köln – Notizen.txt",
        "Downloads/文档/报告 2024.txt",
        "Downloads/文档/季度/第一季度.txt",
        "Downloads/Café/Menü/Crème brûlée.txt",
        "Downloads/Café/Menü/Preise.csv",
        "Recordings/Meeting 1.txt",
        "Downloads/Projects/deep/deeper/deepest/readme.txt",
        "Downloads/Ελληνικά/σημειώσεις.txt",
    };
    for (size_t i = 0; i < kFiles.size(); ++i) {
        const fs::path file = media / kFiles[i];
        std::error_code error;
        fs::create_directories(file.parent_path(), error);
        std::ofstream out(file, std::ios::binary);
        for (size_t line = 0; line <= i * 3; ++line)
            out << "Line " << line + 1 << " of " << fs::path(kFiles[i]).filename().string() << "\n";
        if (!out)
            return VEXA_E_IO;
    }
    return VEXA_OK;
}

} // namespace vexa::sim
