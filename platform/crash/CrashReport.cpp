#include "CrashReport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "CCrashHandler.h"
#include "CHttpPost.h"

namespace {

// wchar_t holds UTF-32 on Linux; file names are UTF-8.
std::string ToUtf8(const std::wstring& text) {
    std::string out;
    for (const wchar_t character : text) {
        const auto code = static_cast<char32_t>(character);
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xc0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3f));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xe0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
            out += static_cast<char>(0x80 | (code & 0x3f));
        } else {
            out += static_cast<char>(0xf0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3f));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
            out += static_cast<char>(0x80 | (code & 0x3f));
        }
    }
    return out;
}

std::wstring FromUtf8(const std::string& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80           ? 1
                           : (lead >> 5) == 0x6  ? 2
                           : (lead >> 4) == 0xe  ? 3
                           : (lead >> 3) == 0x1e ? 4
                                                 : 0;
        if (length == 0 || i + length > text.size()) {
            out += L'\ufffd';
            ++i;
            continue;
        }
        char32_t code = length == 1 ? lead : lead & (0x7f >> length);
        for (int k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3f);
        out += static_cast<wchar_t>(code);
        i += length;
    }
    return out;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

int SetdumpCall(const wchar_t* path, void (*callback)()) {
    if (!path)
        return -1;
    return CCrashHandler::Install(ToUtf8(path).c_str(), callback != nullptr) ? 0 : -1;
}

void SetdumpVersion(const char* version) {
    CCrashHandler::SetVersion(version);
}

void ResetdumpCall() {
    CCrashHandler::Uninstall();
}

bool TakePendingReport(std::wstring* path) {
    const char* value = std::getenv(kCrashReportVariable);
    if (!value || !*value)
        return false;
    if (path)
        *path = FromUtf8(value);
    ::unsetenv(kCrashReportVariable);
    return true;
}

int UpdataReportFile(const wchar_t* path) {
    if (!path)
        return CrashDumpUnreadable;
    const std::string file = ToUtf8(path);
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return CrashDumpUnreadable;
    const std::string body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return CrashDumpUnreadable;
    in.close();

    const char* url = std::getenv("VEXA_CRASH_UPLOAD_URL");
    if (!url || !*url)
        return CrashKept;
    CHttpPost post;
    switch (post.Post(url, body, BaseName(file))) {
    case CHttpPost::Ok:
        // The server has it now; a dump left behind would only pile up in the working directory.
        ::unlink(file.c_str());
        return CrashUploaded;
    case CHttpPost::BadAddress:
        return CrashBadAddress;
    case CHttpPost::ConnectFailed:
        return CrashConnectFailed;
    case CHttpPost::SendFailed:
        return CrashSendFailed;
    case CHttpPost::Rejected:
        return CrashRejected;
    }
    return CrashSendFailed;
}
