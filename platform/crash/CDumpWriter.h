#pragma once

#include <csignal>

// Writes the dump of a crashing process using only async-signal-safe calls: no heap, no stdio, no locks.
// Layout (text): signal number and name, faulting address, thread id, the backtrace (one frame a line)
// and a copy of /proc/self/maps.
class CDumpWriter {
public:
    // Returns false when the file cannot be created; the dump is then lost but the caller carries on.
    static bool Write(const char* path, int signalNumber, const siginfo_t* info);

    // Loads the unwinder ahead of time: its first use allocates memory, which a signal handler must not.
    static void Prepare();

    static const char* SignalName(int signalNumber);

private:
    explicit CDumpWriter(int fd);

    void Text(const char* text);
    void Decimal(long value);
    void Hex(unsigned long value);
    void Backtrace();
    void MemoryMap();

    int m_fd;
};
