#pragma once

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "IInvokeProcessCallback.h"

// Runs the 7-Zip console program beside the executable and decides success from its exit code and
// its "Everything is Ok" line. One command at a time: a call while another runs on the same bridge
// (from another thread, or from an event handled during the wait) returns false at once. The caller's
// events keep flowing while it waits; the child never outlives the call.
class CProcessBridge : public IInvokeProcessCallback {
public:
    CProcessBridge() = default;
    ~CProcessBridge() override = default;

    CProcessBridge(const CProcessBridge&) = delete;
    CProcessBridge& operator=(const CProcessBridge&) = delete;

    // Adds `source` (a file or a folder, stored under its own name) to the zip archive.
    bool Zip(const std::string& archive, const std::string& source);
    bool DeleteFromZip(const std::string& archive, const std::string& entry);
    bool Unzip(const std::string& archive, const std::string& folder);

    // Runs any command the same way; success needs exit code 0 and an "Everything is Ok" line.
    bool Execute(const std::vector<std::string>& arguments);

    // True when an output line of the last command contains `text`; that line is copied to `line`.
    bool FindOutput(const std::string& text, std::string* line = nullptr) const;
    const std::vector<std::string>& OutputLines() const { return m_output; }
    const std::vector<std::string>& ErrorTexts() const { return m_errors; }
    // The code of the last launch failure of the last command (1001..1004), 0 when there was none.
    int LastErrorCode() const { return m_lastErrorCode; }

    // "<program folder>/7z".
    static std::string SevenZipPath();

    void OnBegin() override;
    void OnNotify(const char* line) override;
    void OnError(int code, const char* text) override;
    void OnEnd() override;
    void OnExitCode(int code) override;
    void OnHandle(pid_t process) override;

private:
    std::recursive_mutex m_lock;
    bool m_busy = false;
    int m_exitCode = -1;
    pid_t m_process = 0;
    std::vector<std::string> m_output;
    std::vector<std::string> m_errors;
    int m_lastErrorCode = 0;
};
