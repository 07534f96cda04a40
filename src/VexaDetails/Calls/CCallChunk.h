#pragma once

#include <cstdint>
#include <list>
#include <string>

#include <QString>

#include <vexa/VexaRecords.h>

#include "IBaseChunk.h"

// One call of the device's call history. The contact's name, when the address book knows the number,
// is the chunk's name. Calls are only read: nothing deletes them from the device.
class CCallChunk : public IBaseChunk {
public:
    // One CCallChunk per record, in list order; the caller owns them. A null address or name is empty.
    static std::list<IBaseChunk*> BuildChunks(const CallHistoryList& list);

    // "m:ss" under an hour, "h:mm:ss" from an hour on; fractions of a second are dropped.
    static QString DurationText(double seconds);
    // The call's start in local time, as exports write it: "yyyy-MM-dd hh:mm:ss".
    static QString DateTimeText(int64_t unixTime);

    enum class Outcome { Answered, NotAnswered, Missed };
    // An incoming call nobody took was missed; an outgoing one nobody took was not answered.
    Outcome CallOutcome() const;

    bool CanDelete() const override { return false; }
    // One "Item" with "Name", "PhoneNumber", "Datetime", "Duration", "Seconds", "Direction", "Answered"
    // and "Type", in English whatever the program's language, so that an export reads the same anywhere.
    void Serialize(IBaseSerial* writer) override;

    // What the first column shows and the search looks at.
    QString NameOrNumber() const;

    std::string address;
    int64_t unixTime = 0;
    double durationSeconds = 0;
    bool outgoing = false;
    bool answered = false;
    int kind = CALL_PHONE;
};
