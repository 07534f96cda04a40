#include "FaultPlan.h"

namespace vexa::emulator {

std::optional<FaultKind> FaultPlan::Parse(const std::string& name) {
    static const std::map<std::string, FaultKind> kinds = {
        {"drop", FaultKind::Drop},           {"malformed", FaultKind::Malformed},
        {"oversized", FaultKind::Oversized}, {"error", FaultKind::UnknownError},
        {"timeout", FaultKind::Timeout},     {"detach", FaultKind::Detach},
    };
    const auto found = kinds.find(name);
    return found == kinds.end() ? std::nullopt : std::optional<FaultKind>(found->second);
}

void FaultPlan::Arm(const std::string& service, FaultKind kind) {
    std::lock_guard lock(m_mutex);
    m_planned[service] = kind;
}

std::optional<FaultKind> FaultPlan::Take(const std::string& service) {
    std::lock_guard lock(m_mutex);
    for (const std::string& key : {service, std::string("*")}) {
        const auto found = m_planned.find(key);
        if (found != m_planned.end()) {
            const FaultKind kind = found->second;
            m_planned.erase(found);
            return kind;
        }
    }
    return std::nullopt;
}

bool FaultPlan::IsArmed(const std::string& service) {
    std::lock_guard lock(m_mutex);
    return m_planned.count(service) != 0 || m_planned.count("*") != 0;
}

void FaultPlan::Clear() {
    std::lock_guard lock(m_mutex);
    m_planned.clear();
}

} // namespace vexa::emulator
