#include "AfcService.h"

#include <cerrno>
#include <cstring>

#include <algorithm>

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/sendfile.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "EmulatedDevice.h"
#include "Emulator.h"
#include "WireChannel.h"
#include "sim/DiskUsage.h"
#include "sim/SimDevice.h"

namespace vexa::emulator {

namespace fs = std::filesystem;

namespace {

constexpr char kMagic[8] = {'C', 'F', 'A', '6', 'L', 'P', 'A', 'A'};
constexpr size_t kHeaderSize = 40;
// No client asks for more in one packet; larger requests are refused rather than allocated.
constexpr uint64_t kMaxPacket = 64u << 20;
constexpr uint64_t kMaxRead = 16u << 20;
constexpr size_t kInputBuffer = 64 * 1024;
// A read answer up to this size is copied behind its header; a larger one follows it by sendfile.
constexpr size_t kInlinePiece = 256 * 1024;
// Large socket buffers let a big read go out in a few steps instead of hundreds.
constexpr int kSocketBuffer = 4 << 20;
// How long a look at the simulated device's plugged state holds: reading it is a file read.
constexpr std::chrono::milliseconds kConnectedCheck(50);

enum Operation : uint64_t {
    Status = 0x01,
    Data = 0x02,
    ReadDirectory = 0x03,
    RemovePath = 0x08,
    MakeDirectory = 0x09,
    GetFileInfo = 0x0a,
    GetDeviceInfo = 0x0b,
    FileOpen = 0x0d,
    FileOpenResult = 0x0e,
    FileRead = 0x0f,
    FileWrite = 0x10,
    FileSeek = 0x11,
    FileTell = 0x12,
    FileTellResult = 0x13,
    FileClose = 0x14,
    FileSetSize = 0x15,
    Truncate = 0x07,
    RenamePath = 0x18,
    FileLock = 0x1b,
    RemovePathAndContents = 0x22,
};

enum Error : uint64_t {
    Success = 0,
    UnknownError = 1,
    OperationHeaderInvalid = 2,
    ReadError = 4,
    WriteError = 5,
    UnknownPacketType = 6,
    InvalidArgument = 7,
    ObjectNotFound = 8,
    ObjectIsDirectory = 9,
    PermissionDenied = 10,
    ObjectExists = 16,
    NoSpaceLeft = 18,
    IoError = 20,
    DirectoryNotEmpty = 33,
};

void putLe64(std::vector<uint8_t>& out, uint64_t value) {
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint64_t getLe64(const uint8_t* in) {
    uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | in[i];
    return value;
}

uint64_t argument(const std::vector<uint8_t>& arguments, size_t index) {
    return arguments.size() >= (index + 1) * 8 ? getLe64(arguments.data() + index * 8) : 0;
}

// A NUL-terminated text starting at `offset` of the arguments.
std::string text(const std::vector<uint8_t>& arguments, size_t offset = 0) {
    if (offset >= arguments.size())
        return {};
    const auto* begin = reinterpret_cast<const char*>(arguments.data()) + offset;
    return std::string(begin, strnlen(begin, arguments.size() - offset));
}

uint64_t errorOf(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ObjectNotFound;
    case EISDIR:
        return ObjectIsDirectory;
    case EACCES:
    case EPERM:
    case EROFS:
        return PermissionDenied;
    case EEXIST:
        return ObjectExists;
    case ENOTEMPTY:
        return DirectoryNotEmpty;
    case ENOSPC:
        return NoSpaceLeft;
    default:
        return IoError;
    }
}

void addPair(std::vector<uint8_t>& out, const std::string& key, const std::string& value) {
    out.insert(out.end(), key.begin(), key.end());
    out.push_back(0);
    out.insert(out.end(), value.begin(), value.end());
    out.push_back(0);
}

uint64_t nanoseconds(const timespec& time) {
    return static_cast<uint64_t>(time.tv_sec) * 1000000000ull + static_cast<uint64_t>(time.tv_nsec);
}

} // namespace

AfcService::AfcService(ServiceContext& context, fs::path root)
    : m_context(context)
    , m_root(std::move(root)) {
    std::error_code error;
    fs::create_directories(m_root, error);
    m_rootFolder = ::open(m_root.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    ::setsockopt(m_context.channel.Fd(), SOL_SOCKET, SO_SNDBUF, &kSocketBuffer, sizeof kSocketBuffer);
    ::setsockopt(m_context.channel.Fd(), SOL_SOCKET, SO_RCVBUF, &kSocketBuffer, sizeof kSocketBuffer);
}

AfcService::~AfcService() {
    for (auto& [handle, fd] : m_files)
        ::close(fd);
    if (m_rootFolder >= 0)
        ::close(m_rootFolder);
}

void AfcService::Serve() {
    Packet packet;
    while (read(packet)) {
        if (packet.operation != GetFileInfo)
            m_checkedFolder.clear(); // anything else may change the tree
        if (packet.operation == FileRead && !m_context.channel.IsTls() &&
            !m_context.emulator.Faults().IsArmed(m_context.service) && isConnected()) {
            if (!sendFileRead(packet))
                return;
            continue;
        }
        Answer answer;
        answer.frame = frame(packet.number, handle(packet));
        answer.errorFrame = frame(packet.number, statusReply(UnknownError));
        answer.oversizedHead = answer.errorFrame;
        answer.oversizedHead.resize(kHeaderSize);
        for (size_t i = 8; i < 16; ++i)
            answer.oversizedHead[i] = 0x7f;
        if (!SendAnswer(m_context, answer))
            return;
    }
}

bool AfcService::readExact(void* buffer, size_t length) {
    auto* out = static_cast<uint8_t*>(buffer);
    if (m_input.empty())
        m_input.resize(kInputBuffer);
    while (length > 0) {
        if (m_inputBegin == m_inputEnd) {
            // A large payload goes straight to its place; small packets are gathered in the buffer.
            if (length >= m_input.size())
                return m_context.channel.ReadExact(out, length);
            m_inputBegin = 0;
            m_inputEnd = m_context.channel.ReadSome(m_input.data(), m_input.size());
            if (m_inputEnd == 0)
                return false;
        }
        const size_t part = std::min(length, m_inputEnd - m_inputBegin);
        std::memcpy(out, m_input.data() + m_inputBegin, part);
        m_inputBegin += part;
        out += part;
        length -= part;
    }
    return true;
}

bool AfcService::isConnected() {
    if (m_context.device.IsDetached())
        return false;
    const auto now = std::chrono::steady_clock::now();
    if (now - m_connectedAt > kConnectedCheck) {
        m_connected = m_context.device.Sim().IsConnected();
        m_connectedAt = now;
    }
    return m_connected;
}

bool AfcService::sendFileRead(const Packet& packet) {
    const int fd = fileOf(packet);
    const uint64_t length = argument(packet.arguments, 1);
    struct stat info {};
    const off_t position = fd < 0 ? -1 : ::lseek(fd, 0, SEEK_CUR);
    if (fd < 0 || length > kMaxRead || position < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const auto answer = frame(packet.number, fd < 0 || length > kMaxRead ? statusReply(InvalidArgument)
                                                                             : readFile(packet));
        return m_context.channel.WriteAll(answer.data(), answer.size());
    }
    const uint64_t left = info.st_size > position ? static_cast<uint64_t>(info.st_size - position) : 0;
    size_t count = static_cast<size_t>(std::min(length, left));
    Reply head{Data, {}, {}};
    std::vector<uint8_t> header = frame(packet.number, head);
    for (int i = 0; i < 8; ++i)
        header[8 + i] = static_cast<uint8_t>((kHeaderSize + count) >> (8 * i));
    if (count <= kInlinePiece) {
        // A small piece goes out with its header in one write, so the reader wakes once for it.
        const size_t at = header.size();
        header.resize(at + count);
        for (size_t done = 0; done < count;) {
            const ssize_t got = ::read(fd, header.data() + at + done, count - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false; // as below: the length is promised, the answer cannot be completed
            done += static_cast<size_t>(got);
        }
        return m_context.channel.WriteAll(header.data(), header.size());
    }
    if (!m_context.channel.WriteAll(header.data(), header.size()))
        return false;
    while (count > 0) {
        const ssize_t sent = ::sendfile(m_context.channel.Fd(), fd, nullptr, count);
        if (sent < 0 && errno == EINTR)
            continue;
        // The file shrank or could not be read after the length went out: the answer cannot be
        // completed, so the connection ends as a real device's would.
        if (sent <= 0)
            return false;
        count -= static_cast<size_t>(sent);
    }
    return true;
}

bool AfcService::read(Packet& packet) {
    uint8_t header[kHeaderSize];
    if (!readExact(header, sizeof header) || std::memcmp(header, kMagic, sizeof kMagic) != 0)
        return false;
    const uint64_t entire = getLe64(header + 8);
    const uint64_t thisLength = getLe64(header + 16);
    if (thisLength < kHeaderSize || entire < thisLength || entire > kMaxPacket)
        return false;
    packet.number = getLe64(header + 24);
    packet.operation = getLe64(header + 32);
    packet.arguments.resize(thisLength - kHeaderSize);
    packet.payload.resize(entire - thisLength);
    return readExact(packet.arguments.data(), packet.arguments.size()) &&
           readExact(packet.payload.data(), packet.payload.size());
}

std::vector<uint8_t> AfcService::frame(uint64_t number, const Reply& reply) const {
    std::vector<uint8_t> out(kMagic, kMagic + sizeof kMagic);
    const uint64_t thisLength = kHeaderSize + reply.arguments.size();
    putLe64(out, thisLength + reply.payload.size());
    putLe64(out, thisLength);
    putLe64(out, number);
    putLe64(out, reply.operation);
    out.insert(out.end(), reply.arguments.begin(), reply.arguments.end());
    out.insert(out.end(), reply.payload.begin(), reply.payload.end());
    return out;
}

AfcService::Reply AfcService::handle(const Packet& packet) {
    if (!isConnected()) {
        return statusReply(IoError);
    }
    switch (packet.operation) {
    case ReadDirectory:
        return readDirectory(text(packet.arguments));
    case GetFileInfo:
        return fileInfo(text(packet.arguments));
    case GetDeviceInfo:
        return deviceInfo();
    case FileOpen:
        return open(packet);
    case FileRead:
        return readFile(packet);
    case FileWrite:
        return writeFile(packet);
    case FileSeek:
        return seek(packet);
    case FileTell:
        return tell(packet);
    case FileClose:
        return close(packet);
    case FileSetSize:
        return setSize(packet);
    case Truncate:
        return truncate(packet);
    case MakeDirectory:
        return makeDirectory(text(packet.arguments));
    case RemovePath:
        return remove(text(packet.arguments), false);
    case RemovePathAndContents:
        return remove(text(packet.arguments), true);
    case RenamePath:
        return rename(packet);
    case FileLock: {
        return statusReply(fileOf(packet) < 0 ? InvalidArgument : Success);
    }
    default: {
        return statusReply(UnknownPacketType);
    }
    }
}

AfcService::Reply AfcService::statusReply(uint64_t code) {
    Reply reply;
    reply.operation = Status;
    putLe64(reply.arguments, code);
    return reply;
}

std::optional<fs::path> AfcService::resolve(const std::string& path, bool followLast) const {
    return sim::SimDevice::ResolveUnder(m_root, path, followLast);
}

int AfcService::openForReadingBeneath(const std::string& path) const {
    if (m_rootFolder < 0 || path.find('\0') != std::string::npos)
        return -1;
    const size_t start = path.find_first_not_of('/');
    const std::string relative = start == std::string::npos ? std::string(".") : path.substr(start);
    open_how how{};
    how.flags = O_RDONLY | O_CLOEXEC;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    long fd;
    do {
        fd = ::syscall(SYS_openat2, m_rootFolder, relative.c_str(), &how, sizeof how);
    } while (fd < 0 && errno == EINTR);
    return fd < 0 ? -1 : static_cast<int>(fd);
}

int AfcService::fileOf(const Packet& packet) const {
    const auto found = m_files.find(argument(packet.arguments, 0));
    return found == m_files.end() ? -1 : found->second;
}

AfcService::Reply AfcService::readDirectory(const std::string& path) {
    const auto folder = resolve(path, true);
    if (!folder)
        return statusReply(PermissionDenied);
    std::error_code error;
    if (!fs::is_directory(*folder, error))
        return statusReply(fs::exists(*folder, error) ? InvalidArgument : ObjectNotFound);
    Reply reply{Data, {}, {}};
    for (const char* dot : {".", ".."})
        reply.payload.insert(reply.payload.end(), dot, dot + std::strlen(dot) + 1);
    for (fs::directory_iterator it(*folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        reply.payload.insert(reply.payload.end(), name.begin(), name.end());
        reply.payload.push_back(0);
    }
    return error ? statusReply(ReadError) : reply;
}

std::optional<fs::path> AfcService::resolveEntry(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (slash == std::string::npos || name.empty() || name == "." || name == ".." ||
        path.find('\0') != std::string::npos)
        return resolve(path, false);
    const std::string folder = path.substr(0, slash + 1);
    if (folder != m_checkedFolder) {
        m_checkedFolderPath = resolve(folder, true);
        m_checkedFolder = folder;
    }
    if (!m_checkedFolderPath)
        return std::nullopt;
    return *m_checkedFolderPath / name;
}

AfcService::Reply AfcService::fileInfo(const std::string& path) {
    const auto entry = resolveEntry(path);
    struct stat info {};
    if (!entry)
        return statusReply(PermissionDenied);
    if (::lstat(entry->c_str(), &info) != 0)
        return statusReply(errorOf(errno));
    Reply reply{Data, {}, {}};
    const char* type = S_ISDIR(info.st_mode) ? "S_IFDIR" : S_ISLNK(info.st_mode) ? "S_IFLNK" : "S_IFREG";
    addPair(reply.payload, "st_size", std::to_string(info.st_size));
    addPair(reply.payload, "st_blocks", std::to_string(info.st_blocks));
    addPair(reply.payload, "st_nlink", std::to_string(info.st_nlink));
    addPair(reply.payload, "st_ifmt", type);
    addPair(reply.payload, "st_mtime", std::to_string(nanoseconds(info.st_mtim)));
    addPair(reply.payload, "st_birthtime", std::to_string(nanoseconds(info.st_ctim)));
    if (S_ISLNK(info.st_mode)) {
        std::error_code error;
        addPair(reply.payload, "LinkTarget", fs::read_symlink(*entry, error).string());
    }
    return reply;
}

AfcService::Reply AfcService::deviceInfo() {
    DiskInfo disk{};
    sim::DiskUsage::Measure(m_context.device.Sim()).FillDiskInfo(m_context.device.Sim(), disk);
    const auto properties = m_context.device.Sim().Info().profile.properties;
    const auto model = properties.find("ProductType");
    Reply reply{Data, {}, {}};
    addPair(reply.payload, "Model", model == properties.end() ? std::string() : model->second);
    addPair(reply.payload, "FSTotalBytes", std::to_string(disk.values[DI_DataCapacity]));
    addPair(reply.payload, "FSFreeBytes", std::to_string(disk.values[DI_DataFree]));
    addPair(reply.payload, "FSBlockSize", "4096");
    return reply;
}

AfcService::Reply AfcService::open(const Packet& packet) {
    // Modes: r, r+, w, w+, a, a+.
    static const int kFlags[] = {0,
                                 O_RDONLY,
                                 O_RDWR,
                                 O_WRONLY | O_CREAT | O_TRUNC,
                                 O_RDWR | O_CREAT | O_TRUNC,
                                 O_WRONLY | O_CREAT | O_APPEND,
                                 O_RDWR | O_CREAT | O_APPEND};
    const uint64_t mode = argument(packet.arguments, 0);
    if (mode < 1 || mode > 6)
        return statusReply(InvalidArgument);
    const std::string path = text(packet.arguments, 8);
    int fd = mode == 1 ? openForReadingBeneath(path) : -1;
    if (fd < 0) {
        const auto file = resolve(path, true);
        if (!file)
            return statusReply(PermissionDenied);
        fd = ::open(file->c_str(), kFlags[mode] | O_CLOEXEC, 0644);
        if (fd < 0)
            return statusReply(errorOf(errno));
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        return statusReply(ObjectIsDirectory);
    }
    const uint64_t handle = m_nextHandle++;
    m_files[handle] = fd;
    Reply reply{FileOpenResult, {}, {}};
    putLe64(reply.arguments, handle);
    return reply;
}

AfcService::Reply AfcService::readFile(const Packet& packet) {
    const int fd = fileOf(packet);
    const uint64_t length = argument(packet.arguments, 1);
    if (fd < 0 || length > kMaxRead)
        return statusReply(InvalidArgument);
    Reply reply{Data, {}, std::vector<uint8_t>(length)};
    size_t done = 0;
    while (done < length) {
        const ssize_t got = ::read(fd, reply.payload.data() + done, length - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return statusReply(ReadError);
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    reply.payload.resize(done);
    return reply;
}

AfcService::Reply AfcService::writeFile(const Packet& packet) {
    const int fd = fileOf(packet);
    if (fd < 0)
        return statusReply(InvalidArgument);
    size_t done = 0;
    while (done < packet.payload.size()) {
        const ssize_t put = ::write(fd, packet.payload.data() + done, packet.payload.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return statusReply(errno == ENOSPC ? NoSpaceLeft : WriteError);
        done += static_cast<size_t>(put);
    }
    return statusReply(Success);
}

AfcService::Reply AfcService::seek(const Packet& packet) {
    const int fd = fileOf(packet);
    const uint64_t whence = argument(packet.arguments, 1);
    const auto offset = static_cast<off_t>(argument(packet.arguments, 2));
    if (fd < 0 || whence > SEEK_END)
        return statusReply(InvalidArgument);
    return statusReply(::lseek(fd, offset, static_cast<int>(whence)) < 0 ? InvalidArgument : Success);
}

AfcService::Reply AfcService::tell(const Packet& packet) {
    const int fd = fileOf(packet);
    const off_t position = fd < 0 ? -1 : ::lseek(fd, 0, SEEK_CUR);
    if (position < 0)
        return statusReply(InvalidArgument);
    Reply reply{FileTellResult, {}, {}};
    putLe64(reply.arguments, static_cast<uint64_t>(position));
    return reply;
}

AfcService::Reply AfcService::close(const Packet& packet) {
    const auto found = m_files.find(argument(packet.arguments, 0));
    if (found == m_files.end())
        return statusReply(InvalidArgument);
    const int result = ::close(found->second);
    m_files.erase(found);
    return statusReply(result == 0 ? Success : IoError);
}

AfcService::Reply AfcService::setSize(const Packet& packet) {
    const int fd = fileOf(packet);
    if (fd < 0)
        return statusReply(InvalidArgument);
    return statusReply(
        ::ftruncate(fd, static_cast<off_t>(argument(packet.arguments, 1))) == 0 ? Success : errorOf(errno));
}

AfcService::Reply AfcService::truncate(const Packet& packet) {
    const auto file = resolve(text(packet.arguments, 8), true);
    if (!file)
        return statusReply(PermissionDenied);
    const auto size = static_cast<off_t>(argument(packet.arguments, 0));
    return statusReply(::truncate(file->c_str(), size) == 0 ? Success : errorOf(errno));
}

AfcService::Reply AfcService::makeDirectory(const std::string& path) {
    const auto folder = resolve(path, true);
    if (!folder)
        return statusReply(PermissionDenied);
    std::error_code error;
    fs::create_directories(*folder, error);
    if (error)
        return statusReply(errorOf(error.value()));
    return statusReply(fs::is_directory(*folder, error) ? Success : ObjectExists);
}

AfcService::Reply AfcService::remove(const std::string& path, bool withContents) {
    const auto entry = resolve(path, false);
    std::error_code error;
    if (!entry || fs::equivalent(*entry, m_root, error))
        return statusReply(PermissionDenied);
    if (!fs::exists(fs::symlink_status(*entry, error)))
        return statusReply(ObjectNotFound);
    if (withContents)
        fs::remove_all(*entry, error);
    else
        fs::remove(*entry, error);
    return statusReply(error ? errorOf(error.value()) : Success);
}

AfcService::Reply AfcService::rename(const Packet& packet) {
    const std::string from = text(packet.arguments);
    const auto source = resolve(from, false);
    const auto target = resolve(text(packet.arguments, from.size() + 1), false);
    if (!source || !target)
        return statusReply(PermissionDenied);
    return statusReply(::rename(source->c_str(), target->c_str()) == 0 ? Success : errorOf(errno));
}

} // namespace vexa::emulator
