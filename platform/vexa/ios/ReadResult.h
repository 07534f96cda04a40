#pragma once

namespace vexa::ios {

// What a reader answers. A reader hands out either a whole list or one of these codes, never part of a
// list.
enum ReadResult : int {
    kReadOk = 0,
    kReadMissing = 1,        // the file is not there
    kReadDamaged = 2,        // not a database of the expected kind, or its rows do not make sense
    kReadIoError = 3,        // the file is there but could not be copied or opened
    kReadWrongPassword = 4,  // encrypted backup, the password does not match
    kReadPasswordNeeded = 5, // encrypted backup, no password given
    kReadCancelled = 6       // the caller stopped a long step (a backup password's key derivation)
};

const char* ReadResultName(int result);

} // namespace vexa::ios
