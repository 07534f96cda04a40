#pragma once

#include <string>

// A small blocking HTTP/1.1 client that posts one body and reads the status line. The crash uploader
// needs nothing more, and a dependency-free client keeps this library usable without Qt.
class CHttpPost {
public:
    enum Result {
        Ok,
        BadAddress,
        ConnectFailed,
        SendFailed,
        Rejected,
    };

    explicit CHttpPost(int timeoutMs = 15000);

    // `url` must be http://host[:port][/path]; `body` is sent as application/octet-stream.
    Result Post(const std::string& url, const std::string& body, const std::string& fileName);

    int StatusCode() const { return m_statusCode; }

private:
    struct Address {
        std::string host;
        std::string port;
        std::string path;
    };

    static bool ParseUrl(const std::string& url, Address* address);
    int Connect(const Address& address) const;
    bool SendAll(int fd, const std::string& data) const;
    bool ReadStatus(int fd);

    int m_timeoutMs;
    int m_statusCode = 0;
};
