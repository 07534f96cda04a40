#include "AfcClient.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "ServiceConnection.h"

namespace vexa::usb {

namespace {

constexpr char kMagic[8] = {'C', 'F', 'A', '6', 'L', 'P', 'A', 'A'};
constexpr size_t kHeaderSize = 40;
// The largest answer taken: a listing of a very large folder fits, a garbled length does not.
constexpr uint64_t kMaxAnswer = 64u << 20;
// Requests sent before the first answer is read: enough to hide the round trip, few enough that the
// answers waiting meanwhile fit in the socket's buffers.
constexpr size_t kInfoWindow = 128;
// Two reads in flight keep both ends busy: one side handles a piece while the other moves
// the next.
constexpr int kReadDepth = 2;
// A piece of a file taken from the caller at a time: small enough to stay in the processor's cache.
constexpr size_t kSliceSize = 256 * 1024;
// A status answer carries one code; a longer one is still taken, a huge one is garbled.
constexpr uint64_t kLargestStatus = 64 * 1024;
// Writes go in slices, each its own packet, so the data is still in the cache when it is sent; many
// in flight keep the device busy.
constexpr int kWriteDepth = 8;
// The highest status code the device uses.
constexpr uint64_t kLastStatus = 33;

enum Operation : uint64_t {
    Status = 0x01,
    Data = 0x02,
    ReadDirectoryOp = 0x03,
    RemovePathOp = 0x08,
    MakeDirectoryOp = 0x09,
    GetFileInfoOp = 0x0a,
    FileOpenOp = 0x0d,
    FileOpenResult = 0x0e,
    FileReadOp = 0x0f,
    FileWriteOp = 0x10,
    FileCloseOp = 0x14,
    RenamePathOp = 0x18,
    RemovePathAndContentsOp = 0x22,
};

void putLe64(char* out, uint64_t value) {
    for (int i = 0; i < 8; ++i) {
        out[i] = static_cast<char>(value >> (8 * i));
    }
}

std::string le64(uint64_t value) {
    std::string out(8, '\0');
    putLe64(out.data(), value);
    return out;
}

uint64_t getLe64(const char* in) {
    uint64_t value = 0;
    for (int i = 7; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(in[i]);
    }
    return value;
}

std::string withNul(const std::string& text) {
    return std::string(text.c_str(), text.size() + 1);
}

// NUL-separated texts; a missing last NUL still ends the last one.
std::vector<std::string> splitTexts(const std::string& data) {
    std::vector<std::string> texts;
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find('\0', start);
        if (end == std::string::npos) {
            end = data.size();
        }
        texts.emplace_back(data, start, end - start);
        start = end + 1;
    }
    return texts;
}

AfcClient::FileInfo pairsOf(const std::string& data) {
    const std::vector<std::string> texts = splitTexts(data);
    AfcClient::FileInfo info;
    for (size_t i = 0; i + 1 < texts.size(); i += 2) {
        info.emplace_back(texts[i], texts[i + 1]);
    }
    return info;
}

afc_error_t statusOf(uint64_t code) {
    return static_cast<afc_error_t>(code <= kLastStatus ? code : uint64_t(AFC_E_UNKNOWN_ERROR));
}

} // namespace

AfcClient::AfcClient(ServiceConnection& connection)
    : m_connection(connection) {}

afc_error_t AfcClient::fail(afc_error_t error) {
    m_broken = error;
    return error;
}

afc_error_t AfcClient::failOn(ServiceConnection::Io io) {
    switch (io) {
    case ServiceConnection::Io::Ok:
        return AFC_E_SUCCESS;
    case ServiceConnection::Io::TimedOut:
        return fail(AFC_E_OP_TIMEOUT);
    case ServiceConnection::Io::Closed:
        break;
    }
    return fail(AFC_E_MUX_ERROR);
}

