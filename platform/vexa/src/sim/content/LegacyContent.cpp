#include "LegacyContent.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <sqlite3.h>
#include <vexa/VexaResult.h>

#include "../SimDevice.h"
#include "AddressBookSchema.h"
#include "BookStore.h"
#include "ContactStore.h"
#include "ContentAccess.h"
#include "MessageStore.h"
#include "PhotoLibraryStore.h"

namespace vexa::sim {

namespace {

// Kinds of the old contact_entries rows.
constexpr int64_t kPhoneEntry = 0;
constexpr int64_t kEmailEntry = 1;
constexpr int64_t kUrlEntry = 2;

// Children first, so that nothing is left pointing at a dropped table.
constexpr const char* kLegacyTables[] = {
    "group_members", "contact_groups", "contact_addresses", "contact_entries", "contacts", "messages",
    "conversations", "books",          "album_photos",      "albums",          "photos"};


struct LegacyContact {
    ContactData data;
    std::vector<std::string> groups;
};

struct LegacyMessage {
    int64_t direction = 0;
    std::string date;
    std::string text;
};

struct LegacyConversation {
    std::string address;
    std::optional<std::string> name;
    std::vector<LegacyMessage> messages;
};

struct LegacyBook {
    std::string fileName; // inside the Books folder
    std::string title;
    std::string author;
    bool madeByIBooks = false;
};

struct LegacyAlbum {
    std::string uuid;
    std::string name;
    int kind = kUserAlbumKind;
    std::vector<size_t> photos; // into Legacy::photos, in the album's order
};

struct Legacy {
    bool hasContacts = false;
    bool hasMessages = false;
    bool hasBooks = false;
    bool hasPhotos = false;
    std::vector<LegacyBook> books;
    std::vector<NewPhoto> photos;
    std::vector<LegacyAlbum> albums;
    std::vector<LegacyContact> contacts;
    std::vector<LegacyConversation> conversations;
};

bool HasTable(sqlite3* db, const char* name) {
    Statement find(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
    find.Bind(1, name);
    return find.Step() == SQLITE_ROW;
}

std::optional<std::string> Optional(const Statement& row, int column) {
    if (row.IsNull(column))
        return std::nullopt;
    return row.Text(column);
}

// Runs `query` and hands every row to `take`; a query the old tables cannot answer is a damaged file.
template <typename Take> int EachRow(sqlite3* db, const char* query, Take take) {
    Statement rows(db, query);
    int step = SQLITE_DONE;
    while ((step = rows.Step()) == SQLITE_ROW)
        take(rows);
    return step == SQLITE_DONE ? int(VEXA_OK) : int(VEXA_E_DATABASE);
}

int ReadContacts(sqlite3* db, Legacy& legacy) {
    std::unordered_map<int64_t, size_t> index;
    int code = EachRow(db,
                       "SELECT id, first_name, middle_name, last_name, nick_name, note, picture1, picture2, "
                       "organization, department, job_title, birthday FROM contacts ORDER BY id",
                       [&](const Statement& row) {
                           LegacyContact contact;
                           ContactData& data = contact.data;
                           data.firstName = Optional(row, 1);
                           data.middleName = Optional(row, 2);
                           data.lastName = Optional(row, 3);
                           data.nickName = Optional(row, 4);
                           data.note = Optional(row, 5);
                           // Columns 6 and 7 held a size and checksum of a picture never kept.
                           data.organization = Optional(row, 8);
                           data.department = Optional(row, 9);
                           data.jobTitle = Optional(row, 10);
                           data.birthday = Optional(row, 11);
                           index[row.Int(0)] = legacy.contacts.size();
                           legacy.contacts.push_back(std::move(contact));
                       });
    auto contactOf = [&](int64_t id) -> ContactData* {
        auto found = index.find(id);
        return found == index.end() ? nullptr : &legacy.contacts[found->second].data;
    };
    if (code == VEXA_OK)
        code = EachRow(db,
                       "SELECT contact_id, kind, coalesce(label, ''), value FROM contact_entries "
                       "ORDER BY contact_id, kind, position",
                       [&](const Statement& row) {
                           ContactData* contact = contactOf(row.Int(0));
                           if (!contact)
                               return;
                           const int64_t kind = row.Int(1);
                           // A kind the old store did not know was listed as a phone; it stays one.
                           auto& list = kind == kEmailEntry ? contact->emails
                                        : kind == kUrlEntry ? contact->urls
                                                            : contact->phones;
                           list.emplace_back(row.Text(2), row.Text(3));
                       });
    if (code == VEXA_OK)
        code = EachRow(db,
                       "SELECT contact_id, coalesce(label, ''), coalesce(street, ''), coalesce(city, ''), "
                       "coalesce(region, ''), coalesce(postal_code, ''), coalesce(country, '') "
                       "FROM contact_addresses ORDER BY contact_id, position",
                       [&](const Statement& row) {
                           if (ContactData* contact = contactOf(row.Int(0)))
                               contact->addresses.push_back({row.Text(1), row.Text(2), row.Text(3),
                                                             row.Text(4), row.Text(5), row.Text(6)});
                       });
    if (code == VEXA_OK)
        code = EachRow(db,
                       "SELECT m.contact_id, g.name FROM group_members m "
                       "JOIN contact_groups g ON g.id = m.group_id ORDER BY m.contact_id, g.id",
                       [&](const Statement& row) {
                           auto found = index.find(row.Int(0));
                           if (found != index.end())
                               legacy.contacts[found->second].groups.push_back(row.Text(1));
                       });
    return code;
}

int ReadMessages(sqlite3* db, Legacy& legacy) {
    std::unordered_map<int64_t, size_t> index;
    int code =
        EachRow(db, "SELECT id, address, name FROM conversations ORDER BY id", [&](const Statement& row) {
            index[row.Int(0)] = legacy.conversations.size();
            legacy.conversations.push_back({row.Text(1), Optional(row, 2), {}});
        });
    if (code == VEXA_OK)
        code =
            EachRow(db, "SELECT conversation_id, sent, date, text FROM messages ORDER BY conversation_id, id",
                    [&](const Statement& row) {
                        auto found = index.find(row.Int(0));
                        if (found != index.end())
                            legacy.conversations[found->second].messages.push_back(
                                {row.Int(1), row.Text(2), row.Text(3)});
                    });
    return code;
}

int ReadBooks(sqlite3* db, Legacy& legacy) {
    return EachRow(db, "SELECT path, title, author, format FROM books ORDER BY id",
                   [&](const Statement& row) {
                       const std::string path = row.Text(0);
                       constexpr std::string_view kFolder = "/Books/";
                       if (path.compare(0, kFolder.size(), kFolder) == 0)
                           legacy.books.push_back(
                               {path.substr(kFolder.size()), row.Text(1), row.Text(2), row.Int(3) == 3});
                   });
}

// The old albums table kept the album types of the library's interface.
int AlbumKindOf(int64_t type) {
    switch (type) {
    case ALBUM_PHOTO_STREAM:
        return kPhotoStreamAlbumKind;
    case ALBUM_LIBRARY:
        return kSyncedAlbumKind;
    default:
        return kUserAlbumKind;
    }
}

// The Camera Roll and the Photo Library were rows of their own; the library has them without one.
// An album never published was a name being typed, never shown.
int ReadPhotos(sqlite3* db, Legacy& legacy) {
    std::unordered_map<int64_t, size_t> index;
    int code =
        EachRow(db, "SELECT id, uuid, date, width, height, file_size, path FROM photos ORDER BY date, id",
                [&](const Statement& row) {
                    NewPhoto photo;
                    photo.uuid = row.Text(1);
                    photo.date = row.Int(2);
                    photo.width = int(row.Int(3));
                    photo.height = int(row.Int(4));
                    photo.fileSize = row.Int(5);
                    photo.devicePath = row.Text(6);
                    index[row.Int(0)] = legacy.photos.size();
                    legacy.photos.push_back(std::move(photo));
                });
    std::unordered_map<int64_t, size_t> albums;
    if (code == VEXA_OK && HasTable(db, "albums"))
        code = EachRow(
            db, "SELECT id, uuid, name, type FROM albums WHERE builtin = 0 AND published = 1 ORDER BY id",
            [&](const Statement& row) {
                albums[row.Int(0)] = legacy.albums.size();
                legacy.albums.push_back({row.Text(1), row.Text(2), AlbumKindOf(row.Int(3)), {}});
            });
    if (code == VEXA_OK && HasTable(db, "album_photos"))
        code = EachRow(db, "SELECT album_id, photo_id FROM album_photos ORDER BY album_id, position",
                       [&](const Statement& row) {
                           auto album = albums.find(row.Int(0));
                           auto photo = index.find(row.Int(1));
                           if (album != albums.end() && photo != index.end())
                               legacy.albums[album->second].photos.push_back(photo->second);
                       });
    return code;
}

int Read(SimDevice& device, Legacy& legacy) {
    auto session = device.Database().Lock();
    if (session.Result())
        return session.Result();
    sqlite3* db = session.Handle();
    legacy.hasContacts = HasTable(db, "contacts");
    legacy.hasMessages = HasTable(db, "conversations");
    legacy.hasBooks = HasTable(db, "books");
    legacy.hasPhotos = HasTable(db, "photos");
    int code = VEXA_OK;
    if (legacy.hasContacts)
        code = ReadContacts(db, legacy);
    if (code == VEXA_OK && legacy.hasMessages)
        code = ReadMessages(db, legacy);
    if (code == VEXA_OK && legacy.hasBooks)
        code = ReadBooks(db, legacy);
    if (code == VEXA_OK && legacy.hasPhotos)
        code = ReadPhotos(db, legacy);
    return code;
}

int64_t CountRows(sqlite3* db, const char* query) {
    Statement count(db, query);
    return count.Step() == SQLITE_ROW ? count.Int(0) : -1;
}

int WriteContacts(SimDevice& device, const Legacy& legacy) {
    EnsureAddressBookFolder(device);
    auto session = device.AddressBook().Lock();
    if (session.Result())
        return session.Result();
    if (!AddressBookSchema::Ensure(session.Handle()))
        return VEXA_E_DATABASE;
    // People already there were moved by an earlier run that stopped before it dropped the old tables.
    const int64_t people = CountRows(session.Handle(), "SELECT COUNT(*) FROM ABPerson");
    if (people != 0)
        return people > 0 ? int(VEXA_OK) : int(VEXA_E_DATABASE);
    Transaction transaction(session);
    if (transaction.Result())
        return transaction.Result();
    ContactStore store(session.Handle());
    for (const LegacyContact& contact : legacy.contacts) {
        for (const std::string& group : contact.groups) {
            const int created = store.CreateGroup(group);
            if (created != VEXA_OK && created != VEXA_E_EXISTS)
                return created;
        }
        int64_t id = 0;
        if (int code = store.Insert(contact.data, &id))
            return code;
        if (!contact.groups.empty())
            if (int code = store.SetContactGroups(id, contact.groups))
                return code;
    }
    return transaction.Commit();
}

int WriteMessages(SimDevice& device, const Legacy& legacy) {
    auto session = MessageStore::Lock(device.MessageDatabase());
    if (session.Result())
        return session.Result();
    if (!MessageStore::EnsureTables(session.Handle()))
        return VEXA_E_DATABASE;
    const int64_t messages = CountRows(session.Handle(), "SELECT COUNT(*) FROM chat");
    if (messages != 0)
        return messages > 0 ? int(VEXA_OK) : int(VEXA_E_DATABASE);
    Transaction transaction(session);
    if (transaction.Result())
        return transaction.Result();
    MessageStore store(session.Handle(), device.Folder());
    for (const LegacyConversation& conversation : legacy.conversations) {
        int64_t id = 0;
        if (int code = store.AddConversation(conversation.address, conversation.name, &id))
            return code;
        for (const LegacyMessage& message : conversation.messages)
            if (int code =
                    store.AddMessageWithDirection(id, uint8_t(message.direction), message.date, message.text))
                return code;
    }
    return transaction.Commit();
}

int WriteBooks(SimDevice& device, const Legacy& legacy) {
    // A list already there was written by an earlier run, or by the phone's own way of keeping books.
    std::error_code error;
    if (std::filesystem::exists(BookStore::ListFile(device.MediaRoot()), error))
        return VEXA_OK;
    BookStore store(device.MediaRoot());
    for (const LegacyBook& book : legacy.books)
        if (int code = store.AddEntry(book.fileName, book.title, book.author, book.madeByIBooks))
            return code;
    return store.Save();
}

int WritePhotos(SimDevice& device, const Legacy& legacy) {
    std::error_code error;
    std::filesystem::create_directories(device.PhotoDatabase().File().parent_path(), error);
    auto session = device.PhotoDatabase().Lock();
    if (session.Result())
        return session.Result();
    if (!PhotoLibraryStore::EnsureTables(session.Handle()))
        return VEXA_E_DATABASE;
    PhotoLibraryStore store(session.Handle(), device.MediaRoot());
    const int64_t assets =
        CountRows(session.Handle(), ("SELECT COUNT(*) FROM " + store.Layout().assetTable).c_str());
    if (assets != 0)
        return assets > 0 ? int(VEXA_OK) : int(VEXA_E_DATABASE);
    Transaction transaction(session);
    if (transaction.Result())
        return transaction.Result();
    std::vector<int64_t> keys(legacy.photos.size());
    for (size_t i = 0; i < legacy.photos.size(); ++i)
        if (int code = store.Insert(legacy.photos[i], &keys[i]))
            return code;
    for (const LegacyAlbum& album : legacy.albums) {
        int64_t key = 0;
        if (int code = store.CreateAlbum(album.name, album.kind, album.uuid, &key))
            return code;
        for (size_t photo : album.photos)
            if (int code = store.AddToAlbum(key, keys[photo]))
                return code;
    }
    if (int code = store.Finish())
        return code;
    return transaction.Commit();
}

int DropTables(SimDevice& device) {
    auto session = device.Database().Lock();
    if (session.Result())
        return session.Result();
    Transaction transaction(session);
    if (transaction.Result())
        return transaction.Result();
    for (const char* table : kLegacyTables)
        if (int code = session.Exec(("DROP TABLE IF EXISTS " + std::string(table)).c_str()))
            return code;
    return transaction.Commit();
}

// Looks without opening the database the way its users do: that would leave its -wal and -shm files
// beside it (and the device's used space changed) on every connection. A file that cannot be looked
// into this way is taken as one that may hold them.
bool MayHoldLegacyTables(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return false;
    // Rows still in the write-ahead log are not seen by an immutable read.
    std::filesystem::path log = file;
    log += "-wal";
    if (std::filesystem::exists(log, error) && std::filesystem::file_size(log, error) > 0 && !error)
        return true;
    sqlite3* db = nullptr;
    std::string uri = "file:";
    for (char c : file.string()) {
        // The characters a URI's path cannot hold as they are.
        if (c == '%' || c == '?' || c == '#')
            uri += c == '%' ? "%25" : c == '?' ? "%3f" : "%23";
        else
            uri += c;
    }
    uri += "?immutable=1";
    bool mayHold = true;
    if (sqlite3_open_v2(uri.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) == SQLITE_OK) {
        Statement find(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                           "name IN ('contacts', 'conversations', 'books', 'photos')");
        mayHold = find.Step() != SQLITE_ROW || find.Int(0) > 0;
    }
    sqlite3_close(db);
    return mayHold;
}

} // namespace

int MoveLegacyContent(SimDevice& device) {
    if (!MayHoldLegacyTables(device.DatabaseFile()))
        return VEXA_OK;
    Legacy legacy;
    if (int code = Read(device, legacy))
        return code;
    if (!legacy.hasContacts && !legacy.hasMessages && !legacy.hasBooks && !legacy.hasPhotos)
        return VEXA_OK;
    if (legacy.hasContacts)
        if (int code = WriteContacts(device, legacy))
            return code;
    if (legacy.hasMessages)
        if (int code = WriteMessages(device, legacy))
            return code;
    if (legacy.hasBooks)
        if (int code = WriteBooks(device, legacy))
            return code;
    if (legacy.hasPhotos)
        if (int code = WritePhotos(device, legacy))
            return code;
    return DropTables(device);
}

} // namespace vexa::sim
