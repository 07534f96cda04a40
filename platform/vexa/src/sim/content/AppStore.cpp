#include "AppStore.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include <sqlite3.h>

#include <vexa/VexaResult.h>

#include "../SimDatabase.h"
#include "DeviceFiles.h"
#include "PendingRemoval.h"
#include "formats/IpaFile.h"
#include "formats/ZipReader.h"
#include "formats/ZipWriter.h"

namespace vexa::sim {

namespace fs = std::filesystem;

namespace {

void CopyText(char (&field)[200], const std::string& text) {
    size_t length = std::min(text.size(), sizeof(field) - 1);
    while (length > 0 && length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

int32_t Clamp32(uint64_t value) {
    return static_cast<int32_t>(std::min<uint64_t>(value, INT32_MAX));
}

bool ReadFile(const fs::path& file, std::vector<uint8_t>& data) {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (error)
        return false;
    data.resize(size);
    FILE* in = std::fopen(file.c_str(), "rb");
    if (!in)
        return false;
    const bool ok = std::fread(data.data(), 1, data.size(), in) == data.size();
    std::fclose(in);
    return ok;
}

bool WriteFile(const fs::path& file, const std::vector<uint8_t>& data) {
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out)
        return false;
    const bool ok = std::fwrite(data.data(), 1, data.size(), out) == data.size();
    return std::fclose(out) == 0 && ok;
}

// Adds every file under `folder` to the archive as `prefix/<relative path>`.
bool AddTree(formats::ZipWriter& zip, const fs::path& folder, const std::string& prefix) {
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return true;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file(error) || it->is_symlink(error))
            continue;
        std::vector<uint8_t> data;
        if (!ReadFile(it->path(), data) ||
            !zip.Add(prefix + "/" + fs::relative(it->path(), folder).generic_string(), std::move(data)))
            return false;
    }
    return !error;
}

} // namespace

AppStore::AppStore(sqlite3* db, fs::path applicationsRoot)
    : m_db(db)
    , m_root(std::move(applicationsRoot)) {}

fs::path AppStore::ContainerOf(const std::string& bundleId) const {
    return m_root / bundleId;
}

int AppStore::CompareVersions(const std::string& a, const std::string& b) {
    std::istringstream left(a), right(b);
    std::string l, r;
    while (true) {
        const bool haveLeft = static_cast<bool>(std::getline(left, l, '.'));
        const bool haveRight = static_cast<bool>(std::getline(right, r, '.'));
        if (!haveLeft && !haveRight)
            return 0;
        const long x = haveLeft ? std::strtol(l.c_str(), nullptr, 10) : 0;
        const long y = haveRight ? std::strtol(r.c_str(), nullptr, 10) : 0;
        if (x != y)
            return x < y ? -1 : 1;
    }
}

int AppStore::Unpack(const fs::path& ipa, const fs::path& container, std::string& appFolder) {
    formats::ZipReader zip;
    if (!zip.Open(ipa))
        return VEXA_APP_INSTALL_ERROR;
    for (const auto& entry : zip.Entries()) {
        if (!entry.name.starts_with("Payload/") || entry.name.ends_with("/"))
            continue;
        const std::string relative = entry.name.substr(std::strlen("Payload/"));
        if (!formats::IsSafeRelativePath(relative))
            return VEXA_APP_INSTALL_ERROR;
        if (appFolder.empty())
            appFolder = relative.substr(0, relative.find('/'));
        std::vector<uint8_t> data;
        if (!zip.Read(entry.name, data, 1ull << 31) || !WriteFile(container / relative, data))
            return VEXA_APP_PUT_FILE_ERROR;
    }
    return appFolder.ends_with(".app") ? VEXA_OK : VEXA_APP_INSTALL_ERROR;
}

int AppStore::Install(const fs::path& ipa, const std::string& deviceVersion) {
    std::error_code error;
    if (!fs::is_regular_file(ipa, error))
        return VEXA_APP_PUT_FILE_ERROR;
    formats::AppBundle app;
    if (!formats::ReadIpa(ipa, app) || app.bundleId.empty() || !formats::IsSafeRelativePath(app.bundleId) ||
        app.bundleId.find('/') != std::string::npos)
        return VEXA_APP_INSTALL_ERROR;
    if (!app.minimumOS.empty() && !deviceVersion.empty() && CompareVersions(deviceVersion, app.minimumOS) < 0)
        return VEXA_APP_OS_TOO_OLD;

    // The new bundle is unpacked beside the container and swapped in; the app's data stays.
    const fs::path container = ContainerOf(app.bundleId);
    const fs::path staging = m_root / (".install-" + app.bundleId);
    fs::remove_all(staging, error);
    std::string appFolder;
    if (int code = Unpack(ipa, staging, appFolder)) {
        fs::remove_all(staging, error);
        return code;
    }
    Statement order(m_db, "SELECT COALESCE((SELECT install_order FROM apps WHERE bundle_id = ?1), "
                          "(SELECT COALESCE(MAX(install_order), 0) + 1 FROM apps))");
    order.Bind(1, std::string_view(app.bundleId));
    const int64_t installOrder = order.Step() == SQLITE_ROW ? order.Int(0) : 1;
    Statement replace(m_db,
                      "INSERT OR REPLACE INTO apps(bundle_id, name, version, short_version, minimum_os, "
                      "executable, app_folder, icon, install_order) VALUES (?,?,?,?,?,?,?,?,?)");
    replace.Bind(1, std::string_view(app.bundleId));
    replace.Bind(2, std::string_view(app.displayName.empty() ? app.executable : app.displayName));
    replace.Bind(3, std::string_view(app.version)).Bind(4, std::string_view(app.shortVersion));
    replace.Bind(5, std::string_view(app.minimumOS)).Bind(6, std::string_view(app.executable));
    replace.Bind(7, std::string_view(appFolder));
    replace.BindBlob(8, app.iconPng.data(), static_cast<int>(app.iconPng.size())).Bind(9, installOrder);
    if (int code = replace.Run()) {
        fs::remove_all(staging, error);
        return code;
    }

    const fs::path oldBundle = container / appFolder;
    const fs::path retired = m_root / (".retired-" + app.bundleId);
    fs::remove_all(retired, error);
    for (const auto& entry : fs::directory_iterator(container, error)) {
        if (entry.path().extension() == ".app")
            fs::rename(entry.path(), retired, error);
    }
    error.clear();
    for (const char* folder : {"Documents", "Library/Preferences", "tmp"})
        fs::create_directories(container / folder, error);
    if (!error)
        fs::rename(staging / appFolder, container / appFolder, error);
    if (error) {
        std::error_code ignored;
        if (fs::exists(retired, ignored))
            fs::rename(retired, oldBundle, ignored);
        fs::remove_all(staging, ignored);
        return VEXA_APP_PUT_FILE_ERROR;
    }
    fs::remove_all(staging, error);
    fs::remove_all(retired, error);
    return VEXA_OK;
}

