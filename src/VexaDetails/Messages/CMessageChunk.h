#pragma once

#include <string>
#include <vector>

#include <QString>

#include "IBaseChunk.h"

// One conversation of the device: the correspondent and the messages exchanged, in device order. The
// correspondent's name is the chunk's name (empty when the device knows none).
class CMessageChunk : public IBaseChunk {
public:
    struct Entry {
        std::string dateTime; // as the device gives it
        std::string text;
        std::string type; // "Received" or "Send"
    };

    static constexpr const char* kReceived = "Received";
    static constexpr const char* kSend = "Send";

    void Reset() override;
    // One "Item" with "Name" and "PhoneNumber", holding a "Contexts" item with one "Item" per message
    // ("Datetime", "Type", "Text"). Messages are not deleted one by one: DeleteFromDevice stays the base's.
    void Serialize(IBaseSerial* writer) override;

    // Rebuilds the table texts from the name and the number; call after changing them.
    void UpdateTexts();
    bool IsIncoming(const Entry& entry) const { return entry.type == kReceived; }

    // What the table shows, kept ready: sorting and searching ask for them many times a row.
    QString nameText;
    QString numberText;

    std::string number;
    std::vector<Entry> messages;
};
