#pragma once

#include "CRecordTableSerial.h"

#include <string>

// Writes records as one self-contained UTF-8 web page: the category as its title, records in tables
// with a header row of the field names, and an item that holds records of its own (a conversation
// holding its messages) as a heading of its values above their table. All text is escaped; line
// breaks inside a value are kept.
class CHtmlSerialImpl : public CRecordTableSerial {
public:
    // path is UTF-8.
    bool SaveFile(const char* path) const;

private:
    void writeChildren(const Node& node, int level, std::string& page) const;
    static void writeTable(const Table& table, std::string& page);
};