void AfcClient::queue(uint64_t operation, const std::string& arguments, size_t payloadLength) {
    const size_t at = m_outgoing.size();
    m_outgoing.append(kMagic, sizeof kMagic);
    m_outgoing.resize(at + kHeaderSize);
    const uint64_t thisLength = kHeaderSize + arguments.size();
    putLe64(m_outgoing.data() + at + 8, thisLength + payloadLength);
    putLe64(m_outgoing.data() + at + 16, thisLength);
    putLe64(m_outgoing.data() + at + 24, m_nextNumber++);
    putLe64(m_outgoing.data() + at + 32, operation);
    m_outgoing += arguments;
}

afc_error_t AfcClient::flush(const char* payload, size_t payloadLength) {
    if (m_broken != AFC_E_SUCCESS) {
        m_outgoing.clear();
        return m_broken;
    }
    ServiceConnection::Io io = m_connection.Send(m_outgoing.data(), m_outgoing.size());
    m_outgoing.clear();
    if (io == ServiceConnection::Io::Ok && payloadLength > 0) {
        io = m_connection.Send(payload, payloadLength);
    }
    return failOn(io);
}

afc_error_t AfcClient::send(uint64_t operation, const std::string& arguments, const char* payload,
                            size_t payloadLength) {
    queue(operation, arguments, payloadLength);
    return flush(payload, payloadLength);
}

afc_error_t AfcClient::receiveHeader(Header& header) {
    for (; m_owedAnswers > 0; --m_owedAnswers) {
        Header owed;
        if (afc_error_t error = readHeader(owed); error != AFC_E_SUCCESS) {
            return error;
        }
        const uint64_t length = owed.entire - kHeaderSize;
        if (owed.operation != Status || length < 8 || length > kLargestStatus) {
            return fail(AFC_E_OP_HEADER_INVALID);
        }
        // The status of a read-only file's close tells nothing about what was read from it.
        std::string status(static_cast<size_t>(length), '\0');
        if (afc_error_t error = receiveBody(status.data(), status.size()); error != AFC_E_SUCCESS) {
            return error;
        }
    }
    return readHeader(header);
}

afc_error_t AfcClient::readHeader(Header& header) {
    if (m_broken != AFC_E_SUCCESS) {
        return m_broken;
    }
    char raw[kHeaderSize];
    if (const afc_error_t error = failOn(m_connection.Receive(raw, sizeof raw)); error != AFC_E_SUCCESS) {
        return error;
    }
    if (std::memcmp(raw, kMagic, sizeof kMagic) != 0) {
        return fail(AFC_E_OP_HEADER_INVALID);
    }
    header.entire = getLe64(raw + 8);
    header.thisLength = getLe64(raw + 16);
    header.number = getLe64(raw + 24);
    header.operation = getLe64(raw + 32);
    if (header.thisLength < kHeaderSize || header.entire < header.thisLength ||
        header.number != m_expectedNumber++) {
        return fail(AFC_E_OP_HEADER_INVALID);
    }
    if (header.entire - kHeaderSize > kMaxAnswer) {
        return fail(AFC_E_TOO_MUCH_DATA);
    }
    return AFC_E_SUCCESS;
}

afc_error_t AfcClient::receive(uint64_t& operation, std::string& data) {
    Header header;
    if (afc_error_t error = receiveHeader(header); error != AFC_E_SUCCESS) {
        return error;
    }
    operation = header.operation;
    data.resize(header.entire - kHeaderSize);
    return receiveBody(data.data(), data.size());
}

afc_error_t AfcClient::receiveBody(char* data, size_t length) {
    return failOn(m_connection.Receive(data, length));
}

afc_error_t AfcClient::receiveStatus() {
    uint64_t operation = 0;
    std::string data;
    if (afc_error_t error = receive(operation, data); error != AFC_E_SUCCESS) {
        return error;
    }
    if (operation != Status) {
        return fail(AFC_E_UNKNOWN_PACKET_TYPE);
    }
    if (data.size() < 8) {
        return fail(AFC_E_OP_HEADER_INVALID);
    }
    return statusOf(getLe64(data.data()));
}

