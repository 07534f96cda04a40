#pragma once

#include <functional>
#include <string>
#include <vector>

class IInvokeProcessCallback;

// Launch failures, reported through IInvokeProcessCallback::OnError with these codes.
enum RedirectError : int {
    kPipeCreationFailed = 1001,
    kPipeBindFailed = 1002,
    kCreateProcessFailed = 1003,
    kCloseWriteEndFailed = 1004,
};

// The text that goes with a RedirectError code; empty for other codes.
const char* RedirectErrorText(int code);

// Runs arguments[0] with `arguments`, its standard output and error on one pipe that is read line by
// line, and waits for it. True when the child ran to its end (whatever its exit code). The child
// inherits no other descriptor and never outlives the call: when `stopRequested` answers true the
// child is killed. An empty argument list returns false at once.
bool RunRedirected(const std::vector<std::string>& arguments, IInvokeProcessCallback* callback,
                   const std::function<bool()>& stopRequested = {});
