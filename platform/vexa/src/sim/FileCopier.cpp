#include "FileCopier.h"

#include <atomic>
#include <cerrno>
#include <memory>

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vexa/VexaResult.h>

#include "FileDescriptor.h"

namespace vexa::sim {

namespace {

constexpr size_t kChunk = 64 * 1024 * 1024;

// One chunk by the fastest means the two file systems allow; 0 at the end, -1 on failure.
ssize_t copyChunk(int from, int to, size_t length, int& method) {
    while (true) {
        ssize_t n = -1;
        if (method == 0) {
            n = ::copy_file_range(from, nullptr, to, nullptr, length, 0);
        } else if (method == 1) {
            n = ::sendfile(to, from, nullptr, length);
        } else {
            // On the heap, made by the first copy that needs it: a buffer in the thread's own storage
            // would be cleared for every thread the program starts, a megabyte each time.
            constexpr size_t kBuffer = 1 << 20;
            static thread_local std::unique_ptr<char[]> buffer;
            if (!buffer)
                buffer = std::make_unique<char[]>(kBuffer);
            n = ::read(from, buffer.get(), std::min(length, kBuffer));
            for (ssize_t done = 0; n > 0 && done < n;) {
                const ssize_t w = ::write(to, buffer.get() + done, static_cast<size_t>(n - done));
                if (w <= 0) {
                    return -1;
                }
                done += w;
            }
        }
        if (n >= 0) {
            return n;
        }
        if (errno == EINTR) {
            continue;
        }
        if (method < 2 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
            ++method;
            continue;
        }
        return -1;
    }
}

} // namespace

std::filesystem::path UniqueTempName(const std::filesystem::path& folder, const std::string& hint) {
    static std::atomic<unsigned> counter{0};
    // The hint is only a help for people; a target name near the file system's limit must still
    // leave room for the prefix, so it is cut (bytes past a split character do no harm here).
    constexpr std::size_t kHintBytes = 64;
    return folder / (".vexa-part-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                     hint.substr(0, kHintBytes));
}

int CopyRegularFile(const std::filesystem::path& source, const std::filesystem::path& target,
                    const std::function<bool()>& keepGoing) {
    FileDescriptor from(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (from.Get() < 0) {
        return errno == ENOENT ? VEXA_E_NOT_FOUND : VEXA_E_IO;
    }
    struct stat info {};
    if (::fstat(from.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    FileDescriptor to(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (to.Get() < 0) {
        return errno == ENOENT ? VEXA_E_NOT_FOUND : errno == EEXIST ? VEXA_E_EXISTS : VEXA_E_IO;
    }
    int result = VEXA_OK;
    int method = 0;
    for (;;) {
        if (keepGoing && !keepGoing()) {
            result = VEXA_E_UNPLUGGED;
            break;
        }
        const ssize_t n = copyChunk(from.Get(), to.Get(), kChunk, method);
        if (n == 0) {
            break;
        }
        if (n < 0) {
            result = errno == ENOSPC || errno == EDQUOT ? VEXA_E_NO_SPACE : VEXA_E_IO;
            break;
        }
    }
    if (!to.Close() && result == VEXA_OK) {
        result = VEXA_E_IO;
    }
    if (result != VEXA_OK) {
        ::unlink(target.c_str());
    }
    return result;
}

} // namespace vexa::sim
