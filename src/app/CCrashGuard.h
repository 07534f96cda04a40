#pragma once

#include <QString>

// Installs the crash hook for the lifetime of the object and restores the previous signal handlers
// when it goes.
class CCrashGuard {
public:
    CCrashGuard();
    ~CCrashGuard();
    CCrashGuard(const CCrashGuard&) = delete;
    CCrashGuard& operator=(const CCrashGuard&) = delete;
};

// Names the dump "<working directory>/VexaTransfer_Qvr_<version>_<milliseconds>.dmp" and hands it to
// the crash library together with OnCrash().
void InstallCrashHandler();
// The dump path of this process: the one InstallCrashHandler() chose, or in report mode the dump of
// the process that crashed.
QString CrashDumpPath();
// Asks whether to send the dump and uploads it when the user agrees.
void OnCrash();

// Report mode: true when this process was started by the crash handler; the report has then run and
// the process should end.
bool RunPendingCrashReport();

// VEXA_CRASH_SELFTEST ("segv", "abort", "fpe") makes the program fault once its event loop runs, which
// is how the whole path from fault to report is exercised.
void ScheduleCrashSelfTest();
