#include "CCliInterrupt.h"

#include <atomic>
#include <csignal>

namespace {
std::atomic<bool> g_requested{false};

extern "C" void OnSignal(int) {
    g_requested.store(true);
}
} // namespace

void CCliInterrupt::Install() {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool CCliInterrupt::Requested() {
    return g_requested.load();
}
