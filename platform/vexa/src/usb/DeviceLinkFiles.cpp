#include "DeviceLinkFiles.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <vexa/VexaResult.h>

#include "DeviceLinkConnection.h"
#include "FileDescriptor.h"
#include "TransferProgress.h"
#include "formats/Plist.h"
#include "sim/BackupFolderSwap.h"

namespace fs = std::filesystem;

namespace vexa::usb {

namespace {

// The codes in front of each piece of a file stream.
constexpr uint8_t kCodeSuccess = 0x00;
constexpr uint8_t kCodeLocalError = 0x06;
constexpr uint8_t kCodeFileData = 0x0c;
// File data is read and written in pieces of up to this size, through one buffer kept for the session.
constexpr size_t kChunk = 1024 * 1024;
constexpr uint32_t kMaxName = 4096;
// Answered for a request whose files could only partly be handled.
constexpr uint64_t kMultiStatus = 13;

std::vector<std::string> stringsOf(plist_t array) {
    std::vector<std::string> texts;
    if (array == nullptr || plist_get_node_type(array) != PLIST_ARRAY) {
        return texts;
    }
    for (uint32_t i = 0; i < plist_array_get_size(array); ++i) {
        texts.push_back(formats::Plist::StringValue(plist_array_get_item(array, i)));
    }
    return texts;
}

plist_t fileError(const std::string& text, int code) {
    plist_t entry = plist_new_dict();
    plist_dict_set_item(entry, "DLFileErrorString", plist_new_string(text.c_str()));
    plist_dict_set_item(entry, "DLFileErrorCode", plist_new_uint(static_cast<uint64_t>(code)));
    return entry;
}

// The answer to a request over several files: success, or which of them failed.
int answerFiles(DeviceLinkConnection& link, plist_t errors) {
    if (plist_dict_get_size(errors) == 0) {
        plist_free(errors);
        return link.SendStatus(0, {});
    }
    return link.SendStatus(kMultiStatus, "Multi status", errors);
}

} // namespace

DeviceLinkFiles::DeviceLinkFiles(fs::path root, std::string identifier)
    : m_root(std::move(root))
    , m_identifier(std::move(identifier)) {}

bool DeviceLinkFiles::Map(const std::string& deviceName, fs::path& local) const {
    if (deviceName != m_identifier && deviceName.rfind(m_identifier + "/", 0) != 0) {
        return false;
    }
    const fs::path relative =
        deviceName.size() > m_identifier.size() ? deviceName.substr(m_identifier.size() + 1) : std::string();
    for (const fs::path& part : relative) {
        if (part == ".." || part == "." || part == "/") {
            return false;
        }
    }
    local = relative.empty() ? m_root : m_root / relative;
    return true;
}

plist_t DeviceLinkFiles::contentsOf(const fs::path& folder) const {
    plist_t entries = plist_new_dict();
    std::error_code error;
    const bool top = folder == m_root;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        // Other files the user keeps beside the backup are none of the device's business.
        if (top && !sim::BackupFolderSwap::IsBackupEntry(name)) {
            continue;
        }
        std::error_code statusError;
        const auto status = it->symlink_status(statusError);
        plist_t entry = plist_new_dict();
        const bool directory = fs::is_directory(status);
        plist_dict_set_item(entry, "DLFileType",
                            plist_new_string(directory                     ? "DLFileTypeDirectory"
                                             : fs::is_regular_file(status) ? "DLFileTypeRegular"
                                                                           : "DLFileTypeUnknown"));
        plist_dict_set_item(entry, "DLFileSize", plist_new_uint(directory ? 0 : it->file_size(statusError)));
        const auto modified = std::chrono::file_clock::to_sys(it->last_write_time(statusError));
        plist_dict_set_item(
            entry, "DLFileModificationDate",
            formats::Plist::NewDate(std::chrono::system_clock::to_time_t(
                std::chrono::time_point_cast<std::chrono::system_clock::duration>(modified))));
        plist_dict_set_item(entries, name.c_str(), entry);
    }
    return entries;
}

