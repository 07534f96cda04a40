#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ServiceContext.h"

namespace vexa::emulator {

// The file service (AFC) over a folder of the simulated device: Media/ for the file system, an app's
// container for the app's documents. Each packet is a 40-byte
// little-endian header (magic, entire length, header-and-arguments length, packet number, operation),
// its arguments, then its payload; every request gets one answer with the same packet number.
class AfcService {
public:
    AfcService(ServiceContext& context, std::filesystem::path root);
    ~AfcService();
    AfcService(const AfcService&) = delete;
    AfcService& operator=(const AfcService&) = delete;

    void Serve();

private:
    struct Packet {
        uint64_t number = 0;
        uint64_t operation = 0;
        std::vector<uint8_t> arguments;
        std::vector<uint8_t> payload;
    };
    struct Reply {
        uint64_t operation = 0;
        std::vector<uint8_t> arguments;
        std::vector<uint8_t> payload;
    };

    bool read(Packet& packet);
    // Whole reads from the connection through a buffer: a listing sends many small requests at once.
    bool readExact(void* buffer, size_t length);
    // A file read answered straight from the file to the socket; false when the connection must end.
    bool sendFileRead(const Packet& packet);
    bool isConnected();
    std::vector<uint8_t> frame(uint64_t number, const Reply& reply) const;
    Reply handle(const Packet& packet);

    Reply readDirectory(const std::string& path);
    Reply fileInfo(const std::string& path);
    Reply deviceInfo();
    Reply open(const Packet& packet);
    Reply readFile(const Packet& packet);
    Reply writeFile(const Packet& packet);
    Reply seek(const Packet& packet);
    Reply tell(const Packet& packet);
    Reply close(const Packet& packet);
    Reply setSize(const Packet& packet);
    Reply truncate(const Packet& packet);
    Reply makeDirectory(const std::string& path);
    Reply remove(const std::string& path, bool withContents);
    Reply rename(const Packet& packet);

    static Reply statusReply(uint64_t code);
    std::optional<std::filesystem::path> resolve(const std::string& path, bool followLast) const;
    // The entry itself, not what a link points to; a row of entries in one folder checks the folder once.
    std::optional<std::filesystem::path> resolveEntry(const std::string& path);
    int fileOf(const Packet& packet) const;
    // A file opened for reading, found by the kernel without leaving the root; -1 when that cannot be
    // said in one step (a link, a "..", a missing part), and resolve() decides.
    int openForReadingBeneath(const std::string& path) const;

    ServiceContext& m_context;
    std::filesystem::path m_root;
    int m_rootFolder = -1;           // m_root, for lookups below it
    std::map<uint64_t, int> m_files; // handle -> file descriptor
    uint64_t m_nextHandle = 1;
    std::vector<uint8_t> m_input;
    size_t m_inputBegin = 0;
    size_t m_inputEnd = 0;
    std::string m_checkedFolder; // with its last slash; empty when no check is kept
    std::optional<std::filesystem::path> m_checkedFolderPath;
    bool m_connected = true;
    std::chrono::steady_clock::time_point m_connectedAt;
};

} // namespace vexa::emulator
