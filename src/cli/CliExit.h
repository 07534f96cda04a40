#pragma once

// The exit status of every command, as scripts rely on it.
enum CliExit : int {
    kExitOk = 0,
    kExitFailed = 1,    // the operation failed
    kExitUsage = 2,     // the command line was wrong
    kExitNoDevice = 3,  // no such device, or more than one and none named
    kExitPassword = 4,  // a backup's password is wrong or missing
    kExitCancelled = 5, // stopped by Ctrl+C; nothing half-written is left
};

// The exit status of a failed device-library result: a password, a cancel and a lost device have
// their own; everything else is a failed operation.
inline int ExitForResult(int result) {
    switch (result) {
    case 0:
        return kExitOk;
    case 109: // VEXA_E_PASSWORD
        return kExitPassword;
    case 114: // VEXA_E_CANCELLED
        return kExitCancelled;
    default:
        return kExitFailed;
    }
}
