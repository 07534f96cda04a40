#include "BackupService.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>

#include <sqlite3.h>
#include <unistd.h>

#include <vexa/VexaResult.h>

#include "BackupDelta.h"
#include "EmulatedDevice.h"
#include "Emulator.h"
#include "sim/BackupFolderSwap.h"
#include "sim/DeviceBackup.h"
#include "sim/SimDatabase.h"
#include "sim/SimDevice.h"

namespace vexa::emulator {

namespace fs = std::filesystem;
using formats::Plist;
using formats::PlistPtr;

namespace {

// File data goes in pieces of this size, through one buffer reused for every file.
constexpr size_t kChunk = 1024 * 1024;
constexpr uint32_t kMaxName = 4096;

// A work folder of the device's own that goes when the transfer ends, whatever the outcome.
class WorkFolder {
public:
    WorkFolder(sim::SimDevice& device, const char* purpose) {
        static std::atomic<unsigned> counter{0};
        m_path = device.WorkFolder("emulator") /
                 (std::string(purpose) + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::error_code error;
        fs::remove_all(m_path, error);
        fs::create_directories(m_path, error);
    }
    ~WorkFolder() {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

// The host names files inside its backup folder; anything that climbs out of it is refused.
bool isSafeRelative(const std::string& path) {
    if (path.empty() || path.front() == '/')
        return false;
    for (const fs::path& part : fs::path(path)) {
        if (part == ".." || part == ".")
            return false;
    }
    return true;
}

int stopWhenDetached(const BackupProgress*, void* context) {
    return static_cast<EmulatedDevice*>(context)->IsDetached() ? 1 : 0;
}

} // namespace

BackupService::BackupService(ServiceContext& context)
    : m_context(context)
    , m_link(context)
    , m_chunk(kChunk) {}

void BackupService::Serve() {
    const bool legacy = m_context.emulator.LegacyBackup();
    if (!m_link.ExchangeVersion(legacy ? kLegacyVersion : kModernVersion))
        return;
    std::string name;
    while (PlistPtr message = m_link.Receive(name)) {
        if (name == "DLMessageDisconnect")
            return;
        plist_t request = plist_array_get_item(message.get(), 1);
        if (name != "DLMessageProcessMessage" || !request || plist_get_node_type(request) != PLIST_DICT)
            continue;
        const std::string what = Plist::String(request, "MessageName");
        bool open = true;
        if (what == "Hello")
            open = hello(request);
        else if (what == "Backup")
            open = backup(request);
        else if (what == "Restore")
            open = restore(request);
        else if (what == "Info")
            open = info(request);
        else if (what == "List")
            open = list(request);
        else if (what == "ChangePassword")
            open = changePassword(request);
        else
            open = finish(1, "The request " + what + " is not supported.");
        if (!open)
            return;
    }
}

bool BackupService::hello(plist_t request) {
    plist_t versions = Plist::Item(request, "SupportedProtocolVersions", PLIST_ARRAY);
    double best = 0;
    for (uint32_t i = 0; versions && i < plist_array_get_size(versions); ++i) {
        double version = 0;
        plist_t node = plist_array_get_item(versions, i);
        if (plist_get_node_type(node) == PLIST_REAL)
            plist_get_real_val(node, &version);
        if (version <= 2.1)
            best = std::max(best, version);
    }
    plist_t reply = plist_new_dict();
    plist_dict_set_item(reply, "MessageName", plist_new_string("Response"));
    plist_dict_set_item(reply, "ErrorCode", plist_new_uint(best > 0 ? 0 : 1));
    if (best > 0)
        plist_dict_set_item(reply, "ProtocolVersion", plist_new_real(best));
    return m_link.SendProcessMessage(reply);
}

bool BackupService::finish(uint64_t errorCode, const std::string& description, const std::string& content) {
    plist_t reply = plist_new_dict();
    plist_dict_set_item(reply, "ErrorCode", plist_new_uint(errorCode));
    if (errorCode != 0)
        plist_dict_set_item(reply, "ErrorDescription", plist_new_string(description.c_str()));
    if (!content.empty())
        plist_dict_set_item(reply, "Content", plist_new_string(content.c_str()));
    return m_link.SendProcessMessage(reply);
}

bool BackupService::backup(plist_t request) {
    const std::string udid = m_context.device.Udid();
    const std::string target = Plist::String(request, "TargetIdentifier");
    if (!target.empty() && target != udid)
        return finish(1, "The backup is for another device.");
    plist_t options = Plist::Item(request, "Options", PLIST_DICT);
    const bool forced = options && Plist::Bool(options, "ForceFullBackup");
    WorkFolder work(m_context.device.Sim(), "backup");
    const fs::path folder = work.Path() / "backup";
    sim::DeviceBackup maker(m_context.device.SharedSim(), stopWhenDetached, &m_context.device);
    // A phone streams its files as it goes; the snapshot here is sent and removed, so it links them.
    maker.MakeTransientSnapshots();
    if (const int code = maker.Backup(folder); code != VEXA_OK)
        return finish(static_cast<uint64_t>(code),
                      "The device could not make the backup (error " + std::to_string(code) + ").");
    std::vector<std::string> hostFiles;
    std::vector<std::string> hostFolders;
    if (!listHostBackup(udid, hostFiles, false, &hostFolders))
        return false;
    // The host's earlier backup of this device is brought up to date unless the host asks for a whole
    // one. An encrypted backup is always made whole: its files are sealed under keys of this backup.
    BackupDelta delta;
    bool incremental = false;
    const bool encrypting = !m_context.device.Sim().Info().backupPassword.empty();
    const std::vector<std::string> state = {"Manifest.plist", "Manifest.db", "Status.plist"};
    const bool earlierThere = std::all_of(state.begin(), state.end(), [&hostFiles](const std::string& name) {
        return std::find(hostFiles.begin(), hostFiles.end(), name) != hostFiles.end();
    });
    if (!forced && !encrypting && earlierThere) {
        const fs::path earlier = work.Path() / "earlier";
        if (!downloadFiles(udid, state, earlier))
            return false;
        incremental = delta.ReadEarlier(earlier);
    }
    std::vector<std::string> data;
    std::vector<std::string> removed;
    if (incremental) {
        delta.Compare(folder);
        if (!delta.ToCompare().empty()) {
            const fs::path copies = work.Path() / "copies";
            if (!downloadFiles(udid, delta.ToCompare(), copies, true))
                return false;
            delta.Settle(copies, folder);
        }
        data = delta.ToSend();
        removed = delta.Removed();
    } else {
        // A whole backup replaces what the host held: its stored files go first.
        for (const std::string& name : hostFolders)
            if (sim::BackupFolderSwap::IsBackupEntry(name))
                removed.push_back(name);
        std::error_code error;
        for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const std::string relative = it->path().lexically_relative(folder).string();
            if (!it->is_directory(error) && relative.find('/') != std::string::npos)
                data.push_back(relative);
        }
        std::sort(data.begin(), data.end());
    }
    if (!removeHostItems(udid, removed))
        return false;
    // Data files first and the plists that describe them last, Status.plist the very last: a host that
    // loses the connection part-way never holds a backup that looks finished. Info.plist is the host's
    // to write; a device never sends one.
    std::vector<std::string> directories;
    for (const std::string& relative : data) {
        const std::string parent = fs::path(relative).parent_path().string();
        if (directories.empty() || directories.back() != parent)
            directories.push_back(parent);
    }
    directories.erase(std::unique(directories.begin(), directories.end()), directories.end());
    std::error_code error;
    for (const char* name : {"Manifest.db", "Manifest.plist", "Status.plist"})
        if (fs::exists(folder / name, error))
            data.push_back(name);
    uint64_t total = 0;
    for (const std::string& relative : data)
        total += fs::file_size(folder / relative, error);
    if (!createDirectories(udid, directories) || !uploadFiles(folder, udid, data, total))
        return false;
    m_context.emulator.SetLastBackup({data.size(), total, removed.size(), incremental});
    std::fprintf(stderr, "vexa-device-emulator: %s backup of %s: %zu files, %llu bytes sent, %zu removed\n",
                 incremental ? "incremental" : "full", udid.c_str(), data.size(),
                 static_cast<unsigned long long>(total), removed.size());
    return finish(0, {});
}

bool BackupService::removeHostItems(const std::string& udid, const std::vector<std::string>& relativePaths) {
    if (relativePaths.empty())
        return true;
    plist_t names = plist_new_array();
    for (const std::string& relative : relativePaths)
        plist_array_append_item(names, plist_new_string((udid + "/" + relative).c_str()));
    // Devices that speak the older device-link version name the request by files.
    const bool legacy = m_context.emulator.LegacyBackup();
    if (!m_link.Send(legacy ? "DLMessageRemoveFiles" : "DLMessageRemoveItems",
                     {names, plist_new_dict(), plist_new_uint(0), plist_new_real(0)}))
        return false;
    int64_t code = 0;
    PlistPtr content;
    return m_link.ReceiveStatus(code, content);
}

bool BackupService::createDirectories(const std::string& udid,
                                      const std::vector<std::string>& relativePaths) {
    for (const std::string& relative : relativePaths) {
        if (!m_link.Send("DLMessageCreateDirectory", {plist_new_string((udid + "/" + relative).c_str())}))
            return false;
        int64_t code = 0;
        PlistPtr content;
        if (!m_link.ReceiveStatus(code, content))
            return false;
    }
    return true;
}

bool BackupService::uploadFiles(const fs::path& folder, const std::string& udid,
                                const std::vector<std::string>& relativePaths, uint64_t total) {
    if (!m_link.Send("DLMessageUploadFiles", {plist_new_dict(), plist_new_real(0), plist_new_uint(total)}))
        return false;
    for (const std::string& relative : relativePaths) {
        if (m_context.device.IsDetached() || !uploadFile(folder / relative, udid + "/" + relative))
            return false;
    }
    int64_t code = 0;
    PlistPtr content;
    return m_link.WriteBe32(0) && m_link.ReceiveStatus(code, content);
}

bool BackupService::uploadFile(const fs::path& file, const std::string& name) {
    const std::string deviceName = "/var/mobile/" + name;
    if (!m_link.WriteBe32(static_cast<uint32_t>(deviceName.size())) ||
        !m_link.WriteRaw(deviceName.data(), deviceName.size()) ||
        !m_link.WriteBe32(static_cast<uint32_t>(name.size())) || !m_link.WriteRaw(name.data(), name.size()))
        return false;
    std::ifstream in(file, std::ios::binary);
    std::vector<char>& buffer = m_chunk;
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto got = static_cast<size_t>(in.gcount());
        if (got == 0)
            break;
        const uint8_t code = DeviceLink::kCodeFileData;
        if (!m_link.WriteBe32(static_cast<uint32_t>(got + 1)) || !m_link.WriteRaw(&code, 1) ||
            !m_link.WriteRaw(buffer.data(), got))
            return false;
    }
    const uint8_t done = DeviceLink::kCodeSuccess;
    return m_link.WriteBe32(1) && m_link.WriteRaw(&done, 1);
}

bool BackupService::restore(plist_t request) {
    const std::string source = Plist::String(request, "SourceIdentifier");
    const std::string udid = source.empty() ? m_context.device.Udid() : source;
    plist_t options = Plist::Item(request, "Options", PLIST_DICT);
    const std::string password = options ? Plist::String(options, "Password") : std::string();
    std::vector<std::string> files;
    if (!listHostBackup(udid, files))
        return false;
    if (files.empty())
        return finish(1, "The computer holds no backup of this device.");
    WorkFolder work(m_context.device.Sim(), "restore");
    if (!downloadFiles(udid, files, work.Path()))
        return false;
    sim::DeviceBackup applier(m_context.device.SharedSim(), stopWhenDetached, &m_context.device);
    const int code = applier.Restore(work.Path(), password);
    if (code == VEXA_E_PASSWORD)
        return finish(static_cast<uint64_t>(code), "The backup password is wrong.");
    if (code != VEXA_OK)
        return finish(static_cast<uint64_t>(code),
                      "The device could not restore the backup (error " + std::to_string(code) + ").");
    return finish(0, {});
}

bool BackupService::listHostBackup(const std::string& udid, std::vector<std::string>& relativePaths,
                                   bool recursive, std::vector<std::string>* folders) {
    std::vector<std::string> pending = {""};
    while (!pending.empty()) {
        const std::string folder = pending.back();
        pending.pop_back();
        const std::string hostPath = folder.empty() ? udid : udid + "/" + folder;
        if (!m_link.Send("DLContentsOfDirectory", {plist_new_string(hostPath.c_str())}))
            return false;
        int64_t code = 0;
        PlistPtr content;
        if (!m_link.ReceiveStatus(code, content))
            return false;
        if (!content || plist_get_node_type(content.get()) != PLIST_DICT)
            continue;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(content.get(), &it);
        char* key = nullptr;
        plist_t entry = nullptr;
        for (plist_dict_next_item(content.get(), it, &key, &entry); key;
             plist_dict_next_item(content.get(), it, &key, &entry)) {
            const std::string name = key;
            free(key);
            key = nullptr;
            const std::string relative = folder.empty() ? name : folder + "/" + name;
            if (name == "." || name == ".." || !isSafeRelative(relative))
                continue;
            const std::string type = Plist::String(entry, "DLFileType");
            if (type == "DLFileTypeDirectory" && recursive)
                pending.push_back(relative);
            else if (type == "DLFileTypeDirectory" && folders)
                folders->push_back(relative);
            else if (type == "DLFileTypeRegular")
                relativePaths.push_back(relative);
        }
        free(it);
    }
    return true;
}

bool BackupService::downloadFiles(const std::string& udid, const std::vector<std::string>& relativePaths,
                                  const fs::path& folder, bool partly) {
    plist_t names = plist_new_array();
    for (const std::string& relative : relativePaths)
        plist_array_append_item(names, plist_new_string((udid + "/" + relative).c_str()));
    if (!m_link.Send("DLMessageDownloadFiles",
                     {names, plist_new_dict(), plist_new_uint(0), plist_new_real(0)}))
        return false;
    bool more = true;
    while (more) {
        if (!receiveFile(folder, udid, more))
            return false;
    }
    int64_t code = 0;
    PlistPtr content;
    return m_link.ReceiveStatus(code, content) && (code == 0 || partly);
}

bool BackupService::receiveFile(const fs::path& folder, const std::string& udid, bool& more) {
    uint32_t length = 0;
    if (!m_link.ReadBe32(length) || length > kMaxName)
        return false;
    if (length == 0) {
        more = false;
        return true;
    }
    std::string name(length, '\0');
    if (!m_link.ReadRaw(name.data(), length))
        return false;
    const std::string prefix = udid + "/";
    if (!name.starts_with(prefix) || !isSafeRelative(name.substr(prefix.size())))
        return false;
    const fs::path target = folder / name.substr(prefix.size());
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    std::vector<char>& buffer = m_chunk;
    for (;;) {
        uint8_t code = 0;
        if (!m_link.ReadBe32(length) || length == 0 || !m_link.ReadRaw(&code, 1))
            return false;
        uint64_t left = length - 1;
        if (code != DeviceLink::kCodeFileData) {
            // Success ends the file; an error carries its text, and the file is left out.
            std::string text(left, '\0');
            if (left > kMaxName || !m_link.ReadRaw(text.data(), left))
                return false;
            if (code != DeviceLink::kCodeSuccess) {
                out.close();
                fs::remove(target, error);
            }
            return true;
        }
        while (left > 0) {
            const size_t piece = std::min<uint64_t>(left, buffer.size());
            if (!m_link.ReadRaw(buffer.data(), piece))
                return false;
            out.write(buffer.data(), static_cast<std::streamsize>(piece));
            left -= piece;
        }
    }
}

} // namespace vexa::emulator

namespace vexa::emulator {

bool BackupService::fetchBackupFiles(const std::string& udid, const std::vector<std::string>& names,
                                     const fs::path& folder, bool& found) {
    std::vector<std::string> present;
    if (!listHostBackup(udid, present, false))
        return false;
    std::vector<std::string> wanted;
    for (const std::string& name : names) {
        if (std::find(present.begin(), present.end(), name) != present.end())
            wanted.push_back(name);
    }
    found = wanted.size() == names.size();
    return !found || downloadFiles(udid, wanted, folder);
}

bool BackupService::info(plist_t request) {
    const std::string source = Plist::String(request, "SourceIdentifier");
    const std::string udid = source.empty() ? m_context.device.Udid() : source;
    WorkFolder work(m_context.device.Sim(), "info");
    bool found = false;
    if (!fetchBackupFiles(udid, {"Info.plist", "Manifest.plist", "Status.plist"}, work.Path(), found))
        return false;
    if (!found)
        return finish(VEXA_E_NOT_FOUND, "The computer holds no complete backup of this device.");
    const PlistPtr information = Plist::ParseFile((work.Path() / "Info.plist").string());
    const PlistPtr manifest = Plist::ParseFile((work.Path() / "Manifest.plist").string());
    const PlistPtr status = Plist::ParseFile((work.Path() / "Status.plist").string());
    if (!information || !manifest || !status)
        return finish(VEXA_E_NOT_A_BACKUP, "The backup on the computer cannot be read.");
    std::string content;
    for (const char* key :
         {"Device Name", "Product Type", "Product Version", "Serial Number", "Unique Identifier"})
        content += std::string(key) + ": " + Plist::String(information.get(), key) + "\n";
    plist_t date = Plist::Item(status.get(), "Date", PLIST_DATE);
    content += "Last Backup Date: " + (date ? Plist::IsoTime(Plist::UnixTime(date)) : std::string()) + "\n";
    content += "Snapshot State: " + Plist::String(status.get(), "SnapshotState") + "\n";
    content +=
        std::string("Encrypted: ") + (Plist::Bool(manifest.get(), "IsEncrypted") ? "Yes" : "No") + "\n";
    return finish(0, {}, content);
}

bool BackupService::list(plist_t request) {
    const std::string source = Plist::String(request, "SourceIdentifier");
    const std::string udid = source.empty() ? m_context.device.Udid() : source;
    WorkFolder work(m_context.device.Sim(), "list");
    bool found = false;
    if (!fetchBackupFiles(udid, {"Manifest.plist", "Manifest.db"}, work.Path(), found))
        return false;
    if (!found)
        return finish(VEXA_E_NOT_FOUND, "The computer holds no complete backup of this device.");
    const PlistPtr manifest = Plist::ParseFile((work.Path() / "Manifest.plist").string());
    // The file list of an encrypted backup is encrypted with it.
    if (!manifest || Plist::Bool(manifest.get(), "IsEncrypted"))
        return finish(VEXA_E_PASSWORD, "The backup on the computer is encrypted.");
    sim::SimDatabase database(work.Path() / "Manifest.db", sim::SimDatabase::OpenMode::MustExist);
    sim::DatabaseSession session = database.Lock();
    sim::Statement rows(
        session.Handle(),
        "SELECT domain, relativePath, fileID, flags FROM Files ORDER BY domain, relativePath");
    if (session.Result() != VEXA_OK || !rows.Ok())
        return finish(VEXA_E_NOT_A_BACKUP, "The backup on the computer cannot be read.");
    std::string content = "Domain,Path,FileID,Type\n";
    while (rows.Step() == SQLITE_ROW) {
        const int64_t flags = rows.Int(3);
        const char* type = flags == 2 ? "Directory" : flags == 4 ? "Link" : "File";
        content += rows.Text(0) + "," + rows.Text(1) + "," + rows.Text(2) + "," + type + "\n";
    }
    return finish(0, {}, content);
}

bool BackupService::changePassword(plist_t request) {
    const std::string oldPassword = Plist::String(request, "OldPassword");
    const std::string newPassword = Plist::String(request, "NewPassword");
    const std::string current = m_context.device.Sim().Info().backupPassword;
    if (current.empty() && newPassword.empty())
        return finish(VEXA_E_INVALID_ARGUMENT, "Backup encryption is not turned on.");
    if (!current.empty() && oldPassword != current)
        return finish(VEXA_E_PASSWORD, "The backup password is wrong.");
    const int code = m_context.device.Sim().UpdateInfo(
        [&newPassword](sim::DeviceInfoFile& info) { info.backupPassword = newPassword; });
    if (code != VEXA_OK)
        return finish(static_cast<uint64_t>(code), "The device could not keep the backup password.");
    return finish(0, {});
}

} // namespace vexa::emulator
