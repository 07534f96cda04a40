#pragma once

#include "CFlatItemSerial.h"

// Writes records as plain UTF-8 text: one line of "name: value; " pairs per item, then an empty
// line. Nesting and item names are not kept.
class CTextSerialImpl : public CFlatItemSerial {
public:
    // path is UTF-8. A file that cannot be opened is silently left alone.
    bool SaveFile(const char* path) const;
};
