#pragma once

#include "CFlatItemSerial.h"

// Writes contact records as one vCard 3.0 file (RFC 2426), a card per item that holds text: the
// category item makes none. Nesting and item names are not kept: every BeginItem starts a new card.
class CVCFSerialImpl : public CFlatItemSerial {
public:
    // path is UTF-8. A file that cannot be opened is silently left alone.
    bool SaveFile(const char* path) const;
};
