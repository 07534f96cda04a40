#include "BackupStaging.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <vexa/VexaResult.h>

#include "formats/Plist.h"
#include "sim/BackupFolderSwap.h"
#include "sim/FileCopier.h"

namespace fs = std::filesystem;

namespace vexa::usb {

namespace {

bool linkOrCopy(const fs::path& from, const fs::path& to) {
    if (::link(from.c_str(), to.c_str()) == 0) {
        return true;
    }
    return sim::CopyRegularFile(from, to, [] { return true; }) == VEXA_OK;
}

bool takeTree(const fs::path& from, const fs::path& to) {
    std::error_code error;
    const auto status = fs::symlink_status(from, error);
    if (fs::is_regular_file(status)) {
        return linkOrCopy(from, to);
    }
    if (!fs::is_directory(status)) {
        return true; // links and the like are no part of a backup
    }
    if (!fs::create_directory(to, error) && error) {
        return false;
    }
    for (fs::directory_iterator it(from, error), end; !error && it != end; it.increment(error)) {
        if (!takeTree(it->path(), to / it->path().filename())) {
            return false;
        }
    }
    return !error;
}

} // namespace

bool BackupStaging::HasEarlier(const fs::path& folder) {
    std::error_code error;
    if (!fs::is_regular_file(folder / "Manifest.db", error) ||
        !fs::is_regular_file(folder / "Manifest.plist", error)) {
        return false;
    }
    const formats::PlistPtr status = formats::Plist::ParseFile((folder / "Status.plist").string());
    return status && formats::Plist::String(status.get(), "SnapshotState") == "finished";
}

bool BackupStaging::TakeEarlier(const fs::path& folder, const fs::path& staging) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (sim::BackupFolderSwap::IsBackupEntry(name) && !takeTree(it->path(), staging / name)) {
            return false;
        }
    }
    return !error;
}

uint64_t BackupStaging::Size(const fs::path& folder) {
    uint64_t bytes = 0;
    std::error_code error;
    for (fs::directory_iterator top(folder, error), end; !error && top != end; top.increment(error)) {
        const std::string name = top->path().filename().string();
        if (!sim::BackupFolderSwap::IsBackupEntry(name) || name == "Info.plist") {
            continue;
        }
        if (top->is_regular_file(error)) {
            bytes += top->file_size(error);
            continue;
        }
        for (fs::recursive_directory_iterator it(top->path(), error), inner; !error && it != inner;
             it.increment(error)) {
            std::error_code sizeError;
            if (it->is_regular_file(sizeError)) {
                bytes += it->file_size(sizeError);
            }
        }
    }
    return bytes;
}

BackupFolderLock::BackupFolderLock(const fs::path& folder) {
    m_fd = ::open((folder / kFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        return;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
        m_held = true;
    } else {
        m_busy = errno == EWOULDBLOCK;
    }
}

BackupFolderLock::~BackupFolderLock() {
    if (m_fd >= 0) {
        ::close(m_fd); // ends the lock; the file stays, as a second backup may be waiting on it
    }
}

} // namespace vexa::usb
