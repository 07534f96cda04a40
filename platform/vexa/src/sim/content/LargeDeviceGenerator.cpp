#include "LargeDeviceGenerator.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <optional>

#include <vexa/VexaResult.h>

#include "../SimDatabase.h"
#include "AddressBookSchema.h"
#include "AppStore.h"
#include "BookStore.h"
#include "CallHistoryStore.h"
#include "ContentIds.h"
#include "ContentSchema.h"
#include "DeviceFiles.h"
#include "MessageStore.h"
#include "PhotoLibraryStore.h"
#include "TrackStore.h"
#include "formats/AudioFile.h"
#include "formats/BookFile.h"
#include "formats/ImageFile.h"
#include "formats/IpaFile.h"
#include "formats/VideoFile.h"
#include "ios/AddressBookReader.h"

namespace vexa::sim {

namespace fs = std::filesystem;

namespace {

constexpr std::array kFirstNames = {"Alex", "Bea", "Chen", "Dana", "Eli", "Fay", "Gus", "Hana", "Ivo", "Jun"};
constexpr std::array kLastNames = {"Adler", "Brandt", "Costa", "Diaz", "Engel", "Fujita", "Gray", "Holm"};
constexpr int kPhotosPerFolder = 1000;
constexpr int kSongsPerPlaylist = 200;
constexpr int kPlaylists = 5;

std::string Numbered(const char* format, long long n) {
    char text[64];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

std::string PhoneOf(int n) {
    return Numbered("+1 555 %07lld", 1000000 + n);
}

std::string Letters(int n) {
    std::string name;
    for (int i = 0; i < 4; ++i, n /= 26)
        name += static_cast<char>('A' + n % 26);
    return name;
}

} // namespace

LargeDeviceGenerator::LargeDeviceGenerator(fs::path deviceFolder, const LargeDeviceSpec& spec)
    : m_folder(std::move(deviceFolder))
    , m_staging(m_folder / ".staging" / "large")
    , m_spec(spec) {}

int LargeDeviceGenerator::Run() {
    std::error_code error;
    fs::create_directories(m_staging, error);
    if (error)
        return VEXA_E_IO;
    if (int code = MakeSamples())
        return code;
    const fs::path addressBookFile = AddressBookSchema::DatabasePath(m_folder);
    fs::create_directories(addressBookFile.parent_path(), error);
    SimDatabase device(ContentSchema::DeviceDatabasePath(m_folder), SimDatabase::OpenMode::CreateIfMissing);
    SimDatabase media(ContentSchema::MediaDatabasePath(m_folder), SimDatabase::OpenMode::CreateIfMissing);
    SimDatabase addressBook(addressBookFile, SimDatabase::OpenMode::CreateIfMissing);
    auto session = device.Lock();
    auto mediaSession = media.Lock();
    auto addressBookSession = addressBook.Lock();
    int code = VEXA_OK;
    if ((code = session.Result()) || (code = mediaSession.Result()) || (code = addressBookSession.Result()))
        return code;
    sqlite3* db = session.Handle();
    sqlite3* mediaDb = mediaSession.Handle();
    if (!ContentSchema::EnsureDeviceTables(db) || !ContentSchema::EnsureMediaTables(mediaDb) ||
        !AddressBookSchema::Ensure(addressBookSession.Handle()))
        return VEXA_E_DATABASE;
    Transaction transaction(session);
    Transaction mediaTransaction(mediaSession);
    Transaction addressBookTransaction(addressBookSession);
    if ((code = AddContacts(addressBookSession.Handle())) || (code = AddMessages()) || (code = AddPhotos()) ||
        (code = AddTracks(mediaDb, m_spec.songs, false)) ||
        (code = AddTracks(mediaDb, m_spec.videos, true)) || (code = AddPlaylists(mediaDb)) ||
        (code = AddBooks()) || (code = AddApps(db)))
        return code;
    if ((code = transaction.Commit()) || (code = mediaTransaction.Commit()) ||
        (code = addressBookTransaction.Commit()))
        return code;
    fs::remove_all(m_staging, error);
    return VEXA_OK;
}

int LargeDeviceGenerator::MakeSamples() {
    for (int i = 0; i < (m_spec.photos > 0 ? 6 : 0); ++i) {
        const fs::path jpeg = m_staging / Numbered("sample%lld.JPG", i);
        if (!formats::WriteJpeg(jpeg, formats::ImageSpec{640, 480, 500 + i, "Sample", "2025:06:01 12:00:00"}))
            return VEXA_E_IO;
        m_jpegs.push_back(jpeg);
        m_jpegSizes.push_back(int64_t(DeviceFiles::Size(jpeg)));
    }
    for (int i = 0; i < (m_spec.songs > 0 ? 4 : 0); ++i) {
        const fs::path song = m_staging / Numbered(i % 2 ? "sample%lld.m4a" : "sample%lld.mp3", i);
        formats::AudioSpec spec;
        spec.seconds = 2;
        spec.frequencyHz = 300 + 50 * i;
        spec.title = "Sample";
        if (!formats::WriteAudioFile(song, spec))
            return VEXA_E_IO;
        m_songs.push_back(song);
    }
    for (int i = 0; i < (m_spec.videos > 0 ? 2 : 0); ++i) {
        const fs::path video = m_staging / Numbered("sample%lld.mp4", i);
        if (!formats::WriteVideoFile(video, formats::VideoSpec{1, 320, 240, "Sample", i * 120}))
            return VEXA_E_IO;
        m_videos.push_back(video);
    }
    return VEXA_OK;
}

int LargeDeviceGenerator::PlacePhoto(int index, const fs::path& target) {
    if (!m_spec.distinctContent)
        return DeviceFiles::LinkOrCopy(m_jpegs[index % m_jpegs.size()], target);
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    // The seed gives each picture its own pixels; the caption and date stay those of the samples.
    const formats::ImageSpec spec{640, 480, 1000 + index, "Sample", "2025:06:01 12:00:00"};
    return formats::WriteJpeg(target, spec) ? VEXA_OK : VEXA_E_IO;
}

int LargeDeviceGenerator::PlaceSong(int index, const fs::path& target) {
    if (!m_spec.distinctContent)
        return DeviceFiles::LinkOrCopy(m_songs[index % m_songs.size()], target);
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    // Two seconds of a tone of its own, as long as the library states; the title tag numbers it as well.
    formats::AudioSpec spec;
    spec.seconds = 2;
    spec.frequencyHz = 200 + 3 * index;
    spec.title = "Sample " + std::to_string(index + 1);
    return formats::WriteAudioFile(target, spec) ? VEXA_OK : VEXA_E_IO;
}

int LargeDeviceGenerator::AddContacts(sqlite3* addressBook) {
    const std::string mobile = ios::WrapAddressBookLabel("Mobile");
    const std::string home = ios::WrapAddressBookLabel("Home");
    Statement label(addressBook, "INSERT OR IGNORE INTO ABMultiValueLabel(value) VALUES (?),(?)");
    if (int code = label.Bind(1, std::string_view(mobile)).Bind(2, std::string_view(home)).Run())
        return code;
    Statement person(addressBook, "INSERT INTO ABPerson(ROWID, First, Last, CreationDate, ModificationDate, "
                                  "StoreID, Kind) VALUES (?,?,?,?,?,1,0)");
    Statement phone(addressBook, "INSERT INTO ABMultiValue(record_id, property, identifier, label, value) "
                                 "SELECT ?, 3, 0, ROWID, ? FROM ABMultiValueLabel WHERE value = ?");
    Statement member(addressBook, "INSERT INTO ABGroupMembers(group_id, member_type, member_id) "
                                  "SELECT ROWID, 0, ? FROM ABGroup WHERE Name = ?");
    for (int i = 1; i <= m_spec.contacts; ++i) {
        person.Reset();
        phone.Reset();
        const int64_t created = 600000000 + int64_t(i) * 60;
        person.Bind(1, i).Bind(2, kFirstNames[i % kFirstNames.size()]);
        person.Bind(3, std::string(kLastNames[i % kLastNames.size()]) + " " + std::to_string(i));
        person.Bind(4, created).Bind(5, created);
        phone.Bind(1, i).Bind(2, PhoneOf(i)).Bind(3, std::string_view(i % 3 ? mobile : home));
        if (int code = person.Run())
            return code;
        if (int code = phone.Run())
            return code;
        if (i % 10 == 0) {
            member.Reset();
            if (int code = member.Bind(1, i).Bind(2, kBuiltInGroups[(i / 10) % 3]).Run())
                return code;
        }
    }
    return VEXA_OK;
}

// Conversations in the phone's message database, every third message with its text only in
// attributedBody; and one call a conversation in the call history.
int LargeDeviceGenerator::AddMessages() {
    if (m_spec.messages <= 0)
        return VEXA_OK;
    SimDatabase database(MessageStore::DatabasePath(m_folder), SimDatabase::OpenMode::CreateIfMissing);
    auto session = MessageStore::Lock(database);
    if (session.Result())
        return session.Result();
    if (!MessageStore::EnsureTables(session.Handle()))
        return VEXA_E_DATABASE;
    // The guid index takes rows in random order: it is kept in memory. Nothing is synced to the disk
    // while the device is made: a device that fails half-way is removed anyway.
    if (int code =
            session.Exec("PRAGMA cache_size = -131072; PRAGMA synchronous = OFF; PRAGMA foreign_keys = OFF"))
        return code;
    Transaction transaction(session);
    MessageStore store(session.Handle(), m_folder);
    const int conversations = std::max(1, m_spec.messages / 100);
    std::vector<int64_t> ids(size_t(conversations) + 1);
    for (int c = 1; c <= conversations; ++c) {
        std::optional<std::string> name;
        if (c % 5 != 0)
            name = std::string(kFirstNames[c % kFirstNames.size()]) + " " + kLastNames[c % kLastNames.size()];
        if (int code = store.AddConversation(PhoneOf(c), name, &ids[size_t(c)]))
            return code;
    }
    // Message m belongs to conversation 1 + m % conversations; they are written one conversation after
    // the other, which keeps the chat_message_join index growing at its end.
    MessageStore::Message message;
    for (int c = 1; c <= conversations; ++c) {
        for (int m = c - 1; m < m_spec.messages; m += conversations) {
            const int order = m / conversations;
            char date[32];
            std::snprintf(date, sizeof date, "2025-%02d-%02d %02d:%02d:%02d", 1 + order / 28 % 12,
                          1 + order % 28, c % 24, order % 60, m % 60);
            message.direction = uint8_t(m % 2);
            message.dateTime = date;
            message.text = "Message " + std::to_string(order + 1) + " in conversation " + std::to_string(c);
            message.bodyOnly = m % 3 == 2;
            if (int code = store.AddMessage(ids[size_t(c)], message))
                return code;
        }
    }
    if (int code = transaction.Commit())
        return code;
    return AddCalls(conversations);
}

int LargeDeviceGenerator::AddCalls(int count) {
    return CallHistoryStore::Write(m_folder, count, [](int index) {
        const int i = index + 1;
        CallHistoryStore::Call call;
        call.address = PhoneOf(i);
        call.unixTime = 1735689600 + int64_t(i) * 3600; // from 2025-01-01, one an hour
        call.outgoing = i % 2 == 0;
        call.answered = i % 3 != 0;
        call.durationSeconds = call.answered ? 30 + i % 300 : 0;
        return call;
    });
}

int LargeDeviceGenerator::AddPhotos() {
    const fs::path media = ContentSchema::MediaRoot(m_folder);
    const fs::path file = PhotoLibraryStore::DatabasePath(m_folder);
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    SimDatabase library(file, SimDatabase::OpenMode::CreateIfMissing);
    auto session = library.Lock();
    if (session.Result())
        return session.Result();
    if (!PhotoLibraryStore::EnsureTables(session.Handle(), m_spec.iosRelease))
        return VEXA_E_DATABASE;
    Transaction transaction(session);
    PhotoLibraryStore store(session.Handle(), media);
    for (int i = 0; i < m_spec.photos; ++i) {
        const std::string name = Numbered("IMG_%04lld.JPG", i % 9999 + 1);
        const std::string folder = Numbered("DCIM/%03lldAPPLE", 100 + i / kPhotosPerFolder);
        if (int code = PlacePhoto(i, media / folder / name))
            return code;
        NewPhoto photo;
        photo.uuid = PhotoLibraryStore::UuidFromNumber(i + 1);
        photo.date = 700000000 + static_cast<int64_t>(i) * m_spec.photoSpacingSeconds;
        photo.width = 640;
        photo.height = 480;
        photo.devicePath = "/" + folder + "/" + name;
        if (!m_spec.distinctContent)
            photo.fileSize = m_jpegSizes[size_t(i) % m_jpegSizes.size()];
        if (int code = store.Insert(photo, nullptr))
            return code;
    }
    if (int code = store.Finish())
        return code;
    return transaction.Commit();
}

int LargeDeviceGenerator::AddTracks(sqlite3* mediaDb, int count, bool videos) {
    const fs::path media = ContentSchema::MediaRoot(m_folder);
    const auto& samples = videos ? m_videos : m_songs;
    TrackStore store(mediaDb, media);
    const int offset = videos ? m_spec.songs : 0; // keeps file names apart from the songs'
    for (int i = 0; i < count; ++i) {
        const fs::path& sample = samples[i % samples.size()];
        const std::string extension = sample.extension().string();
        NewTrack track;
        track.folder = Numbered("iTunes_Control/Music/F%02lld", (offset + i) % 50);
        track.fileName = Letters(offset + i) + extension;
        const fs::path file = media / track.folder / track.fileName;
        if (int code = videos ? DeviceFiles::LinkOrCopy(sample, file) : PlaceSong(i, file))
            return code;
        track.title = (videos ? "Video " : "Track ") + std::to_string(i + 1);
        track.artist = "Artist " + std::to_string(i % 300);
        track.album = "Album " + std::to_string(i % 800);
        track.genre = i % 2 ? "Rock" : "Classical";
        track.kind =
            videos ? "MPEG-4 video file" : (extension == ".mp3" ? "MPEG audio file" : "AAC audio file");
        track.mediaKind = videos ? MEDIA_MOVIE : MEDIA_SONG;
        track.fileSize = static_cast<int64_t>(DeviceFiles::Size(file));
        track.durationMs = 2000;
        int64_t pid = 0;
        if (int code = store.Insert(track, &pid))
            return code;
    }
    return VEXA_OK;
}

int LargeDeviceGenerator::AddPlaylists(sqlite3* mediaDb) {
    if (m_spec.songs <= 0)
        return VEXA_OK;
    // The songs were added first, so their item_pids are 1 to songs.
    TrackStore store(mediaDb, ContentSchema::MediaRoot(m_folder));
    for (int p = 1; p <= kPlaylists; ++p) {
        int64_t containerPid = 0;
        if (int code = store.InsertPlaylist("Playlist " + std::to_string(p), &containerPid))
            return code;
        for (int i = 0; i < std::min(kSongsPerPlaylist, m_spec.songs); ++i) {
            const int64_t pid = 1 + (static_cast<int64_t>(i) * 7 + p) % m_spec.songs;
            if (int code = store.Append(containerPid, pid))
                return code;
        }
    }
    return VEXA_OK;
}

int LargeDeviceGenerator::AddBooks() {
    BookStore store(ContentSchema::MediaRoot(m_folder));
    for (int i = 0; i < m_spec.books; ++i) {
        const bool pdf = i % 2 == 0;
        const fs::path local = m_staging / Numbered(pdf ? "Book %04lld.pdf" : "Book %04lld.epub", i + 1);
        formats::BookSpec spec{"Book " + std::to_string(i + 1), "Author " + std::to_string(i % 40), 2};
        if (!(pdf ? formats::WritePdf(local, spec) : formats::WriteEpub(local, spec, false)))
            return VEXA_E_IO;
        if (int code = store.Add(local))
            return code;
    }
    return store.Save();
}

int LargeDeviceGenerator::AddApps(sqlite3* db) {
    AppStore store(db, m_folder / "Applications");
    for (int i = 0; i < m_spec.apps; ++i) {
        formats::AppBundle app;
        app.bundleId = Numbered("com.example.bench%04lld", i + 1);
        app.displayName = Numbered("Bench App %lld", i + 1);
        app.version = app.shortVersion = "1.0";
        app.minimumOS = "8.0";
        app.executable = Numbered("BenchApp%lld", i + 1);
        const fs::path icon = m_staging / "icon.png";
        if (!formats::WritePng(icon, formats::ImageSpec{60, 60, i, "", ""}))
            return VEXA_E_IO;
        std::ifstream in(icon, std::ios::binary);
        app.iconPng.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        const fs::path ipa = m_staging / (app.executable + ".ipa");
        if (!formats::WriteIpa(ipa, app))
            return VEXA_E_IO;
        if (int code = store.Install(ipa, ""))
            return code;
    }
    return VEXA_OK;
}

} // namespace vexa::sim