afc_error_t AfcClient::request(uint64_t operation, const std::string& arguments, uint64_t expected,
                               std::string& data) {
    if (afc_error_t error = send(operation, arguments); error != AFC_E_SUCCESS) {
        return error;
    }
    uint64_t answered = 0;
    if (afc_error_t error = receive(answered, data); error != AFC_E_SUCCESS) {
        return error;
    }
    if (answered == Status) {
        if (data.size() < 8) {
            return fail(AFC_E_OP_HEADER_INVALID);
        }
        const afc_error_t status = statusOf(getLe64(data.data()));
        data.clear();
        // A bare success where data was expected means there is none.
        return status;
    }
    return answered == expected ? AFC_E_SUCCESS : fail(AFC_E_UNKNOWN_PACKET_TYPE);
}

afc_error_t AfcClient::ReadDirectory(const std::string& path, std::vector<std::string>& names) {
    std::string data;
    const afc_error_t error = request(ReadDirectoryOp, withNul(path), Data, data);
    if (error == AFC_E_SUCCESS) {
        names = splitTexts(data);
    }
    return error;
}

afc_error_t AfcClient::GetFileInfo(const std::string& path, FileInfo& info) {
    std::string data;
    const afc_error_t error = request(GetFileInfoOp, withNul(path), Data, data);
    if (error == AFC_E_SUCCESS) {
        info = pairsOf(data);
    }
    return error;
}

afc_error_t AfcClient::GetFileInfos(const std::vector<std::string>& paths, std::vector<FileInfo>& infos,
                                    std::vector<afc_error_t>& statuses) {
    infos.assign(paths.size(), {});
    statuses.assign(paths.size(), AFC_E_SUCCESS);
    size_t sent = 0;
    std::string data;
    for (size_t answered = 0; answered < paths.size(); ++answered) {
        // The window is topped up by half of it at a time, so requests go out in batches.
        if (sent < paths.size() && sent < answered + kInfoWindow / 2) {
            for (; sent < paths.size() && sent < answered + kInfoWindow; ++sent) {
                queue(GetFileInfoOp, withNul(paths[sent]));
            }
            if (afc_error_t error = flush(); error != AFC_E_SUCCESS) {
                return error;
            }
        }
        uint64_t operation = 0;
        if (afc_error_t error = receive(operation, data); error != AFC_E_SUCCESS) {
            return error;
        }
        if (operation == Status) {
            if (data.size() < 8) {
                return fail(AFC_E_OP_HEADER_INVALID);
            }
            statuses[answered] = statusOf(getLe64(data.data()));
        } else if (operation == Data) {
            infos[answered] = pairsOf(data);
        } else {
            return fail(AFC_E_UNKNOWN_PACKET_TYPE);
        }
    }
    return AFC_E_SUCCESS;
}

afc_error_t AfcClient::MakeDirectory(const std::string& path) {
    std::string data;
    return request(MakeDirectoryOp, withNul(path), Status, data);
}

afc_error_t AfcClient::RemovePath(const std::string& path, bool withContents) {
    std::string data;
    return request(withContents ? RemovePathAndContentsOp : RemovePathOp, withNul(path), Status, data);
}

afc_error_t AfcClient::RenamePath(const std::string& from, const std::string& to) {
    std::string data;
    return request(RenamePathOp, withNul(from) + withNul(to), Status, data);
}

afc_error_t AfcClient::OpenFile(const std::string& path, afc_file_mode_t mode, uint64_t& handle) {
    std::string data;
    const afc_error_t error = request(FileOpenOp, le64(mode) + withNul(path), FileOpenResult, data);
    if (error != AFC_E_SUCCESS) {
        return error;
    }
    if (data.size() < 8) {
        return fail(AFC_E_OP_HEADER_INVALID);
    }
    handle = getLe64(data.data());
    return AFC_E_SUCCESS;
}

afc_error_t AfcClient::CloseFile(uint64_t handle) {
    std::string data;
    return request(FileCloseOp, le64(handle), Status, data);
}

