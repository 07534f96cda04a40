#pragma once

#include <vexa/VexaResult.h>

#include "ios/ReadResult.h"

namespace vexa {

// The library's answer for what a reader of the phone's files answered.
inline int VexaResultOf(int readResult) {
    switch (readResult) {
    case ios::kReadOk:
        return VEXA_OK;
    case ios::kReadMissing:
        return VEXA_E_NOT_FOUND;
    case ios::kReadDamaged:
        return VEXA_E_DATABASE;
    case ios::kReadWrongPassword:
    case ios::kReadPasswordNeeded:
        return VEXA_E_PASSWORD;
    case ios::kReadCancelled:
        return VEXA_E_CANCELLED;
    default:
        return VEXA_E_IO;
    }
}

} // namespace vexa
