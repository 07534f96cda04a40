#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ReadOnlyDatabase.h"

namespace vexa::ios {

// A file sent with a message, as sms.db lists it. `fileName` is the phone's path
// ("~/Library/SMS/Attachments/ab/11/<GUID>/IMG_0001.HEIC"); in a backup it sits in MediaDomain.
struct MessageAttachment {
    std::string fileName;
    std::string mimeType;
    std::string transferName; // the name it was sent under
    int64_t totalBytes = 0;
    std::string uti; // "public.jpeg"
};

struct ChatMessage {
    int64_t rowId = 0;
    std::string guid;
    // The text with the attachments' U+FFFC marks taken out; from attributedBody when the text column
    // is empty, as on iOS 16 and later.
    std::string text;
    bool textFromBody = false;
    bool hasDate = false;
    int64_t unixTime = 0; // seconds since 1970, UTC
    bool fromMe = false;
    bool read = false;
    std::string sender;  // the handle's number or address; empty for own messages and unknown handles
    std::string service; // "iMessage", "SMS", ...
    std::vector<MessageAttachment> attachments;
};

// A tapback on a message: kept apart so that it is never listed as a message of its own.
struct MessageReaction {
    int type = 0;           // 2000-2007 added (love, like, dislike, laugh, emphasis, question, ...),
                            // 3000-3007 the same taken back
    std::string targetGuid; // "p:0/<guid>" or "bp:<guid>" as stored
    bool fromMe = false;
};

struct ChatConversation {
    int64_t rowId = 0;
    std::string identifier;                // chat_identifier: the number or address, or a group's chat name
    std::string displayName;               // a group's name; empty when the phone shows a contact's name
    bool group = false;                    // style 43
    std::vector<std::string> participants; // handle ids, in the order they joined
    std::vector<ChatMessage> messages;     // in the order they were stored
    std::vector<MessageReaction> reactions;
};

// Reads a phone's message database (Library/SMS/sms.db). Only message, chat and chat_message_join are
// required; handles, attachments and every column but ROWID are optional and read as empty when missing.
// Read answers a ReadResult and, unless kReadOk, leaves `conversations` empty.
class MessageDatabaseReader {
public:
    int Read(const std::filesystem::path& file, std::vector<ChatConversation>& conversations,
             ReadOnlyDatabase::Mode mode = ReadOnlyDatabase::Mode::Copy);

    // Where an attachment's file lies below the phone's home folder ("Library/SMS/Attachments/..."),
    // from its `fileName` as the database keeps it ("~/Library/..." or "/var/mobile/Library/...").
    // Empty for a name outside the attachments folder or one that climbs out of it.
    static std::string AttachmentHomePath(const std::string& fileName);

    // Message rows that are tapbacks rather than messages.
    static bool IsReaction(int64_t associatedMessageType) {
        return associatedMessageType >= 2000 && associatedMessageType < 4000;
    }
};

} // namespace vexa::ios
