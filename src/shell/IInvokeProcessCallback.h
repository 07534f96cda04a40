#pragma once

#include <sys/types.h>

// Hears a child process run: its begin, each complete non-blank line it printed (standard output and
// error together), errors of the launch with their code, its exit code, its process id and the end.
// Calls arrive on the thread that runs the child; texts are valid only during the call.
class IInvokeProcessCallback {
public:
    virtual ~IInvokeProcessCallback() = default;

    virtual void OnBegin() = 0;
    virtual void OnNotify(const char* line) = 0;
    virtual void OnError(int code, const char* text) = 0;
    virtual void OnEnd() = 0;
    virtual void OnExitCode(int code) = 0;
    virtual void OnHandle(pid_t process) = 0;
};
