#include "NotSupportedMessage.h"

#include <vexa/VexaResult.h>

bool IsNotSupportedYet(int code) {
    return code == VEXA_E_NOT_SUPPORTED_YET;
}