int AppStore::Uninstall(const std::string& bundleId, PendingRemoval& removal) {
    Statement remove(m_db, "DELETE FROM apps WHERE bundle_id = ?");
    if (remove.Bind(1, std::string_view(bundleId)).Run() != VEXA_OK || sqlite3_changes(m_db) == 0)
        return VEXA_APP_UNINSTALL_FAILED;
    return removal.Add(ContainerOf(bundleId)) ? VEXA_OK : VEXA_APP_UNINSTALL_FAILED;
}

int AppStore::Backup(const std::string& bundleId, const fs::path& destination, bool withDocuments) {
    Statement find(m_db, "SELECT name, version, short_version, minimum_os, executable, app_folder, icon "
                         "FROM apps WHERE bundle_id = ?");
    if (find.Bind(1, std::string_view(bundleId)).Step() != SQLITE_ROW)
        return VEXA_APP_BACKUP_FAILED;
    formats::AppBundle app;
    app.bundleId = bundleId;
    app.displayName = find.Text(0);
    app.version = find.Text(1);
    app.shortVersion = find.Text(2);
    app.minimumOS = find.Text(3);
    app.executable = find.Text(4);
    int length = 0;
    const auto* icon = static_cast<const uint8_t*>(find.Blob(6, length));
    if (icon && length > 0)
        app.iconPng.assign(icon, icon + length);
    const fs::path container = ContainerOf(bundleId);
    app.payloadBytes = DeviceFiles::Size(container / find.Text(5));

    std::error_code error;
    const fs::path partial = destination.string() + ".partial";
    if (!withDocuments) {
        if (!formats::WriteIpa(partial, app))
            return VEXA_APP_BACKUP_FAILED;
    } else {
        // The plain archive is copied entry by entry into one that also carries the app's data.
        const fs::path plain = destination.string() + ".plain";
        formats::ZipReader reader;
        formats::ZipWriter writer;
        const bool written = formats::WriteIpa(plain, app) && reader.Open(plain) && writer.Open(partial);
        bool ok = written;
        for (size_t i = 0; ok && i < reader.Entries().size(); ++i) {
            std::vector<uint8_t> data;
            const auto& name = reader.Entries()[i].name;
            ok = reader.Read(name, data, 1ull << 31) && writer.Add(name, std::move(data));
        }
        ok = ok && AddTree(writer, container / "Documents", "Container/Documents") &&
             AddTree(writer, container / "Library", "Container/Library");
        fs::remove(plain, error);
        if (!ok) {
            fs::remove(partial, error);
            return VEXA_APP_BACKUP_FAILED;
        }
        if (!writer.Close()) {
            fs::remove(partial, error);
            return VEXA_APP_CLOSE_ARCHIVE_ERROR;
        }
    }
    fs::rename(partial, destination, error);
    if (error) {
        fs::remove(partial, error);
        return VEXA_APP_BACKUP_FAILED;
    }
    return VEXA_OK;
}

int AppStore::List(std::vector<AppRecord>& out) {
    out.clear();
    Statement apps(m_db, "SELECT bundle_id, name, short_version, version, app_folder FROM apps "
                         "ORDER BY install_order");
    while (apps.Step() == SQLITE_ROW) {
        AppRecord record{};
        const std::string bundleId = apps.Text(0);
        CopyText(record.name, apps.Text(1));
        CopyText(record.id, bundleId);
        CopyText(record.version, apps.Text(2).empty() ? apps.Text(3) : apps.Text(2));
        const fs::path container = ContainerOf(bundleId);
        const uint64_t bundleBytes = DeviceFiles::Size(container / apps.Text(4));
        record.appSize = Clamp32(bundleBytes);
        record.fileSize = Clamp32(DeviceFiles::Size(container));
        out.push_back(record);
    }
    return apps.Result();
}

int AppStore::Icon(const std::string& bundleId, std::vector<uint8_t>& png) {
    Statement find(m_db, "SELECT icon FROM apps WHERE bundle_id = ?");
    if (find.Bind(1, std::string_view(bundleId)).Step() != SQLITE_ROW)
        return find.Result() != VEXA_OK ? find.Result() : static_cast<int>(VEXA_E_NOT_FOUND);
    int length = 0;
    const auto* data = static_cast<const uint8_t*>(find.Blob(0, length));
    png.assign(data, data + (data && length > 0 ? length : 0));
    return VEXA_OK;
}

} // namespace vexa::sim
