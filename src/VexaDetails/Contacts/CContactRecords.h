#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

#include <QStringList>

#include <vexa/VexaRecords.h>

class CContactChunk;
class IBaseChunk;
class IVexaManager;

// What the contact editor yields. Each kind of entry is keyed by its label, so one value per label
// survives and the entries come out in ascending label order.
struct ContactFormData {
    std::string firstName;
    std::string lastName;
    std::string nickName;
    std::string group;
    std::string note;
    std::string picture; // JPEG bytes; empty for none
    std::map<std::string, std::string> phones;
    std::map<std::string, std::string> emails;
};

// Turning the device's contact list into records and records back into what the device saves.
// Widget-free, so the loading thread and the tests use it directly.
namespace ContactRecords {

// The non-empty name parts in the order first, middle, last, joined by single spaces.
std::string DisplayName(const char* first, const char* middle, const char* last);

// One chunk per listed record that has an id, in list order (the caller owns them), and the names
// of all groups in list order. Group membership is by exact id text.
std::list<IBaseChunk*> BuildChunks(const ContactList& list, IVexaManager* manager, QStringList* groupNames);

// Sets every chunk's name and number ranks: its place in the natural order of the list's texts, equal
// texts sharing one. The chunks must be CContactChunks.
void RankChunks(const std::list<IBaseChunk*>& chunks);

// Copies the editor's fields into `chunk`; its display name becomes "first last" (the last name only
// when there is one). Id, groups, check mark and the fields the editor does not show are left alone.
void ApplyForm(const ContactFormData& form, CContactChunk& chunk);

} // namespace ContactRecords

// The record SaveContact takes, built from a chunk with every field it keeps but the middle name (the
// device keeps that one). Its texts point into the chunk, which must stay unchanged while the record is
// in use. Empty texts are left out (null).
class CContactSaveRecord {
public:
    // withId false builds the record of a new contact.
    CContactSaveRecord(const CContactChunk& chunk, bool withId);

    CContactSaveRecord(const CContactSaveRecord&) = delete;
    CContactSaveRecord& operator=(const CContactSaveRecord&) = delete;

    ContactRecord* Record() { return &m_record; }

private:
    std::string m_id;
    ContactRecord m_record{};
    std::vector<ContactEntry> m_phones;
    std::vector<ContactEntry> m_emails;
    std::vector<ContactEntry> m_urls;
    std::vector<ContactAddress> m_addresses;
};
