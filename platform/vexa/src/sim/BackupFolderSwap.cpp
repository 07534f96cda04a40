#include "BackupFolderSwap.h"

#include <cstdio>
#include <vector>

#include <vexa/VexaResult.h>

#include "FileCopier.h"

namespace fs = std::filesystem;

namespace vexa::sim {

namespace {

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

struct Move {
    fs::path from;
    fs::path to;
};

bool moveEntry(const fs::path& from, const fs::path& to, std::vector<Move>& done) {
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    done.push_back({from, to});
    return true;
}

void undo(std::vector<Move>& done) {
    for (auto it = done.rbegin(); it != done.rend(); ++it) {
        std::rename(it->to.c_str(), it->from.c_str());
    }
    done.clear();
}

std::vector<fs::path> backupEntries(const fs::path& folder) {
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (BackupFolderSwap::IsBackupEntry(it->path().filename().string())) {
            entries.push_back(it->path());
        }
    }
    return entries;
}

} // namespace

bool BackupFolderSwap::IsBackupEntry(const std::string& name) {
    for (const char* fixed : {"Info.plist", "Manifest.plist", "Manifest.db", "Status.plist"}) {
        if (name == fixed) {
            return true;
        }
    }
    return name.size() == 2 && isHexDigit(name[0]) && isHexDigit(name[1]);
}

fs::path BackupFolderSwap::MakeStaging(const fs::path& target) {
    const fs::path staging = UniqueTempName(target, "backup-in-progress");
    std::error_code error;
    if (!fs::create_directory(staging, error) || error) {
        return {};
    }
    return staging;
}

int BackupFolderSwap::Replace(const fs::path& target, const fs::path& staging) {
    const fs::path old = UniqueTempName(target, "backup-replaced");
    std::error_code error;
    if (!fs::create_directory(old, error) || error) {
        return VEXA_E_IO;
    }
    std::vector<Move> done;
    bool ok = true;
    for (const fs::path& entry : backupEntries(target)) {
        ok = ok && moveEntry(entry, old / entry.filename(), done);
    }
    for (const fs::path& entry : backupEntries(staging)) {
        ok = ok && moveEntry(entry, target / entry.filename(), done);
    }
    if (!ok) {
        undo(done);
        fs::remove_all(old, error);
        return VEXA_E_IO;
    }
    fs::remove_all(old, error);
    fs::remove_all(staging, error);
    return VEXA_OK;
}

} // namespace vexa::sim
