#pragma once

#include <string>

// Crash capture and report upload, the calling surface the application uses.
//
// After a fatal signal the handler writes the dump file and re-executes the program with the variable
// VEXA_CRASH_REPORT set to the dump path. That fresh process is in report mode: TakePendingReport()
// tells it so, and it runs the report callback (dialog, upload) with a healthy heap and event loop.

// Name of the variable that carries the dump path into the re-executed program.
inline constexpr const char* kCrashReportVariable = "VEXA_CRASH_REPORT";

// Result codes of UpdataReportFile().
enum CrashUploadResult : int {
    CrashUploaded = 0,       // the server took the dump; the file was removed
    CrashKept = 1,           // no upload address configured; the dump stays where it is
    CrashDumpUnreadable = 2, // the dump file cannot be read
    CrashBadAddress = 3,     // VEXA_CRASH_UPLOAD_URL is not an http:// address
    CrashConnectFailed = 4,  // host unknown or unreachable
    CrashSendFailed = 5,     // the connection broke or timed out
    CrashRejected = 6,       // the server answered with a status other than 2xx
};

// Installs the handler for SIGSEGV, SIGBUS, SIGFPE, SIGILL and SIGABRT on an alternate stack. The dump
// goes to `path`. A null `callback` means nobody wants a report: the process dumps and dies; otherwise
// the program is re-executed in report mode, where the caller runs its callback. Returns 0, or -1 when
// the handler cannot be installed (path too long, sigaction failure).
int SetdumpCall(const wchar_t* path, void (*callback)());

// The program version written at the top of every dump, so that a dump sent in names its build.
void SetdumpVersion(const char* version);

// Restores the signal handlers that were in place before SetdumpCall().
void ResetdumpCall();

// True in a program re-executed after a crash; `path` receives the dump path. The variable is removed
// from the environment so that programs started later do not inherit report mode.
bool TakePendingReport(std::wstring* path);

// Posts the dump to VEXA_CRASH_UPLOAD_URL (HTTP POST, body = the file) when that variable is set.
// Blocking, with timeouts. Returns a CrashUploadResult.
int UpdataReportFile(const wchar_t* path);
