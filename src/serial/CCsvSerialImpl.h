#pragma once

#include "CRecordTableSerial.h"

// Writes records as comma-separated values (RFC 4180): UTF-8 with a byte order mark so spreadsheet
// programs take it as UTF-8, one header row of the field names, one row a record, CRLF line ends; a
// value with a comma, a quote or a line break is quoted, its quotes doubled.
class CCsvSerialImpl : public CRecordTableSerial {
public:
    // path is UTF-8.
    bool SaveFile(const char* path) const;
};
