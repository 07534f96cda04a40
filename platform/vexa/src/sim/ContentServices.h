#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <vexa/VexaServices.h>

#include "ResultArena.h"

namespace vexa::sim {

class SimDevice;

// The content side of a simulated device (contacts, messages, media, photos, apps, books and the
// device generators), implemented under sim/content/. The manager creates one of each service when it
// is bound; the device object outlives them all.
std::unique_ptr<IContactService> CreateContactService(std::shared_ptr<SimDevice> device);
std::unique_ptr<IMediaLibrary> CreateMediaLibrary(std::shared_ptr<SimDevice> device);
std::unique_ptr<IPhotoLibrary> CreatePhotoLibrary(std::shared_ptr<SimDevice> device);
std::unique_ptr<IAlbumLibrary> CreateAlbumLibrary(std::shared_ptr<SimDevice> device);
std::unique_ptr<IAppLibrary> CreateAppLibrary(std::shared_ptr<SimDevice> device);
std::unique_ptr<IBookService> CreateBookService(std::shared_ptr<SimDevice> device);

// The conversations for IDeviceService::GetMessages, built in `arena` (the calling thread's buffer).
// The caller has already passed CheckCall("GetMessages").
int ReadConversations(SimDevice& device, ResultArena& arena, ConversationList** list);

// Conversations written straight into a device folder's database, for tests and benchmarks that need
// exact content (texts that are not valid UTF-8, odd direction bytes, nameless correspondents).
struct SimMessage {
    uint8_t direction = 0; // 0 received, any other value sent
    std::string dateTime;
    std::string text;
    std::vector<std::filesystem::path> attachments{}; // files copied in as the message's attachments
};
struct SimConversation {
    std::string address;
    std::optional<std::string> name;
    std::vector<SimMessage> messages;
};
// Replaces every conversation of the device in `deviceFolder` (<root>/<udid>).
int ReplaceConversations(const std::filesystem::path& deviceFolder,
                         const std::vector<SimConversation>& conversations);

struct ContentCounts {
    int64_t contacts = 0;
    int64_t groups = 0;
    int64_t conversations = 0;
    int64_t messages = 0;
    int64_t books = 0;
    int64_t songs = 0;
    int64_t playlists = 0;
    int64_t videos = 0;
    int64_t photos = 0;
    int64_t albums = 0;
    int64_t apps = 0;
};
// Counts as the services would list them (for `vexa-simctl stats` and the tests).
int CountContent(SimDevice& device, ContentCounts& counts);

// Both generators make <root>/<udid> with SimDevice::Create, fill it, and end with SimDevice::Publish,
// so a running listener never sees a half-made device. `iosRelease` is the major iOS release whose file
// layouts the device imitates where they differ between releases (12, 15 or 17).
int GenerateDemoDevice(const std::filesystem::path& root, const std::string& udid, const std::string& name,
                       int iosRelease = 17);

struct LargeDeviceSpec {
    std::string udid;
    std::string name;
    std::string productType = "iPhone7,2";
    int iosRelease = 17; // as for GenerateDemoDevice
    int contacts = 0;
    int messages = 0;
    int photos = 0;
    int photoSpacingSeconds = 1800; // time between two photos, oldest first
    int songs = 0;
    int videos = 0;
    int apps = 0;
    int books = 0;
    // Each photo its own picture and each song its own tone, so no two share a checksum; otherwise a
    // handful of samples is linked again and again, which is much faster to make.
    bool distinctContent = false;
};
int GenerateLargeDevice(const std::filesystem::path& root, const LargeDeviceSpec& spec);

} // namespace vexa::sim
