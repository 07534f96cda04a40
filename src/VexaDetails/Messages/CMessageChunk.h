#pragma once

#include <string>
#include <vector>

#include <QString>

#include "IBaseChunk.h"

// One conversation of the device: the correspondent and the messages exchanged, in device order. The
// correspondent's name is the chunk's name (empty when the device knows none).
class CMessageChunk : public IBaseChunk {
public:
    // A file sent with a message.
    struct Attachment {
        std::string name;     // the name it was sent under
        std::string mimeType; // may be empty
        std::string uti;      // may be empty
        int64_t size = 0;     // bytes, as the device recorded them
        std::string path;     // the device's path, handed back to copy the file
        // Where an export put its copy, relative to the export file; empty when none was made.
        std::string exportPath{};

        bool IsImage() const;
    };

    struct Entry {
        std::string dateTime; // as the device gives it
        std::string text;
        std::string type; // "Received" or "Send"
        std::vector<Attachment> attachments{};
    };

    static constexpr const char* kReceived = "Received";
    static constexpr const char* kSend = "Send";

    void Reset() override;
    // One "Item" with "Name" and "PhoneNumber", holding a "Contexts" item with one "Item" per message
    // ("Datetime", "Type", "Text", and in a conversation with attachments "Attachments": the exported
    // copies' paths, one a line). Messages are not deleted one by one: DeleteFromDevice stays the base's.
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
