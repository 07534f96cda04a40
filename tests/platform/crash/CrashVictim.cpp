// A program that installs the crash handler and then faults as VEXA_CRASH_SELFTEST asks. Re-executed
// after the crash it prints the dump path it was handed, which is how the tests see report mode.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CrashReport.h"

namespace {

void OnCrash() {}

} // namespace

// Exported (the victim links with -rdynamic), so the dump can name it.
extern "C" [[noreturn]] void VictimFault(const std::string& kind) {
    if (kind == "wildcall") {
        // A call through a pointer into the heap, as a dangling object's vtable gives: the program
        // counter itself is then the bad address, and no unwind table covers it.
        static char* heap = static_cast<char*>(std::malloc(64));
        reinterpret_cast<void (*)()>(heap)();
    } else if (kind == "segv") {
        // A real access fault at a known address, not raise(): the dump must carry the address.
        volatile int* wild = reinterpret_cast<volatile int*>(0x10);
        *wild = 1;
    } else if (kind == "fpe") {
        volatile int numerator = 7;
        volatile int zero = 0;
        volatile int result = numerator / zero;
        (void)result;
    } else if (kind == "abort") {
        std::abort();
    }
    std::raise(SIGILL);
    std::abort();
}

int main(int argc, char* argv[]) {
    std::wstring pending;
    if (TakePendingReport(&pending)) {
        std::printf("report mode: %ls\n", pending.c_str());
        std::printf("variable cleared: %s\n", std::getenv(kCrashReportVariable) ? "no" : "yes");
        for (int i = 1; i < argc; ++i)
            std::printf("argument: %s\n", argv[i]);
        return 0;
    }
    const char* dump = std::getenv("VICTIM_DUMP");
    const char* kind = std::getenv("VEXA_CRASH_SELFTEST");
    if (!dump || !kind)
        return 2;
    const std::string path(dump);
    const std::wstring widePath(path.begin(), path.end());
    const bool wantReport = std::getenv("VICTIM_NO_REPORT") == nullptr;
    if (SetdumpCall(widePath.c_str(), wantReport ? &OnCrash : nullptr) != 0)
        return 3;
    SetdumpVersion("9.8.7.6");
    std::fflush(stdout);
    VictimFault(kind);
}
