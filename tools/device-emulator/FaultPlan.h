#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace vexa::emulator {

enum class FaultKind {
    Drop,         // the connection closes halfway through the next answer
    Malformed,    // the next answer is not a property list
    Oversized,    // the next answer announces a length far beyond anything real, then the connection closes
    UnknownError, // the next answer is an error the client cannot know
    Timeout,      // the next answer never comes
    Detach,       // the device is unplugged instead of answering
};

// Failures planned by the control command "fault SERVICE KIND": each one strikes once, at the next
// answer of that service ("lockdown", "afc", "installation_proxy", "backup", or "*" for any).
class FaultPlan {
public:
    static std::optional<FaultKind> Parse(const std::string& name);

    void Arm(const std::string& service, FaultKind kind);
    std::optional<FaultKind> Take(const std::string& service);
    bool IsArmed(const std::string& service);
    void Clear();

private:
    std::mutex m_mutex;
    std::map<std::string, FaultKind> m_planned;
};

} // namespace vexa::emulator
