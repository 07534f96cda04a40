#pragma once

#include <csignal>

// The process-wide fatal-signal handler. Everything the handler needs (dump path, program path,
// arguments, the report variable) is prepared at installation, so that the handler itself only uses
// async-signal-safe calls: it writes the dump, then re-executes the program in report mode.
class CCrashHandler {
public:
    // `relaunch` false: dump, then let the signal end the process. Returns false when the path does
    // not fit or a handler cannot be installed (nothing stays installed then).
    static bool Install(const char* dumpPath, bool relaunch);
    static void Uninstall();
    // The program version the dump names; kept when it does not fit (63 bytes).
    static void SetVersion(const char* version);

private:
    static void OnFatalSignal(int signalNumber, siginfo_t* info, void* context);
    static void Relaunch();
    static void DieWith(int signalNumber);
    static bool PrepareArguments();
    static bool PrepareAlternateStack();
};
