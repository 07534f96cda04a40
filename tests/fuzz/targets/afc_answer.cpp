// What a device answers on an AFC connection: the client sends a row of requests and reads whatever
// comes back through a socket. Whatever the answers, a call ends (the input is all there is), names
// and details come out whole, and once the connection is judged broken every later call says so at once.
#include <cstring>

#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>

#include "FuzzRegistry.h"
#include "usb/AfcClient.h"
#include "usb/ServiceConnection.h"

using vexa::usb::AfcClient;
using vexa::usb::ServiceConnection;

namespace {

// Enough for several answers; the socket holds it all, so writing never waits for the reader.
constexpr size_t kMaxInput = 256 * 1024;

void checkBroken(const AfcClient& client, afc_error_t result) {
    if (client.Broken() != AFC_E_SUCCESS && result != client.Broken())
        fuzz::Fail("a call on a broken connection did not answer the break");
}

} // namespace

VEXA_FUZZ_TARGET(afc_answer) {
    if (size > kMaxInput)
        return 0;
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0)
        return 0;
    const int room = 4 << 20;
    ::setsockopt(ends[1], SOL_SOCKET, SO_SNDBUF, &room, sizeof room);
    ::setsockopt(ends[0], SOL_SOCKET, SO_SNDBUF, &room, sizeof room);
    if (size > 0 && ::send(ends[1], data, size, MSG_NOSIGNAL) != static_cast<ssize_t>(size)) {
        ::close(ends[0]);
        ::close(ends[1]);
        return 0;
    }
    ::shutdown(ends[1], SHUT_WR); // the answers end here: a call waiting for more sees the close
    {
        const auto connection = ServiceConnection::Adopt(ends[0]);
        AfcClient client(*connection);
        std::vector<std::string> names;
        afc_error_t result = client.ReadDirectory("/", names);
        checkBroken(client, result);
        for (const std::string& name : names)
            if (name.find('\0') != std::string::npos)
                fuzz::Fail("a listed name holds a NUL");
        std::vector<AfcClient::FileInfo> infos;
        std::vector<afc_error_t> statuses;
        result = client.GetFileInfos({"/a", "/b", "/c"}, infos, statuses);
        checkBroken(client, result);
        if (result == AFC_E_SUCCESS && (infos.size() != 3 || statuses.size() != 3))
            fuzz::Fail("file details do not match the paths asked about");
        uint64_t handle = 0;
        result = client.OpenFile("/a", AFC_FOPEN_RDONLY, handle);
        checkBroken(client, result);
        const int file = ::memfd_create("afc_answer", MFD_CLOEXEC);
        bool writeFailed = false;
        result = client.ReadFile(handle, file, writeFailed);
        checkBroken(client, result);
        const off_t received = ::lseek(file, 0, SEEK_END);
        ::close(file);
        if (writeFailed || received < 0 || static_cast<size_t>(received) > size)
            fuzz::Fail("a read passed on more than the device sent");
        bool sourceFailed = false;
        int pieces = 0;
        result = client.WriteFile(
            handle,
            [&](char* buffer, size_t capacity) -> int64_t {
                if (pieces++ == 2)
                    return 0;
                std::memset(buffer, 'w', std::min<size_t>(capacity, 1000));
                return std::min<size_t>(capacity, 1000);
            },
            sourceFailed);
        checkBroken(client, result);
        checkBroken(client, client.CloseFile(handle));
    }
    ::close(ends[1]);
    return 0;
}
