#include "RunRedirected.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "IInvokeProcessCallback.h"

extern char** environ;

namespace {

constexpr std::size_t kBufferSize = 2048;
constexpr int kPollMs = 100;

// Splits complete lines off the pending text and reports the non-blank ones, trimmed.
class LineSplitter {
public:
    explicit LineSplitter(IInvokeProcessCallback* callback)
        : m_callback(callback) {}

    std::size_t Room() const { return kBufferSize - m_pending.size(); }

    void Append(const char* data, std::size_t size) {
        m_pending.append(data, size);
        std::size_t start = 0;
        for (std::size_t newline = m_pending.find('\n'); newline != std::string::npos;
             newline = m_pending.find('\n', start)) {
            Report(m_pending.substr(start, newline - start));
            start = newline + 1;
        }
        m_pending.erase(0, start);
        // A line longer than the buffer is reported in pieces rather than stalling the child.
        if (m_pending.size() >= kBufferSize) {
            Report(m_pending);
            m_pending.clear();
        }
    }

private:
    void Report(const std::string& line) {
        const char* const blanks = " \t\r\n";
        const std::size_t first = line.find_first_not_of(blanks);
        if (first == std::string::npos || m_callback == nullptr) {
            return;
        }
        const std::size_t last = line.find_last_not_of(blanks);
        m_callback->OnNotify(line.substr(first, last - first + 1).c_str());
    }

    IInvokeProcessCallback* m_callback;
    std::string m_pending;
};

class Spawn {
public:
    Spawn() {
        m_ok = posix_spawn_file_actions_init(&m_actions) == 0 && posix_spawnattr_init(&m_attributes) == 0;
    }
    ~Spawn() {
        posix_spawn_file_actions_destroy(&m_actions);
        posix_spawnattr_destroy(&m_attributes);
    }
    Spawn(const Spawn&) = delete;
    Spawn& operator=(const Spawn&) = delete;

    // Standard output and error go to `writeEnd`, standard input reads nothing, and every other
    // descriptor stays with the parent.
    bool Bind(int writeEnd) {
        sigset_t defaults;
        sigemptyset(&defaults);
        return m_ok && posix_spawn_file_actions_addopen(&m_actions, 0, "/dev/null", O_RDONLY, 0) == 0 &&
               posix_spawn_file_actions_adddup2(&m_actions, writeEnd, 1) == 0 &&
               posix_spawn_file_actions_adddup2(&m_actions, writeEnd, 2) == 0 &&
               posix_spawn_file_actions_addclosefrom_np(&m_actions, 3) == 0 &&
               posix_spawnattr_setsigmask(&m_attributes, &defaults) == 0 &&
               posix_spawnattr_setflags(&m_attributes, POSIX_SPAWN_SETSIGMASK) == 0;
    }

    int Run(pid_t* child, const std::vector<std::string>& arguments) {
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        return posix_spawn(child, argv[0], &m_actions, &m_attributes, argv.data(), environ);
    }

private:
    posix_spawn_file_actions_t m_actions{};
    posix_spawnattr_t m_attributes{};
    bool m_ok = false;
};

void Fail(IInvokeProcessCallback* callback, int code) {
    if (callback != nullptr) {
        callback->OnError(code, RedirectErrorText(code));
        callback->OnEnd();
    }
}

int WaitForChild(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

void KillAndReap(pid_t child) {
    kill(child, SIGKILL);
    WaitForChild(child);
}

// Reads until the child closes its end; false when asked to stop first.
bool ReadAll(int readEnd, LineSplitter& lines, const std::function<bool()>& stopRequested) {
    const bool echo = isatty(STDOUT_FILENO) == 1;
    char buffer[kBufferSize];
    for (;;) {
        if (stopRequested && stopRequested()) {
            return false;
        }
        pollfd ready{readEnd, POLLIN, 0};
        const int polled = poll(&ready, 1, kPollMs);
        if (polled < 0 && errno != EINTR) {
            return true;
        }
        if (polled <= 0) {
            continue;
        }
        const ssize_t count = read(readEnd, buffer, lines.Room());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return true;
        }
        if (echo) {
            [[maybe_unused]] const ssize_t written =
                write(STDOUT_FILENO, buffer, static_cast<std::size_t>(count));
        }
        lines.Append(buffer, static_cast<std::size_t>(count));
    }
}

} // namespace

const char* RedirectErrorText(int code) {
    switch (code) {
    case kPipeCreationFailed:
        return "STDOUT pipe creation failed.";
    case kPipeBindFailed:
        return "Bind the pipe for STDOUT failed.";
    case kCreateProcessFailed:
        return "Create child process failed.";
    case kCloseWriteEndFailed:
        return "Closing STDOUT handle failed.";
    default:
        return "";
    }
}

bool RunRedirected(const std::vector<std::string>& arguments, IInvokeProcessCallback* callback,
                   const std::function<bool()>& stopRequested) {
    if (arguments.empty() || arguments.front().empty()) {
        return false;
    }
    if (callback != nullptr) {
        callback->OnBegin();
    }
    int pipeEnds[2];
    // Close-on-exec: neither end leaks into this child or into any other the program starts.
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        Fail(callback, kPipeCreationFailed);
        return false;
    }
    const int readEnd = pipeEnds[0];
    const int writeEnd = pipeEnds[1];
    Spawn spawn;
    if (!spawn.Bind(writeEnd)) {
        close(readEnd);
        close(writeEnd);
        Fail(callback, kPipeBindFailed);
        return false;
    }
    pid_t child = 0;
    if (spawn.Run(&child, arguments) != 0) {
        close(readEnd);
        close(writeEnd);
        Fail(callback, kCreateProcessFailed);
        return false;
    }
    if (callback != nullptr) {
        callback->OnHandle(child);
    }
    if (close(writeEnd) != 0) {
        close(readEnd);
        KillAndReap(child);
        Fail(callback, kCloseWriteEndFailed);
        return false;
    }
    LineSplitter lines(callback);
    const bool finished = ReadAll(readEnd, lines, stopRequested);
    if (!finished) {
        kill(child, SIGKILL);
    }
    close(readEnd);
    const int exitCode = WaitForChild(child);
    if (callback != nullptr) {
        callback->OnExitCode(exitCode);
        callback->OnEnd();
    }
    return finished;
}
