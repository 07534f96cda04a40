// The entry points the device manager and vexa-simctl use to reach the content side of a device.
#include "../ContentServices.h"

#include <sqlite3.h>

#include <vexa/VexaResult.h>

#include "../SimDevice.h"
#include "AddressBookNumbers.h"
#include "ContentAccess.h"
#include "ContentSchema.h"
#include "DemoDeviceGenerator.h"
#include "LargeDeviceGenerator.h"
#include "MessageStore.h"
#include "PhotoLibraryStore.h"
#include "SimAlbumLibrary.h"
#include "SimAppLibrary.h"
#include "SimBookService.h"
#include "SimContactService.h"
#include "SimMediaLibrary.h"
#include "SimPhotoLibrary.h"
#include "ios/ReadResult.h"

namespace vexa::sim {

namespace {

int64_t CountOf(sqlite3* db, const char* sql, int& code) {
    Statement count(db, sql);
    if (count.Step() == SQLITE_ROW)
        return count.Int(0);
    if (code == VEXA_OK)
        code = count.Result() != VEXA_OK ? count.Result() : static_cast<int>(VEXA_E_DATABASE);
    return 0;
}

// A half-made device folder is removed again, so a failed generation leaves nothing behind.
int Finish(const std::filesystem::path& root, const std::string& udid, int code) {
    if (code == VEXA_OK)
        return SimDevice::Publish(root, udid);
    std::error_code error;
    std::filesystem::remove_all(root / udid, error);
    return code;
}

} // namespace

std::unique_ptr<IContactService> CreateContactService(std::shared_ptr<SimDevice> device) {
    return std::make_unique<SimContactService>(std::move(device));
}

std::unique_ptr<IMediaLibrary> CreateMediaLibrary(std::shared_ptr<SimDevice> device) {
    return std::make_unique<SimMediaLibrary>(std::move(device));
}

std::unique_ptr<IPhotoLibrary> CreatePhotoLibrary(std::shared_ptr<SimDevice> device) {
    return std::make_unique<SimPhotoLibrary>(std::move(device));
}

std::unique_ptr<IAlbumLibrary> CreateAlbumLibrary(std::shared_ptr<SimDevice> device) {
    return std::make_unique<SimAlbumLibrary>(std::move(device));
}

std::unique_ptr<IAppLibrary> CreateAppLibrary(std::shared_ptr<SimDevice> device) {
    return std::make_unique<SimAppLibrary>(std::move(device));
}

std::unique_ptr<IBookService> CreateBookService(std::shared_ptr<SimDevice> device) {
    return std::make_unique<SimBookService>(std::move(device));
}

int ReadConversations(SimDevice& device, ResultArena& arena, ConversationList** list) {
    if (!list)
        return VEXA_E_INVALID_ARGUMENT;
    auto* buffer = arena.NewArray<ConversationListBuffer>(1);
    if (int code = MessageStore::List(
            device.MessageDatabase(), [&device] { return AddressBookNumbers(device); }, *buffer))
        return code;
    *list = &buffer->list;
    return VEXA_OK;
}

int ReplaceConversations(const std::filesystem::path& deviceFolder,
                         const std::vector<SimConversation>& conversations) {
    SimDevice device(deviceFolder);
    auto session = MessageStore::Lock(device.MessageDatabase());
    if (session.Result())
        return session.Result();
    if (!MessageStore::EnsureTables(session.Handle()))
        return VEXA_E_DATABASE;
    Transaction transaction(session);
    if (transaction.Result())
        return transaction.Result();
    MessageStore store(session.Handle(), deviceFolder);
    if (int code = store.Clear())
        return code;
    for (const SimConversation& conversation : conversations) {
        int64_t id = 0;
        if (int code = store.AddConversation(conversation.address, conversation.name, &id))
            return code;
        for (const SimMessage& message : conversation.messages) {
            MessageStore::Message stored;
            stored.direction = message.direction;
            stored.dateTime = message.dateTime;
            stored.text = message.text;
            stored.attachments = message.attachments;
            if (int code = store.AddMessage(id, stored))
                return code;
        }
    }
    return transaction.Commit();
}

int CountContent(SimDevice& device, ContentCounts& counts) {
    counts = ContentCounts{};
    int code = VEXA_OK;
    {
        auto session = device.Database().Lock();
        if (session.Result())
            return session.Result();
        sqlite3* db = session.Handle();
        if (!ContentSchema::EnsureDeviceTables(db))
            return VEXA_E_DATABASE;
        counts.apps = CountOf(db, "SELECT COUNT(*) FROM apps", code);
    }
    {
        std::vector<ios::BookListEntry> books;
        const int read = ios::BookListReader::Read(BookStore::ListFile(device.MediaRoot()), books);
        if (read != ios::kReadOk && read != ios::kReadMissing && code == VEXA_OK)
            code = VEXA_E_DATABASE;
        counts.books = int64_t(books.size());
    }
    if (EnsureAddressBookFolder(device)) {
        auto addressBook = device.AddressBook().Lock();
        if (addressBook.Result())
            return addressBook.Result();
        counts.contacts = CountOf(addressBook.Handle(), "SELECT COUNT(*) FROM ABPerson", code);
        counts.groups = CountOf(addressBook.Handle(), "SELECT COUNT(*) FROM ABGroup", code);
    }
    {
        // Camera Roll and the Photo Library are there even before the library file.
        counts.albums = 2;
        std::error_code error;
        if (std::filesystem::exists(device.PhotoDatabase().File(), error)) {
            auto photos = device.PhotoDatabase().Lock();
            ios::PhotoLibrary library;
            const int read = photos.Result()
                                 ? photos.Result()
                                 : PhotoLibraryStore::Read(device.PhotoDatabase().File(), library,
                                                           ios::PhotoLibraryReader::Parts::AssetsAndAlbums);
            if (read)
                return read;
            counts.photos = static_cast<int64_t>(library.assets.size());
            for (const auto& album : library.albums)
                counts.albums += IsShownAlbumKind(album.kind) ? 1 : 0;
        }
    }
    {
        auto messages = MessageStore::Lock(device.MessageDatabase());
        if (messages.Result())
            return code ? code : messages.Result();
        if (!MessageStore::EnsureTables(messages.Handle()))
            return VEXA_E_DATABASE;
        counts.conversations = CountOf(messages.Handle(), "SELECT COUNT(*) FROM chat", code);
        // Tapbacks are rows of their own but not messages.
        counts.messages =
            CountOf(messages.Handle(),
                    "SELECT COUNT(*) FROM chat_message_join j JOIN message m ON m.ROWID = j.message_id "
                    "JOIN chat c ON c.ROWID = j.chat_id "
                    "WHERE coalesce(m.associated_message_type, 0) NOT BETWEEN 2000 AND 3999",
                    code);
    }
    auto media = device.MediaDatabase().Lock();
    if (media.Result() == VEXA_E_NOT_FOUND)
        return code; // a device without a media database has no songs
    if (media.Result())
        return code ? code : media.Result();
    if (!ContentSchema::EnsureMediaTables(media.Handle()))
        return code ? code : VEXA_E_DATABASE;
    // media_type bits 256 to 8192 are the video kinds.
    counts.songs = CountOf(media.Handle(), "SELECT COUNT(*) FROM item WHERE media_type & 16128 = 0", code);
    counts.videos = CountOf(media.Handle(), "SELECT COUNT(*) FROM item WHERE media_type & 16128 != 0", code);
    counts.playlists =
        CountOf(media.Handle(), "SELECT COUNT(*) FROM container WHERE distinguished_kind = 0", code);
    return code;
}

int GenerateDemoDevice(const std::filesystem::path& root, const std::string& udid, const std::string& name,
                       int iosRelease) {
    if (!FindPhotoLibraryVariant(iosRelease))
        return VEXA_E_INVALID_ARGUMENT;
    if (int code = SimDevice::Create(root, udid, name, "iPhone7,2"))
        return code;
    return Finish(root, udid, DemoDeviceGenerator(root / udid, iosRelease).Run());
}

int GenerateLargeDevice(const std::filesystem::path& root, const LargeDeviceSpec& spec) {
    if (spec.contacts < 0 || spec.messages < 0 || spec.photos < 0 || spec.songs < 0 || spec.videos < 0 ||
        spec.apps < 0 || spec.books < 0 || !FindPhotoLibraryVariant(spec.iosRelease))
        return VEXA_E_INVALID_ARGUMENT;
    if (int code = SimDevice::Create(root, spec.udid, spec.name, spec.productType))
        return code;
    return Finish(root, spec.udid, LargeDeviceGenerator(root / spec.udid, spec).Run());
}

} // namespace vexa::sim
