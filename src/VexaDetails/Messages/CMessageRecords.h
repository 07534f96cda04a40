#pragma once

#include <list>

#include <vexa/VexaRecords.h>

class IBaseChunk;

// Turns the device's conversation list into conversation records. No widget, no device call: the
// loading thread uses it, and tests feed it hand-made lists.
namespace MessageRecords {

// One CMessageChunk per conversation, in list order; the caller owns them. Null texts become empty,
// a direction byte of 0 is "Received" and any other value "Send".
std::list<IBaseChunk*> BuildChunks(const ConversationList& list);

} // namespace MessageRecords
