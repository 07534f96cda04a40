#include "UsbFileService.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include <QByteArray>
#include <QFile>
#include <QString>

#include <vexa/VexaResult.h>

#include "AfcClient.h"
#include "AfcConnection.h"
#include "PendingLocalFile.h"
#include "UsbDevice.h"

namespace vexa::usb {

namespace fs = std::filesystem;

namespace {

std::string utf8(const char16_t* text) {
    return QString::fromUtf16(text).toStdString();
}

std::string hiddenNameFor(const std::string& path) {
    const auto slash = path.rfind('/');
    return path.substr(0, slash + 1) + ".vexa-part-" + path.substr(slash + 1);
}

// An open file on the device, closed when it goes out of scope.
class AfcFile {
public:
    explicit AfcFile(AfcClient& client)
        : m_client(client) {}
    ~AfcFile() {
        if (m_open) {
            m_client.CloseFile(m_handle);
        }
    }
    afc_error_t Open(const std::string& path, afc_file_mode_t mode) {
        const afc_error_t error = m_client.OpenFile(path, mode, m_handle);
        m_open = error == AFC_E_SUCCESS;
        return error;
    }
    afc_error_t Close() {
        if (!m_open) {
            return AFC_E_SUCCESS;
        }
        m_open = false;
        return m_client.CloseFile(m_handle);
    }
    // For a file only read: its close is not waited for.
    void CloseUnanswered() {
        if (m_open) {
            m_open = false;
            m_client.CloseFileUnanswered(m_handle);
        }
    }
    uint64_t Handle() const { return m_handle; }

private:
    AfcClient& m_client;
    uint64_t m_handle = 0;
    bool m_open = false;
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
    std::unique_ptr<AfcConnection> connection;
    {
        std::unique_lock lock(m_connectionMutex);
        m_connectionReturned.wait(lock, [this] { return m_inUse < kConnections; });
        if (!m_device->IsConnected()) {
            m_idle.clear();
            return VEXA_E_UNPLUGGED;
        }
        ++m_inUse;
        if (!m_idle.empty()) {
            connection = std::move(m_idle.back());
            m_idle.pop_back();
        }
    }
    int result = connection ? int(VEXA_OK) : m_opener(connection);
    if (result == VEXA_OK) {
        result = operation(*connection);
    }
    {
        std::lock_guard lock(m_connectionMutex);
        --m_inUse;
        // After a lost or garbled exchange the connection's state is unknown: start afresh next time.
        if (connection && result != VEXA_E_IO && result != VEXA_E_UNPLUGGED && result != VEXA_E_TIMEOUT &&
            result != VEXA_E_PROTOCOL) {
            m_idle.push_back(std::move(connection));
        }
    }
    m_connectionReturned.notify_one();
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
        AfcClient& client = connection.Client();
        std::vector<std::string> listed;
        if (afc_error_t error = client.ReadDirectory(path, listed); error != AFC_E_SUCCESS) {
            return ResultOfAfc(error, *m_device);
        }
        // "." and ".." are passed on as the device lists them, but not asked about: ".." of the root
        // lies outside what the service may show. The views skip them.
        const std::string prefix = path == "/" ? "/" : path + "/";
        std::vector<std::string> asked;
        asked.reserve(listed.size());
        for (const std::string& name : listed) {
            if (name != "." && name != "..") {
                asked.push_back(prefix + name);
            }
        }
        std::vector<AfcClient::FileInfo> infos;
        std::vector<afc_error_t> statuses;
        if (afc_error_t error = client.GetFileInfos(asked, infos, statuses); error != AFC_E_SUCCESS) {
            return ResultOfAfc(error, *m_device);
        }
        arena.Clear();
        auto* records = arena.NewArray<DirectoryEntryRecord>(listed.size());
        size_t next = 0;
        for (size_t i = 0; i < listed.size(); ++i) {
            DirectoryEntryRecord& record = records[i];
            record.name = arena.Keep(listed[i]);
            if (listed[i] == "." || listed[i] == "..") {
                record.size = record.modifyTime = record.createTime = arena.Keep("0");
                record.type = arena.Keep("S_IFDIR");
                continue;
            }
            const size_t at = next++;
            // An entry removed between the listing and its details is shown as an empty file.
            if (statuses[at] != AFC_E_SUCCESS && statuses[at] != AFC_E_OBJECT_NOT_FOUND) {
                return ResultOfAfc(statuses[at], *m_device);
            }
            std::string size = "0", modified = "0", created = "0", type = "S_IFREG", target;
            for (const auto& [key, value] : infos[at]) {
                if (key == "st_size") {
                    size = value;
                } else if (key == "st_mtime") {
                    modified = value;
                } else if (key == "st_birthtime") {
                    created = value;
                } else if (key == "st_ifmt") {
                    type = value;
                } else if (key == "LinkTarget") {
                    target = value;
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
    // No sync to disk: a copy to the computer is as durable as cp's, and a sync of a large file costs as
    // much again as the copy.
    PendingLocalFile target(QFile::encodeName(QString::fromUtf16(localPath)).toStdString());
    if (!target.Open()) {
        return VEXA_E_IO;
    }
    int result = withConnection([&](AfcConnection& connection) {
        AfcFile file(connection.Client());
        if (afc_error_t error = file.Open(path, AFC_FOPEN_RDONLY); error != AFC_E_SUCCESS) {
            return ResultOfAfc(error, *m_device);
        }
        bool writeFailed = false;
        const afc_error_t error =
            connection.Client().ReadFile(file.Handle(), target.Descriptor(), writeFailed);
        file.CloseUnanswered();
        if (writeFailed) {
            return int(VEXA_E_IO);
        }
        return ResultOfAfc(error, *m_device);
    });
    if (result == VEXA_OK && !target.Commit()) {
        result = VEXA_E_IO;
    }
    return result;
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
        AfcClient& client = connection.Client();
        AfcFile file(client);
        if (afc_error_t error = file.Open(hidden, AFC_FOPEN_WRONLY); error != AFC_E_SUCCESS) {
            return ResultOfAfc(error, *m_device);
        }
        bool readFailed = false;
        const afc_error_t error = client.WriteFile(
            file.Handle(),
            [&](char* buffer, size_t capacity) { return source.read(buffer, qint64(capacity)); }, readFailed);
        int result = readFailed ? int(VEXA_E_IO) : ResultOfAfc(error, *m_device);
        if (result == VEXA_OK) {
            if (afc_error_t closed = file.Close(); closed != AFC_E_SUCCESS) {
                result = ResultOfAfc(closed, *m_device);
            } else if (afc_error_t renamed = client.RenamePath(hidden, path); renamed != AFC_E_SUCCESS) {
                result = ResultOfAfc(renamed, *m_device);
            }
        }
        // Over a connection that still answers, the half-written upload is removed at once; over a lost
        // one it stays under its hidden name and the next upload of that file writes over it.
        if (result != VEXA_OK && client.Broken() == AFC_E_SUCCESS) {
            file.Close();
            client.RemovePath(hidden, false);
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
        AfcClient::FileInfo info;
        if (connection.Client().GetFileInfo(path, info) == AFC_E_SUCCESS) {
            return int(VEXA_E_EXISTS);
        }
        return ResultOfAfc(connection.Client().MakeDirectory(path), *m_device);
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
        return ResultOfAfc(connection.Client().RemovePath(path, true), *m_device);
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
        AfcClient::FileInfo info;
        if (connection.Client().GetFileInfo(to, info) == AFC_E_SUCCESS) {
            return int(VEXA_E_EXISTS); // AFC would replace it silently
        }
        return ResultOfAfc(connection.Client().RenamePath(from, to), *m_device);
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
    service->m_idle.push_back(std::move(probe));
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
