#include "CCrashHandler.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "CDumpWriter.h"
#include "CrashReport.h"

extern char** environ;

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr int kSignalCount = sizeof(kSignals) / sizeof(kSignals[0]);
constexpr size_t kPathCapacity = 4096;
constexpr size_t kCommandLineCapacity = 16384;
constexpr int kMaxArguments = 256;
constexpr int kMaxEnvironment = 4096;
constexpr size_t kAlternateStackSize = 256 * 1024;

// All of it lives in static storage: the handler may run with a corrupted heap.
char g_dumpPath[kPathCapacity];
char g_version[64];
char g_reportVariable[kPathCapacity + 32];
char g_commandLine[kCommandLineCapacity];
char* g_arguments[kMaxArguments + 1];
char* g_environment[kMaxEnvironment + 2];
alignas(16) char g_alternateStack[kAlternateStackSize];
struct sigaction g_previous[kSignalCount];
bool g_installed = false;
bool g_relaunch = false;
volatile sig_atomic_t g_handling = 0;

} // namespace

bool CCrashHandler::Install(const char* dumpPath, bool relaunch) {
    Uninstall();
    const size_t length = std::strlen(dumpPath);
    if (length == 0 || length >= kPathCapacity)
        return false;
    std::memcpy(g_dumpPath, dumpPath, length + 1);
    std::strcpy(g_reportVariable, kCrashReportVariable);
    std::strcat(g_reportVariable, "=");
    std::strcat(g_reportVariable, g_dumpPath);
    g_relaunch = relaunch && PrepareArguments();
    if (!PrepareAlternateStack())
        return false;
    CDumpWriter::Prepare();

    struct sigaction action = {};
    action.sa_sigaction = &CCrashHandler::OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kSignalCount; ++i) {
        if (::sigaction(kSignals[i], &action, &g_previous[i]) != 0) {
            for (int j = 0; j < i; ++j)
                ::sigaction(kSignals[j], &g_previous[j], nullptr);
            return false;
        }
    }
    g_installed = true;
    return true;
}

void CCrashHandler::Uninstall() {
    if (!g_installed)
        return;
    for (int i = 0; i < kSignalCount; ++i)
        ::sigaction(kSignals[i], &g_previous[i], nullptr);
    g_installed = false;
}

void CCrashHandler::SetVersion(const char* version) {
    const size_t length = version ? std::strlen(version) : 0;
    if (length >= sizeof(g_version))
        return;
    std::memcpy(g_version, version ? version : "", length + 1);
}

void CCrashHandler::OnFatalSignal(int signalNumber, siginfo_t* info, void* context) {
    // A second fault while dumping (or on another thread) must not recurse or relaunch twice.
    if (g_handling)
        DieWith(signalNumber);
    g_handling = 1;
    CDumpWriter::Write(g_dumpPath, g_version, signalNumber, info, context);
    if (g_relaunch)
        Relaunch();
    DieWith(signalNumber);
}

void CCrashHandler::Relaunch() {
    // The new image inherits the signal mask, and the crashing signal is blocked inside this handler.
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    // Descriptors opened without close-on-exec (sockets, device handles) must not leak into the report.
    ::syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC);

    const size_t prefixLength = std::strlen(kCrashReportVariable);
    int count = 0;
    for (char** entry = environ; entry && *entry && count < kMaxEnvironment; ++entry) {
        if (std::strncmp(*entry, kCrashReportVariable, prefixLength) == 0 && (*entry)[prefixLength] == '=')
            continue;
        g_environment[count++] = *entry;
    }
    g_environment[count++] = g_reportVariable;
    g_environment[count] = nullptr;
    ::execve("/proc/self/exe", g_arguments, g_environment);
}

void CCrashHandler::DieWith(int signalNumber) {
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signalNumber, &action, nullptr);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, signalNumber);
    ::sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
    ::raise(signalNumber);
    ::_exit(128 + signalNumber);
}

bool CCrashHandler::PrepareArguments() {
    const int fd = ::open("/proc/self/cmdline", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    size_t size = 0;
    while (size < kCommandLineCapacity - 1) {
        const ssize_t got = ::read(fd, g_commandLine + size, kCommandLineCapacity - 1 - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        size += static_cast<size_t>(got);
    }
    ::close(fd);
    if (size == 0)
        return false;
    g_commandLine[size] = '\0';
    int count = 0;
    for (size_t offset = 0; offset < size && count < kMaxArguments;
         offset += std::strlen(g_commandLine + offset) + 1)
        g_arguments[count++] = g_commandLine + offset;
    g_arguments[count] = nullptr;
    return true;
}

bool CCrashHandler::PrepareAlternateStack() {
    // A stack overflow leaves no room on the faulting stack; the handler runs on this one instead.
    stack_t stack = {};
    stack.ss_sp = g_alternateStack;
    stack.ss_size = sizeof(g_alternateStack);
    stack.ss_flags = 0;
    return ::sigaltstack(&stack, nullptr) == 0;
}
