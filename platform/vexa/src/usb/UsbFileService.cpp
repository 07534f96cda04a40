#include "UsbFileService.h"

#include <algorithm>
#include <cstring>

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

#include <vexa/VexaResult.h>

#include "AfcConnection.h"
#include "UsbDevice.h"

namespace vexa::usb {

namespace {

// Large enough that a local socket moves data at its full speed, small enough for AFC's packet limit.
constexpr uint32_t kChunkSize = 4 * 1024 * 1024;

std::string utf8(const char16_t* text) {
    return QString::fromUtf16(text).toStdString();
}

struct AfcList {
    char** items = nullptr;
    ~AfcList() {
        if (items != nullptr) {
            afc_dictionary_free(items);
        }
    }
};

std::string hiddenNameFor(const std::string& path) {
    const auto slash = path.rfind('/');
    return path.substr(0, slash + 1) + ".vexa-part-" + path.substr(slash + 1);
}

class AfcFile {
public:
    AfcFile(afc_client_t client)
        : m_client(client) {}
    ~AfcFile() {
        if (m_handle != 0) {
            afc_file_close(m_client, m_handle);
        }
    }
    afc_error_t Open(const std::string& path, afc_file_mode_t mode) {
        return afc_file_open(m_client, path.c_str(), mode, &m_handle);
    }
    afc_error_t Close() {
        const uint64_t handle = m_handle;
        m_handle = 0;
        return afc_file_close(m_client, handle);
    }
    uint64_t Handle() const { return m_handle; }

private:
    afc_client_t m_client;
    uint64_t m_handle = 0;
};

} // namespace

UsbFileService::UsbFileService(std::shared_ptr<UsbDevice> device)
    : m_device(device)
    , m_opener([device](std::unique_ptr<AfcConnection>& connection) {
        return AfcConnection::OpenMedia(*device, connection);
    }) {}

UsbFileService::UsbFileService(std::shared_ptr<UsbDevice> device, Opener opener)
    : m_device(std::move(device))
    , m_opener(std::move(opener)) {}

UsbFileService::~UsbFileService() = default;

bool UsbFileService::NormalisePath(const std::string& path, std::string& normalised) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (parts.empty()) {
                return false;
            }
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    normalised.clear();
    for (const std::string& part : parts) {
        normalised += "/" + part;
    }
    if (normalised.empty()) {
        normalised = "/";
    }
    return true;
}

int UsbFileService::withConnection(const std::function<int(AfcConnection&)>& operation) {
    std::lock_guard lock(m_connectionMutex);
    if (!m_device->IsConnected()) {
        m_connection.reset();
        return VEXA_E_UNPLUGGED;
    }
    if (!m_connection) {
        if (int opened = m_opener(m_connection); opened != VEXA_OK) {
            return opened;
        }
    }
    const int result = operation(*m_connection);
    // After a lost or garbled exchange the connection's state is unknown: start afresh next time.
    if (result == VEXA_E_IO || result == VEXA_E_UNPLUGGED || result == VEXA_E_TIMEOUT ||
        result == VEXA_E_PROTOCOL) {
        m_connection.reset();
    }
    return result;
}

