#include "CDumpWriter.h"

#include <cerrno>
#include <cstring>

#include <execinfo.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr int kMaxFrames = 128;

void WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
}

} // namespace

CDumpWriter::CDumpWriter(int fd)
    : m_fd(fd) {}

bool CDumpWriter::Write(const char* path, int signalNumber, const siginfo_t* info) {
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    CDumpWriter writer(fd);
    writer.Text("Vexa Transfer crash dump\n");
    writer.Text("Signal: ");
    writer.Decimal(signalNumber);
    writer.Text(" (");
    writer.Text(SignalName(signalNumber));
    writer.Text(")\nCode: ");
    writer.Decimal(info ? info->si_code : 0);
    // Only a fault raised by the processor has an address; a signal sent by a process (abort,
    // kill) names its sender instead.
    if (info && info->si_code > 0) {
        writer.Text("\nAddress: ");
        writer.Hex(reinterpret_cast<unsigned long>(info->si_addr));
    } else {
        writer.Text("\nSent by process: ");
        writer.Decimal(info ? info->si_pid : 0);
    }
    writer.Text("\nProcess: ");
    writer.Decimal(::getpid());
    writer.Text("\nThread: ");
    writer.Decimal(static_cast<long>(::syscall(SYS_gettid)));
    writer.Text("\n\nBacktrace:\n");
    writer.Backtrace();
    writer.Text("\nMemory map:\n");
    writer.MemoryMap();
    ::fsync(fd);
    ::close(fd);
    return true;
}

void CDumpWriter::Prepare() {
    void* frames[1];
    ::backtrace(frames, 1);
}

const char* CDumpWriter::SignalName(int signalNumber) {
    switch (signalNumber) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGBUS:
        return "SIGBUS";
    case SIGFPE:
        return "SIGFPE";
    case SIGILL:
        return "SIGILL";
    case SIGABRT:
        return "SIGABRT";
    default:
        return "unknown signal";
    }
}

void CDumpWriter::Text(const char* text) {
    WriteAll(m_fd, text, std::strlen(text));
}

void CDumpWriter::Decimal(long value) {
    char buffer[24];
    char* end = buffer + sizeof(buffer);
    char* cursor = end;
    const bool negative = value < 0;
    unsigned long magnitude =
        negative ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    do {
        *--cursor = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        *--cursor = '-';
    WriteAll(m_fd, cursor, static_cast<size_t>(end - cursor));
}

void CDumpWriter::Hex(unsigned long value) {
    char buffer[20];
    char* end = buffer + sizeof(buffer);
    char* cursor = end;
    do {
        *--cursor = "0123456789abcdef"[value & 0xf];
        value >>= 4;
    } while (value != 0);
    *--cursor = 'x';
    *--cursor = '0';
    WriteAll(m_fd, cursor, static_cast<size_t>(end - cursor));
}

void CDumpWriter::Backtrace() {
    void* frames[kMaxFrames];
    const int count = ::backtrace(frames, kMaxFrames);
    // backtrace_symbols_fd writes straight to the descriptor without allocating.
    ::backtrace_symbols_fd(frames, count, m_fd);
}

void CDumpWriter::MemoryMap() {
    const int maps = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (maps < 0) {
        Text("(unavailable)\n");
        return;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(maps, buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        WriteAll(m_fd, buffer, static_cast<size_t>(got));
    }
    ::close(maps);
}
