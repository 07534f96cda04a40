#include "CMessageRecords.h"

#include "CMessageChunk.h"

namespace {

const char* OrEmpty(const char* text) {
    return text ? text : "";
}

} // namespace

std::list<IBaseChunk*> MessageRecords::BuildChunks(const ConversationList& list) {
    std::list<IBaseChunk*> chunks;
    if (list.count <= 0 || !list.conversations)
        return chunks;
    for (int32_t c = 0; c < list.count; ++c) {
        const ConversationRecord& record = list.conversations[c];
        auto* chunk = new CMessageChunk;
        if (record.messageCount > 0 && record.messages) {
            chunk->messages.reserve(size_t(record.messageCount));
            for (int32_t m = 0; m < record.messageCount; ++m) {
                const MessageRecord& message = record.messages[m];
                chunk->messages.push_back(
                    {OrEmpty(message.dateTime), OrEmpty(message.text),
                     message.direction == 0 ? CMessageChunk::kReceived : CMessageChunk::kSend});
                for (int32_t a = 0; message.attachments && a < message.attachmentCount; ++a) {
                    const MessageAttachmentRecord& file = message.attachments[a];
                    chunk->messages.back().attachments.push_back({OrEmpty(file.fileName),
                                                                  OrEmpty(file.mimeType), OrEmpty(file.uti),
                                                                  file.size, OrEmpty(file.path)});
                }
            }
        }
        chunk->SetName(OrEmpty(record.name));
        chunk->number = OrEmpty(record.address);
        chunk->UpdateTexts();
        chunks.push_back(chunk);
    }
    return chunks;
}