int DeviceLinkFiles::Answer(DeviceLinkConnection& link, const std::string& name, plist_t message,
                            bool& handled) {
    handled = true;
    std::error_code error;
    fs::path local;
    if (name == "DLMessageCreateDirectory") {
        if (!Map(formats::Plist::StringValue(plist_array_get_item(message, 1)), local)) {
            return link.SendStatus(EACCES, "Outside the backup folder");
        }
        fs::create_directories(local, error);
        return error ? link.SendStatus(static_cast<uint64_t>(error.value()), error.message())
                     : link.SendStatus(0, {});
    }
    if (name == "DLContentsOfDirectory") {
        if (!Map(formats::Plist::StringValue(plist_array_get_item(message, 1)), local)) {
            return link.SendStatus(EACCES, "Outside the backup folder");
        }
        return link.SendStatus(0, {}, contentsOf(local));
    }
    if (name == "DLMessageGetFreeDiskSpace") {
        struct statvfs figures {};
        const uint64_t free = ::statvfs(m_root.c_str(), &figures) == 0
                                  ? static_cast<uint64_t>(figures.f_bavail) * figures.f_frsize
                                  : 0;
        return link.SendStatus(0, {}, plist_new_uint(free));
    }
    if (name == "DLMessageMoveItems" || name == "DLMessageMoveFiles") {
        return moveItems(link, plist_array_get_item(message, 1));
    }
    if (name == "DLMessageRemoveItems" || name == "DLMessageRemoveFiles") {
        plist_t errors = plist_new_dict();
        for (const std::string& path : stringsOf(plist_array_get_item(message, 1))) {
            if (!Map(path, local) || local == m_root) {
                plist_dict_set_item(errors, path.c_str(), fileError("Outside the backup folder", EACCES));
                continue;
            }
            fs::remove_all(local, error);
            if (error) {
                plist_dict_set_item(errors, path.c_str(), fileError(error.message(), error.value()));
            }
        }
        return answerFiles(link, errors);
    }
    if (name == "DLMessageCopyItem") {
        fs::path target;
        if (!Map(formats::Plist::StringValue(plist_array_get_item(message, 1)), local) ||
            !Map(formats::Plist::StringValue(plist_array_get_item(message, 2)), target)) {
            return link.SendStatus(EACCES, "Outside the backup folder");
        }
        fs::remove_all(target, error);
        fs::copy(local, target, fs::copy_options::recursive, error);
        return error ? link.SendStatus(static_cast<uint64_t>(error.value()), error.message())
                     : link.SendStatus(0, {});
    }
    handled = false;
    return VEXA_OK;
}

int DeviceLinkFiles::moveItems(DeviceLinkConnection& link, plist_t moves) {
    plist_t errors = plist_new_dict();
    if (moves == nullptr || plist_get_node_type(moves) != PLIST_DICT) {
        return answerFiles(link, errors);
    }
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(moves, &it);
    char* key = nullptr;
    plist_t value = nullptr;
    for (plist_dict_next_item(moves, it, &key, &value); key != nullptr;
         plist_dict_next_item(moves, it, &key, &value)) {
        const std::string from = key;
        free(key);
        key = nullptr;
        fs::path source;
        fs::path target;
        std::error_code error;
        if (!Map(from, source) || !Map(formats::Plist::StringValue(value), target) || target == m_root) {
            plist_dict_set_item(errors, from.c_str(), fileError("Outside the backup folder", EACCES));
            continue;
        }
        fs::remove_all(target, error);
        fs::create_directories(target.parent_path(), error);
        fs::rename(source, target, error);
        if (error) {
            plist_dict_set_item(errors, from.c_str(), fileError(error.message(), error.value()));
        }
    }
    free(it);
    return answerFiles(link, errors);
}

int DeviceLinkFiles::ReceiveFiles(DeviceLinkConnection& link, plist_t message, TransferProgress& progress) {
    // The device announces the bytes of the whole backup, not of this batch.
    plist_t total = plist_array_get_item(message, 3);
    if (total != nullptr && plist_get_node_type(total) == PLIST_UINT) {
        uint64_t bytes = 0;
        plist_get_uint_val(total, &bytes);
        progress.RaiseByteTotal(bytes);
    }
    bool more = true;
    while (more) {
        if (int result = receiveFile(link, more, progress); result != VEXA_OK) {
            return result;
        }
    }
    return link.SendStatus(0, {});
}

