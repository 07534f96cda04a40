#include "CDumpWriter.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include <execinfo.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

namespace {

constexpr int kMaxFrames = 128;
constexpr int kMaxRanges = 4096;
constexpr size_t kMapsCapacity = 512 * 1024;
// How far above the stack pointer the stack is searched for return addresses.
constexpr size_t kScanWords = 16384;

// The mappings of the process, read when the dump is written: static, the heap may be broken.
struct Range {
    uintptr_t begin;
    uintptr_t end;
    bool readable;
    bool executable;
};
Range g_ranges[kMaxRanges];
int g_rangeCount = 0;
char g_maps[kMapsCapacity];

uintptr_t ParseHex(const char*& cursor, const char* end) {
    uintptr_t value = 0;
    for (; cursor < end; ++cursor) {
        const char c = *cursor;
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0)
            break;
        value = value * 16 + static_cast<uintptr_t>(digit);
    }
    return value;
}

void LoadRanges() {
    g_rangeCount = 0;
    const int fd = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    size_t size = 0;
    while (size < kMapsCapacity) {
        const ssize_t got = ::read(fd, g_maps + size, kMapsCapacity - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        size += static_cast<size_t>(got);
    }
    ::close(fd);
    // Lines read "begin-end perms offset device inode path".
    const char* end = g_maps + size;
    for (const char* line = g_maps; line < end && g_rangeCount < kMaxRanges;) {
        const char* cursor = line;
        Range range{};
        range.begin = ParseHex(cursor, end);
        if (cursor < end && *cursor == '-')
            ++cursor;
        range.end = ParseHex(cursor, end);
        if (end - cursor >= 4 && *cursor == ' ') {
            range.readable = cursor[1] == 'r';
            range.executable = cursor[3] == 'x';
            g_ranges[g_rangeCount++] = range;
        }
        const void* newline = std::memchr(line, '\n', static_cast<size_t>(end - line));
        line = newline ? static_cast<const char*>(newline) + 1 : end;
    }
}

const Range* RangeOf(uintptr_t address) {
    for (int i = 0; i < g_rangeCount; ++i)
        if (address >= g_ranges[i].begin && address < g_ranges[i].end)
            return &g_ranges[i];
    return nullptr;
}

// A word on the stack is taken for a return address when it points into code just behind a call.
bool IsReturnAddress(uintptr_t address) {
    const Range* range = RangeOf(address);
    if (!range || !range->readable || !range->executable)
        return false;
#if defined(__x86_64__)
    const auto* code = reinterpret_cast<const unsigned char*>(address);
    const auto reaches = [&](uintptr_t back) { return address - range->begin >= back; };
    if (reaches(5) && code[-5] == 0xe8) // call rel32
        return true;
    // call r/m64: 0xff with the ModRM reg field 2, two to seven bytes before.
    constexpr uintptr_t kIndirectCallLengths[] = {2, 3, 4, 6, 7};
    for (const uintptr_t back : kIndirectCallLengths)
        if (reaches(back) && code[-static_cast<long>(back)] == 0xff &&
            ((code[1 - static_cast<long>(back)] >> 3) & 7) == 2)
            return true;
    return false;
#else
    return true;
#endif
}

// Every word of the stack is read, the guard zones a memory checker puts between locals included; the
// checker must not take that for a program error.
__attribute__((no_sanitize_address)) int ScanForReturnAddresses(uintptr_t sp, uintptr_t stackEnd,
                                                                void** frames, int count) {
    const auto* word = reinterpret_cast<const uintptr_t*>(sp);
    const auto* end = reinterpret_cast<const uintptr_t*>(stackEnd);
    for (size_t n = 0; word < end && n < kScanWords && count < kMaxFrames; ++word, ++n) {
        const uintptr_t value = *word;
        if (IsReturnAddress(value))
            frames[count++] = reinterpret_cast<void*>(value);
    }
    return count;
}

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

bool CDumpWriter::Write(const char* path, const char* version, int signalNumber, const siginfo_t* info,
                        const void* context) {
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    CDumpWriter writer(fd);
    writer.Text("Vexa Transfer crash dump\n");
    writer.Text("Version: ");
    writer.Text(version && *version ? version : "unknown");
    writer.Text("\nSignal: ");
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
    writer.Text("\n\n");
    writer.FaultingThread(context);
    writer.Text("\nBacktrace of the handler:\n");
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

void CDumpWriter::FaultingThread(const void* context) {
    uintptr_t pc = 0;
    uintptr_t sp = 0;
    uintptr_t bp = 0;
    const auto* state = static_cast<const ucontext_t*>(context);
#if defined(__x86_64__)
    if (state) {
        pc = static_cast<uintptr_t>(state->uc_mcontext.gregs[REG_RIP]);
        sp = static_cast<uintptr_t>(state->uc_mcontext.gregs[REG_RSP]);
        bp = static_cast<uintptr_t>(state->uc_mcontext.gregs[REG_RBP]);
    }
#elif defined(__aarch64__)
    if (state) {
        pc = state->uc_mcontext.pc;
        sp = state->uc_mcontext.sp;
        bp = state->uc_mcontext.regs[29];
    }
#endif
    if (pc == 0) {
        Text("Faulting thread: no signal context\n");
        return;
    }
    Text("Registers:\nPC: ");
    Hex(pc);
    Text("\nSP: ");
    Hex(sp);
    Text("\nBP: ");
    Hex(bp);
    Text("\n\n");

    LoadRanges();
    void* frames[kMaxFrames];
    int count = 0;
    frames[count++] = reinterpret_cast<void*>(pc);
    // The unwinder steps through the signal frame into the faulting code when that code has unwind
    // tables; a wild program counter (a call through a dangling pointer) stops it there.
    void* unwound[kMaxFrames];
    const int unwoundCount = ::backtrace(unwound, kMaxFrames);
    int faultAt = -1;
    for (int i = 0; i < unwoundCount && faultAt < 0; ++i)
        if (reinterpret_cast<uintptr_t>(unwound[i]) == pc)
            faultAt = i;
    if (faultAt >= 0 && faultAt + 1 < unwoundCount) {
        for (int i = faultAt + 1; i < unwoundCount && count < kMaxFrames; ++i)
            frames[count++] = unwound[i];
        Text("Frames of the faulting thread (unwound from PC):\n");
    } else {
        // The return addresses above the stack pointer still name the callers.
        const Range* stack = RangeOf(sp);
        if (stack && stack->readable)
            count = ScanForReturnAddresses(sp, stack->end, frames, count);
        Text("Frames of the faulting thread (PC, then return addresses found above SP):\n");
    }
    for (int i = 0; i < count; ++i) {
        Text("#");
        Decimal(i);
        Text(" ");
        ::backtrace_symbols_fd(&frames[i], 1, m_fd);
    }
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
