#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <libimobiledevice/afc.h>

#include "ServiceConnection.h"

namespace vexa::usb {

// The AFC protocol over one service connection. Every packet is a 40-byte little-endian header (magic,
// entire length, length of header and arguments, packet number, operation), the arguments, then the
// payload; the device answers each request in order. Results use the library's AFC error codes, which
// are the device's own status codes; a lost, silent or garbled connection leaves the client broken and
// every later call answers that error at once.
class AfcClient {
public:
    using FileInfo = std::vector<std::pair<std::string, std::string>>;
    // Fills `buffer` with at most `capacity` bytes and says how many; 0 at the end, -1 on failure.
    using Source = std::function<int64_t(char* buffer, size_t capacity)>;

    explicit AfcClient(ServiceConnection& connection);

    afc_error_t ReadDirectory(const std::string& path, std::vector<std::string>& names);
    afc_error_t GetFileInfo(const std::string& path, FileInfo& info);
    // The details of many paths at once; statuses[i] is each one's own answer. The call fails only
    // when the connection does.
    afc_error_t GetFileInfos(const std::vector<std::string>& paths, std::vector<FileInfo>& infos,
                             std::vector<afc_error_t>& statuses);
    afc_error_t MakeDirectory(const std::string& path);
    afc_error_t RemovePath(const std::string& path, bool withContents);
    afc_error_t RenamePath(const std::string& from, const std::string& to);

    afc_error_t OpenFile(const std::string& path, afc_file_mode_t mode, uint64_t& handle);
    afc_error_t CloseFile(uint64_t handle);
    // Closes without waiting: the close goes out with the next request, and its answer is collected
    // ahead of that request's, so a copy of many small files saves a round trip and a packet per file.
    // Only for files read, whose close cannot lose anything; a connection that ends first closes the
    // file on the device all the same.
    afc_error_t CloseFileUnanswered(uint64_t handle);
    // The whole file from the current position to its end, in large pieces, written to the open file
    // `fd` at its position straight from the connection; `writeFailed` tells a local failure from the
    // device's, and leaves the client broken.
    afc_error_t ReadFile(uint64_t handle, int fd, bool& writeFailed);
    // All that `source` gives; `sourceFailed` tells a local failure from the device's.
    afc_error_t WriteFile(uint64_t handle, const Source& source, bool& sourceFailed);

    // Set once the connection can no longer be trusted.
    afc_error_t Broken() const { return m_broken; }

    // Bytes asked for in one read.
    static constexpr size_t kChunkSize = 4u << 20;

private:
    struct Header {
        uint64_t entire = 0;
        uint64_t thisLength = 0;
        uint64_t number = 0;
        uint64_t operation = 0;
    };

    afc_error_t send(uint64_t operation, const std::string& arguments, const char* payload = nullptr,
                     size_t payloadLength = 0);
    // Adds a request without payload to those sent together by the next flush().
    void queue(uint64_t operation, const std::string& arguments, size_t payloadLength = 0);
    afc_error_t flush(const char* payload = nullptr, size_t payloadLength = 0);
    // The next answer's header, after the answers still owed to closes sent without waiting.
    afc_error_t receiveHeader(Header& header);
    afc_error_t readHeader(Header& header);
    // The next answer, arguments and payload together.
    afc_error_t receive(uint64_t& operation, std::string& data);
    afc_error_t receiveBody(char* data, size_t length);
    // The next answer, expected to be a status packet.
    afc_error_t receiveStatus();
    afc_error_t fail(afc_error_t error);
    // Success for a finished exchange, else the connection's failure as the client's lasting error.
    afc_error_t failOn(ServiceConnection::Io io);
    afc_error_t request(uint64_t operation, const std::string& arguments, uint64_t expected,
                        std::string& data);

    ServiceConnection& m_connection;
    std::string m_outgoing;
    uint64_t m_nextNumber = 0;
    uint64_t m_expectedNumber = 0;
    size_t m_owedAnswers = 0;
    afc_error_t m_broken = AFC_E_SUCCESS;
};

} // namespace vexa::usb