int UsbFileService::ReadDirectory(const char* devicePath, int* count, DirectoryEntryRecord** entries) {
    if (devicePath == nullptr || count == nullptr || entries == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    std::string path;
    if (!NormalisePath(devicePath, path)) {
        return VEXA_E_PATH_ESCAPE;
    }
    auto& arena = m_readDirectory.ForCurrentThread();
    return withConnection([&](AfcConnection& connection) {
        afc_client_t client = connection.Client();
        AfcList names;
        if (afc_error_t error = afc_read_directory(client, path.c_str(), &names.items);
            error != AFC_E_SUCCESS) {
            return ResultOfAfc(error, *m_device);
        }
        std::vector<std::string> listed;
        // "." and ".." are passed on as the device lists them; the views skip them.
        for (char** name = names.items; name != nullptr && *name != nullptr; ++name) {
            listed.emplace_back(*name);
        }
        arena.Clear();
        auto* records = arena.NewArray<DirectoryEntryRecord>(listed.size());
        const std::string prefix = path == "/" ? "/" : path + "/";
        for (size_t i = 0; i < listed.size(); ++i) {
            DirectoryEntryRecord& record = records[i];
            record.name = arena.Keep(listed[i]);
            AfcList info;
            if (listed[i] == "." || listed[i] == "..") {
                // Not asked about: ".." of the root lies outside what the service may show.
                record.size = record.modifyTime = record.createTime = arena.Keep("0");
                record.type = arena.Keep("S_IFDIR");
                continue;
            }
            if (afc_error_t error = afc_get_file_info(client, (prefix + listed[i]).c_str(), &info.items);
                error != AFC_E_SUCCESS) {
                // An entry removed between the listing and its details is shown as an empty file.
                if (error != AFC_E_OBJECT_NOT_FOUND) {
                    return ResultOfAfc(error, *m_device);
                }
            }
            std::string size = "0", modified = "0", created = "0", type = "S_IFREG", target;
            for (char** pair = info.items; pair != nullptr && pair[0] != nullptr && pair[1] != nullptr;
                 pair += 2) {
                const std::string key = pair[0];
                if (key == "st_size") {
                    size = pair[1];
                } else if (key == "st_mtime") {
                    modified = pair[1];
                } else if (key == "st_birthtime") {
                    created = pair[1];
                } else if (key == "st_ifmt") {
                    type = pair[1];
                } else if (key == "LinkTarget") {
                    target = pair[1];
                }
            }
            record.size = arena.Keep(type == "S_IFDIR" ? "0" : size);
            record.modifyTime = arena.Keep(modified);
            record.createTime = arena.Keep(created);
            record.type = arena.Keep(type);
            record.linkTarget = type == "S_IFLNK" ? arena.Keep(target) : nullptr;
        }
        *entries = records;
        *count = static_cast<int>(listed.size());
        return int(VEXA_OK);
    });
}

int UsbFileService::CopyFileToComputer(const char16_t* devicePath, const char16_t* localPath) {
    if (devicePath == nullptr || localPath == nullptr || *localPath == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    std::string path;
    if (!NormalisePath(utf8(devicePath), path)) {
        return VEXA_E_PATH_ESCAPE;
    }
    QSaveFile target(QString::fromUtf16(localPath));
    if (!target.open(QIODevice::WriteOnly)) {
        return VEXA_E_IO;
    }
    const int result = withConnection([&](AfcConnection& connection) {
        AfcFile file(connection.Client());
        if (afc_error_t error = file.Open(path, AFC_FOPEN_RDONLY); error != AFC_E_SUCCESS) {
            return ResultOfAfc(error, *m_device);
        }
        QByteArray buffer(kChunkSize, Qt::Uninitialized);
        for (;;) {
            uint32_t read = 0;
            const afc_error_t error =
                afc_file_read(connection.Client(), file.Handle(), buffer.data(), kChunkSize, &read);
            if (error != AFC_E_SUCCESS) {
                return ResultOfAfc(error, *m_device);
            }
            if (read == 0) {
                return int(VEXA_OK);
            }
            if (target.write(buffer.constData(), read) != qint64(read)) {
                return int(VEXA_E_IO);
            }
        }
    });
    if (result != VEXA_OK) {
        target.cancelWriting();
        return result;
    }
    return target.commit() ? VEXA_OK : VEXA_E_IO;
}

int UsbFileService::CopyFileToDevice(const char16_t* localPath, const char16_t* devicePath) {
    if (devicePath == nullptr || localPath == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    std::string path;
    if (!NormalisePath(utf8(devicePath), path)) {
        return VEXA_E_PATH_ESCAPE;
    }
    if (path == "/") {
        return VEXA_E_INVALID_ARGUMENT;
    }
    QFile source(QString::fromUtf16(localPath));
    if (!source.open(QIODevice::ReadOnly)) {
        return source.exists() ? VEXA_E_IO : VEXA_E_NOT_FOUND;
    }
    const std::string hidden = hiddenNameFor(path);
    return withConnection([&](AfcConnection& connection) {
        afc_client_t client = connection.Client();
        AfcFile file(client);
        if (afc_error_t error = file.Open(hidden, AFC_FOPEN_WRONLY); error != AFC_E_SUCCESS) {
            return ResultOfAfc(error, *m_device);
        }
        QByteArray buffer(kChunkSize, Qt::Uninitialized);
        int result = VEXA_OK;
        for (;;) {
            const qint64 got = source.read(buffer.data(), kChunkSize);
            if (got < 0) {
                result = VEXA_E_IO;
                break;
            }
            if (got == 0) {
                break;
            }
            uint32_t written = 0;
            const afc_error_t error = afc_file_write(client, file.Handle(), buffer.constData(),
                                                     static_cast<uint32_t>(got), &written);
            if (error != AFC_E_SUCCESS || written != got) {
                result = error != AFC_E_SUCCESS ? ResultOfAfc(error, *m_device) : int(VEXA_E_IO);
                break;
            }
        }
        if (result == VEXA_OK) {
            if (afc_error_t error = file.Close(); error != AFC_E_SUCCESS) {
                result = ResultOfAfc(error, *m_device);
            } else if (afc_error_t renamed = afc_rename_path(client, hidden.c_str(), path.c_str());
                       renamed != AFC_E_SUCCESS) {
                result = ResultOfAfc(renamed, *m_device);
            }
        }
        if (result != VEXA_OK && m_device->IsConnected()) {
            file.Close();
            afc_remove_path(client, hidden.c_str());
        }
        return result;
    });
}

int UsbFileService::MakeDirectory(const char* devicePath) {
    std::string path;
    if (devicePath == nullptr || *devicePath == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (!NormalisePath(devicePath, path)) {
        return VEXA_E_PATH_ESCAPE;
    }
    return withConnection([&](AfcConnection& connection) {
        AfcList info;
        if (afc_get_file_info(connection.Client(), path.c_str(), &info.items) == AFC_E_SUCCESS) {
            return int(VEXA_E_EXISTS);
        }
        return ResultOfAfc(afc_make_directory(connection.Client(), path.c_str()), *m_device);
    });
}

int UsbFileService::RemovePath(const char* devicePath) {
    std::string path;
    if (devicePath == nullptr || *devicePath == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (!NormalisePath(devicePath, path)) {
        return VEXA_E_PATH_ESCAPE;
    }
    if (path == "/") {
        return VEXA_E_INVALID_ARGUMENT;
    }
    return withConnection([&](AfcConnection& connection) {
        return ResultOfAfc(afc_remove_path_and_contents(connection.Client(), path.c_str()), *m_device);
    });
}

int UsbFileService::RenamePath(const char* oldPath, const char* newPath) {
    std::string from, to;
    if (oldPath == nullptr || newPath == nullptr || *oldPath == 0 || *newPath == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (!NormalisePath(oldPath, from) || !NormalisePath(newPath, to)) {
        return VEXA_E_PATH_ESCAPE;
    }
    if (from == "/" || to == "/") {
        return VEXA_E_INVALID_ARGUMENT;
    }
    return withConnection([&](AfcConnection& connection) {
        AfcList info;
        if (afc_get_file_info(connection.Client(), to.c_str(), &info.items) == AFC_E_SUCCESS) {
            return int(VEXA_E_EXISTS); // AFC would replace it silently
        }
        return ResultOfAfc(afc_rename_path(connection.Client(), from.c_str(), to.c_str()), *m_device);
    });
}

int UsbFileService::OpenAppContainer(const char* appId, IFileService** container) {
    if (appId == nullptr || *appId == 0 || container == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    const std::string id = appId;
    std::shared_ptr<UsbDevice> device = m_device;
    auto opener = [device, id](std::unique_ptr<AfcConnection>& connection) {
        return AfcConnection::OpenAppDocuments(*device, id, connection);
    };
    // Open once now, so an unknown app is refused here rather than on the first listing.
    std::unique_ptr<AfcConnection> probe;
    if (int opened = opener(probe); opened != VEXA_OK) {
        return opened;
    }
    auto service = std::make_unique<UsbFileService>(device, opener);
    service->m_connection = std::move(probe);
    std::lock_guard lock(m_containerMutex);
    *container = m_containers.emplace_back(std::move(service)).get();
    return VEXA_OK;
}

int UsbFileService::CloseAppContainer(IFileService* container) {
    std::lock_guard lock(m_containerMutex);
    auto it = std::find_if(m_containers.begin(), m_containers.end(),
                           [container](const auto& open) { return open.get() == container; });
    if (it == m_containers.end()) {
        return 0;
    }
    m_containers.erase(it);
    return 1;
}

} // namespace vexa::usb
