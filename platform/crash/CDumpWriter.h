#pragma once

#include <csignal>

// Writes the dump of a crashing process using only async-signal-safe calls: no heap, no stdio, no locks.
// Layout (text): program version, signal number and name, faulting address, thread id, the faulting
// thread's registers and frames taken from the signal context, the handler's own backtrace and a copy
// of /proc/self/maps. Frames read "module(function+offset) [address]", or "module(+offset)" where the
// module has no symbol, so that addr2line finds the line from the module's offset.
class CDumpWriter {
public:
    // `context` is the handler's third argument (a ucontext_t), may be null. Returns false when the
    // file cannot be created; the dump is then lost but the caller carries on.
    static bool Write(const char* path, const char* version, int signalNumber, const siginfo_t* info,
                      const void* context);

    // Loads the unwinder ahead of time: its first use allocates memory, which a signal handler must not.
    static void Prepare();

    static const char* SignalName(int signalNumber);

private:
    explicit CDumpWriter(int fd);

    void Text(const char* text);
    void Decimal(long value);
    void Hex(unsigned long value);
    void Backtrace();
    void FaultingThread(const void* context);
    void MemoryMap();

    int m_fd;
};