afc_error_t AfcClient::CloseFileUnanswered(uint64_t handle) {
    if (m_broken != AFC_E_SUCCESS) {
        return m_broken;
    }
    queue(FileCloseOp, le64(handle));
    ++m_owedAnswers;
    return AFC_E_SUCCESS;
}

afc_error_t AfcClient::ReadFile(uint64_t handle, int fd, bool& writeFailed) {
    writeFailed = false;
    const std::string arguments = le64(handle) + le64(kChunkSize);
    afc_error_t result = AFC_E_SUCCESS;
    bool more = true;
    // The last piece came shorter than asked, so the read in flight most likely finds the end.
    bool endLikely = false;
    int inFlight = 0;
    // A piece may come shorter than asked without the file having ended: only an empty one ends it.
    // The reads still in flight then answer empty too, and are collected before returning. A small
    // file thus takes two reads, sent together.
    while (more || inFlight > 0) {
        if (more && (inFlight == 0 || (!endLikely && inFlight < kReadDepth))) {
            for (; inFlight < kReadDepth; ++inFlight) {
                queue(FileReadOp, arguments);
            }
            if (afc_error_t error = flush(); error != AFC_E_SUCCESS) {
                return error;
            }
        }
        Header header;
        if (afc_error_t error = receiveHeader(header); error != AFC_E_SUCCESS) {
            return error;
        }
        --inFlight;
        const uint64_t length = header.entire - kHeaderSize;
        if (header.operation != Data && header.operation != Status) {
            return fail(AFC_E_UNKNOWN_PACKET_TYPE);
        }
        if (length > kChunkSize) {
            return fail(AFC_E_TOO_MUCH_DATA);
        }
        if (header.operation == Status) {
            if (length < 8 || length > kLargestStatus) {
                return fail(AFC_E_OP_HEADER_INVALID);
            }
            std::string status(static_cast<size_t>(length), '\0');
            if (afc_error_t error = receiveBody(status.data(), status.size()); error != AFC_E_SUCCESS) {
                return error;
            }
            if (afc_error_t code = statusOf(getLe64(status.data())); code != AFC_E_SUCCESS && more) {
                result = code;
            }
            more = false;
            continue;
        }
        if (length == 0) {
            more = false;
        }
        endLikely = length < kChunkSize;
        if (!more) {
            // An answer that came after the end is collected, not written.
            std::string unused(static_cast<size_t>(length), '\0');
            if (afc_error_t error = receiveBody(unused.data(), unused.size()); error != AFC_E_SUCCESS) {
                return error;
            }
            continue;
        }
        if (const afc_error_t error =
                failOn(m_connection.ReceiveToFile(fd, static_cast<size_t>(length), writeFailed));
            error != AFC_E_SUCCESS) {
            return error;
        }
        if (writeFailed) {
            // Where the stream stands after a failed write is unknown: nothing more is read from it.
            return fail(AFC_E_OP_INTERRUPTED);
        }
    }
    return result;
}

afc_error_t AfcClient::WriteFile(uint64_t handle, const Source& source, bool& sourceFailed) {
    sourceFailed = false;
    const std::string arguments = le64(handle);
    const std::unique_ptr<char[]> buffer(new char[kSliceSize]);
    afc_error_t result = AFC_E_SUCCESS;
    bool more = true;
    int inFlight = 0;
    while (more || inFlight > 0) {
        if (more) {
            const int64_t got = source(buffer.get(), kSliceSize);
            if (got <= 0) {
                sourceFailed = got < 0;
                more = false;
            } else if (afc_error_t error = send(FileWriteOp, arguments, buffer.get(), size_t(got));
                       error != AFC_E_SUCCESS) {
                return error;
            } else {
                ++inFlight;
            }
        }
        if (inFlight > 0 && (inFlight >= kWriteDepth || !more)) {
            const afc_error_t status = receiveStatus();
            --inFlight;
            if (m_broken != AFC_E_SUCCESS) {
                return m_broken;
            }
            if (status != AFC_E_SUCCESS && result == AFC_E_SUCCESS) {
                result = status;
                more = false;
            }
        }
    }
    return result;
}

} // namespace vexa::usb
