// A backup of the large phone (20,000 contacts, 200,000 messages in 2,000 conversations) opened as a
// device: the conversations and the contacts listed through its services, the first time each, from a
// plain backup and from an encrypted one after its one key derivation (with a phone's own rounds).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

#include <QTemporaryDir>

#include <vexa/BackupDevice.h>
#include <vexa/VexaResult.h>
#include <vexa/vexa.h>

#include "BenchReport.h"
#include "sim/ContentServices.h"
#include "sim/DeviceBackup.h"
#include "sim/DeviceInfoFile.h"
#include "sim/SimDevice.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUdid = "00008110-BENCHBACKUPDEVICE";
constexpr const char* kPassword = "bench password";
// The rounds a phone sets for its backup password.
constexpr uint32_t kPhoneSha256Rounds = 10000000;
constexpr uint32_t kPhoneSha1Rounds = 10000;

double Milliseconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

void Report(const char* name, const char* what, double ms, double limitMs) {
    std::printf("%-52s %9.1f ms  (limit %6.0f ms)  %s\n", what, ms, limitMs, ms <= limitMs ? "ok" : "OVER");
    BenchFigure(name, ms, "ms", limitMs);
}

bool Backup(const std::shared_ptr<vexa::sim::SimDevice>& device, const fs::path& folder,
            const char* password) {
    device->UpdateInfo([password](vexa::sim::DeviceInfoFile& info) {
        info.backupPassword = password;
        info.backupSha256Rounds = kPhoneSha256Rounds;
        info.backupSha1Rounds = kPhoneSha1Rounds;
    });
    return vexa::sim::DeviceBackup(device).Backup(folder) == VEXA_OK;
}

// Opens the backup, unlocks it when it is encrypted, and lists conversations and contacts once.
bool Measure(const fs::path& folder, const char* suffix, bool encrypted) {
    auto content = std::make_unique<BackupContent>();
    auto start = std::chrono::steady_clock::now();
    if (content->Open(folder.c_str()) != VEXA_OK)
        return false;
    if (encrypted) {
        if (content->Unlock(kPassword) != VEXA_OK)
            return false;
        const double derivation = Milliseconds(start);
        std::printf("%-52s %9.1f ms\n", "password key derived, Manifest.db opened", derivation);
        BenchWatch("backup_device_key_derivation", derivation, "ms");
    }
    IVexaManager* device = OpenBackupDevice(std::move(content));
    if (!device)
        return false;
    const std::string conversationsName = std::string("backup_device_conversations") + suffix;
    const std::string contactsName = std::string("backup_device_contacts") + suffix;
    ConversationList* conversations = nullptr;
    start = std::chrono::steady_clock::now();
    const bool listed = device->GetDeviceService()->GetMessages(&conversations, 0) == VEXA_OK;
    Report(conversationsName.c_str(),
           encrypted ? "2,000 conversations listed (encrypted)" : "2,000 conversations listed",
           Milliseconds(start), 1000);
    ContactList* contacts = nullptr;
    start = std::chrono::steady_clock::now();
    const bool read = device->GetContactService()->GetContacts(&contacts) == VEXA_OK;
    Report(contactsName.c_str(), encrypted ? "20,000 contacts listed (encrypted)" : "20,000 contacts listed",
           Milliseconds(start), 500);
    const bool complete = listed && read && conversations->count >= 2000 && contacts->recordCount == 20000;
    DeleteVexaManager(&device);
    return complete;
}

} // namespace

int main() {
    QTemporaryDir dir;
    const fs::path root = dir.filePath("phones").toStdString();
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = kUdid;
    spec.name = "Bench Phone";
    spec.contacts = 20000;
    spec.messages = 200000;
    auto start = std::chrono::steady_clock::now();
    if (vexa::sim::GenerateLargeDevice(root, spec) != 0) {
        std::fprintf(stderr, "the large phone could not be made\n");
        return 1;
    }
    std::printf("large phone made in %.1f s\n", Milliseconds(start) / 1000);
    auto device = std::make_shared<vexa::sim::SimDevice>(root / kUdid);
    const fs::path plain = dir.filePath("plain").toStdString();
    const fs::path encrypted = dir.filePath("encrypted").toStdString();
    if (!Backup(device, plain, "") || !Backup(device, encrypted, kPassword)) {
        std::fprintf(stderr, "the backups could not be made\n");
        return 1;
    }
    const bool ok = Measure(plain, "", false) && Measure(encrypted, "_encrypted", true);
    if (!ok)
        std::fprintf(stderr, "a backup did not list the whole phone\n");
    return ok ? 0 : 1;
}