int DeviceLinkFiles::receiveFile(DeviceLinkConnection& link, bool& more, TransferProgress& progress) {
    // Each file: the device's own path, the path it names for the computer, then data pieces ending in a
    // success or error code. A zero length ends the batch.
    std::string names[2];
    for (std::string& name : names) {
        uint32_t length = 0;
        if (int result = link.ReadBe32(length); result != VEXA_OK) {
            return result;
        }
        if (length == 0 && &name == &names[0]) {
            more = false;
            return VEXA_OK;
        }
        if (length == 0 || length > kMaxName) {
            return VEXA_E_PROTOCOL;
        }
        name.resize(length);
        if (int result = link.ReadExact(name.data(), length); result != VEXA_OK) {
            return result;
        }
    }
    fs::path target;
    if (!Map(names[1], target) || target == m_root) {
        return VEXA_E_PATH_ESCAPE;
    }
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    fs::remove(target, error);
    FileDescriptor out(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (out.Get() < 0) {
        return VEXA_E_IO;
    }
    std::vector<char>& buffer = m_buffer;
    buffer.resize(kChunk);
    uint64_t bytes = 0;
    for (;;) {
        uint32_t length = 0;
        uint8_t code = 0;
        if (int result = link.ReadBe32(length); result != VEXA_OK) {
            return result;
        }
        if (length == 0) {
            return VEXA_E_PROTOCOL;
        }
        if (int result = link.ReadExact(&code, 1); result != VEXA_OK) {
            return result;
        }
        uint64_t left = length - 1;
        if (code != kCodeFileData) {
            if (left > kMaxName) {
                return VEXA_E_PROTOCOL;
            }
            std::string text(left, '\0');
            if (int result = link.ReadExact(text.data(), left); result != VEXA_OK) {
                return result;
            }
            if (code != kCodeSuccess) {
                // The device could not read this file: it is left out, as the device reports.
                out.Close();
                fs::remove(target, error);
                return progress.Advance(0);
            }
            if (!out.Close()) {
                return VEXA_E_IO;
            }
            return progress.AdvanceReceived(bytes);
        }
        while (left > 0) {
            const size_t piece = std::min<uint64_t>(left, buffer.size());
            if (int result = link.ReadExact(buffer.data(), piece); result != VEXA_OK) {
                return result;
            }
            if (!WriteAll(out.Get(), buffer.data(), piece)) {
                return errno == ENOSPC ? VEXA_E_NO_SPACE : VEXA_E_IO;
            }
            left -= piece;
            bytes += piece;
        }
    }
}

int DeviceLinkFiles::SendFiles(DeviceLinkConnection& link, plist_t message, TransferProgress* progress) {
    const std::vector<std::string> names = stringsOf(plist_array_get_item(message, 1));
    uint64_t bytes = 0;
    for (const std::string& name : names) {
        fs::path local;
        std::error_code error;
        if (Map(name, local)) {
            const uint64_t size = fs::file_size(local, error);
            bytes += error ? 0 : size;
        }
    }
    if (progress != nullptr) {
        progress->SetTotals(names.size(), bytes);
    }
    plist_t errors = plist_new_dict();
    for (const std::string& name : names) {
        int result = VEXA_OK;
        if (name.size() > kMaxName) {
            result = VEXA_E_INVALID_ARGUMENT;
        } else {
            result = link.WriteBe32(static_cast<uint32_t>(name.size()));
            if (result == VEXA_OK) {
                result = link.WriteAll(name.data(), name.size());
            }
        }
        if (result == VEXA_OK) {
            result = sendFile(link, name);
        }
        if (result == VEXA_E_NOT_FOUND) {
            plist_dict_set_item(errors, name.c_str(), fileError("No such file", ENOENT));
            result = VEXA_OK;
        }
        if (result == VEXA_OK && progress != nullptr) {
            fs::path local;
            std::error_code error;
            const uint64_t size = Map(name, local) ? fs::file_size(local, error) : 0;
            result = progress->Advance(error ? 0 : size);
        }
        if (result != VEXA_OK) {
            plist_free(errors);
            return result;
        }
    }
    if (int result = link.WriteBe32(0); result != VEXA_OK) {
        plist_free(errors);
        return result;
    }
    return answerFiles(link, errors);
}

int DeviceLinkFiles::sendFile(DeviceLinkConnection& link, const std::string& deviceName) {
    fs::path local;
    FileDescriptor in(Map(deviceName, local) ? ::open(local.c_str(), O_RDONLY | O_CLOEXEC) : -1);
    // A piece goes out as one write: its length (code and data), the code, the data.
    std::vector<char> buffer(5 + kChunk);
    auto sendPiece = [&link, &buffer](uint8_t code, size_t length) {
        const uint32_t header = htonl(static_cast<uint32_t>(length + 1));
        std::memcpy(buffer.data(), &header, 4);
        buffer[4] = static_cast<char>(code);
        return link.WriteAll(buffer.data(), 5 + length);
    };
    if (in.Get() < 0) {
        static constexpr char kMissing[] = "No such file";
        std::memcpy(buffer.data() + 5, kMissing, sizeof kMissing - 1);
        const int result = sendPiece(kCodeLocalError, sizeof kMissing - 1);
        return result == VEXA_OK ? VEXA_E_NOT_FOUND : result;
    }
    for (;;) {
        const ssize_t got = ::read(in.Get(), buffer.data() + 5, kChunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            static constexpr char kUnreadable[] = "Unreadable file";
            std::memcpy(buffer.data() + 5, kUnreadable, sizeof kUnreadable - 1);
            const int result = sendPiece(kCodeLocalError, sizeof kUnreadable - 1);
            return result == VEXA_OK ? VEXA_E_NOT_FOUND : result;
        }
        if (got == 0) {
            return sendPiece(kCodeSuccess, 0);
        }
        if (int result = sendPiece(kCodeFileData, static_cast<size_t>(got)); result != VEXA_OK) {
            return result;
        }
    }
}

} // namespace vexa::usb
