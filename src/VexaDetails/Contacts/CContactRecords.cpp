#include "CContactRecords.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "CContactChunk.h"
#include "CNaturalOrder.h"

namespace {

bool HasText(const char* text) {
    return text && *text;
}

std::string TextOf(const char* text) {
    return text ? std::string(text) : std::string();
}

std::vector<CContactChunk::Entry> EntriesOf(const ContactEntry* entries, int32_t count) {
    std::vector<CContactChunk::Entry> out;
    if (!entries || count <= 0)
        return out;
    out.reserve(size_t(count));
    for (int32_t i = 0; i < count; ++i)
        out.emplace_back(TextOf(entries[i].label), TextOf(entries[i].value));
    return out;
}

// Member id -> names of the groups that list it, in group order. One pass over the groups instead of
// one per contact keeps large address books fast.
std::unordered_map<std::string_view, std::vector<std::string_view>> GroupsByMember(const ContactList& list) {
    std::unordered_map<std::string_view, std::vector<std::string_view>> byMember;
    if (!list.groups)
        return byMember;
    for (int32_t g = 0; g < list.groupCount; ++g) {
        const ContactGroupRecord& group = list.groups[g];
        if (!group.name || !group.memberIds)
            continue;
        for (int32_t m = 0; m < group.memberCount; ++m) {
            if (group.memberIds[m])
                byMember[group.memberIds[m]].push_back(group.name);
        }
    }
    return byMember;
}

std::vector<CContactChunk::Address> AddressesOf(const ContactAddress* addresses, int32_t count) {
    std::vector<CContactChunk::Address> out;
    for (int32_t i = 0; addresses && i < count; ++i) {
        const ContactAddress& a = addresses[i];
        out.push_back({TextOf(a.label), TextOf(a.street), TextOf(a.city), TextOf(a.region),
                       TextOf(a.postalCode), TextOf(a.country)});
    }
    return out;
}

std::vector<ContactEntry> RecordEntries(const std::vector<CContactChunk::Entry>& entries) {
    std::vector<ContactEntry> out;
    out.reserve(entries.size());
    for (const auto& [label, value] : entries)
        out.push_back({0, label.c_str(), value.c_str()});
    return out;
}

const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

std::vector<ContactAddress> RecordAddresses(const std::vector<CContactChunk::Address>& addresses) {
    std::vector<ContactAddress> out;
    out.reserve(addresses.size());
    for (const CContactChunk::Address& a : addresses)
        out.push_back({OrNull(a.label), OrNull(a.street), OrNull(a.city), OrNull(a.region),
                       OrNull(a.postalCode), OrNull(a.country)});
    return out;
}

// Gives each contact's text (through `text`) its place in the natural order; equal texts share one.
template <typename Text, typename Rank>
void RankBy(std::vector<CContactChunk*> contacts, Text text, Rank rank) {
    std::sort(contacts.begin(), contacts.end(), [&](const CContactChunk* a, const CContactChunk* b) {
        return CNaturalOrder::Less(text(a), text(b));
    });
    int place = -1;
    for (size_t i = 0; i < contacts.size(); ++i) {
        if (i == 0 || text(contacts[i - 1]) != text(contacts[i]))
            ++place;
        rank(contacts[i]) = place;
    }
}

} // namespace

namespace ContactRecords {

std::string DisplayName(const char* first, const char* middle, const char* last) {
    std::string name;
    for (const char* part : {first, middle, last}) {
        if (!HasText(part))
            continue;
        if (!name.empty())
            name += ' ';
        name += part;
    }
    return name;
}

std::list<IBaseChunk*> BuildChunks(const ContactList& list, IVexaManager* manager, QStringList* groupNames) {
    if (groupNames) {
        groupNames->clear();
        for (int32_t g = 0; list.groups && g < list.groupCount; ++g)
            groupNames->append(QString::fromUtf8(TextOf(list.groups[g].name)));
    }
    const auto groupsByMember = GroupsByMember(list);
    std::list<IBaseChunk*> chunks;
    for (int32_t i = 0; list.records && i < list.recordCount; ++i) {
        const ContactRecord& record = list.records[i];
        if (!record.id)
            continue;
        auto* chunk = new CContactChunk(manager);
        chunk->SetId(record.id);
        chunk->firstName = TextOf(record.firstName);
        chunk->middleName = TextOf(record.middleName);
        chunk->lastName = TextOf(record.lastName);
        chunk->nickName = TextOf(record.nickName);
        chunk->note = TextOf(record.note);
        chunk->displayName = DisplayName(record.firstName, record.middleName, record.lastName);
        chunk->SetName(chunk->displayName);
        chunk->phones = EntriesOf(record.phones, record.phoneCount);
        chunk->secondList = EntriesOf(record.secondList, record.secondCount);
        if (record.picture && record.pictureSize > 0)
            chunk->picture.assign(reinterpret_cast<const char*>(record.picture), size_t(record.pictureSize));
        chunk->organization = TextOf(record.organization);
        chunk->department = TextOf(record.department);
        chunk->jobTitle = TextOf(record.jobTitle);
        chunk->birthday = TextOf(record.birthday);
        chunk->addresses = AddressesOf(record.addresses, record.addressCount);
        chunk->urls = EntriesOf(record.urls, record.urlCount);
        if (auto found = groupsByMember.find(record.id); found != groupsByMember.end()) {
            for (std::string_view group : found->second) {
                if (!chunk->groups.empty())
                    chunk->groups += ' ';
                chunk->groups += group;
                chunk->groupNames.emplace_back(group);
            }
        }
        chunk->UpdateTexts();
        chunks.push_back(chunk);
    }
    return chunks;
}

void RankChunks(const std::list<IBaseChunk*>& chunks) {
    std::vector<CContactChunk*> contacts;
    contacts.reserve(chunks.size());
    for (IBaseChunk* chunk : chunks)
        contacts.push_back(static_cast<CContactChunk*>(chunk));
    RankBy(
        contacts, [](const CContactChunk* c) -> const QString& { return c->nameText; },
        [](CContactChunk* c) -> int& { return c->nameRank; });
    RankBy(
        contacts, [](const CContactChunk* c) -> const QString& { return c->numbersText; },
        [](CContactChunk* c) -> int& { return c->numbersRank; });
}

void ApplyForm(const ContactFormData& form, CContactChunk& chunk) {
    chunk.firstName = form.firstName;
    chunk.lastName = form.lastName;
    chunk.nickName = form.nickName;
    chunk.note = form.note;
    chunk.picture = form.picture;
    chunk.phones.assign(form.phones.begin(), form.phones.end());
    chunk.secondList.assign(form.emails.begin(), form.emails.end());
    chunk.displayName = form.firstName;
    if (!form.lastName.empty())
        chunk.displayName += ' ' + form.lastName;
    chunk.SetName(chunk.displayName);
    chunk.UpdateTexts();
}

} // namespace ContactRecords

CContactSaveRecord::CContactSaveRecord(const CContactChunk& chunk, bool withId)
    : m_phones(RecordEntries(chunk.phones))
    , m_emails(RecordEntries(chunk.secondList))
    , m_urls(RecordEntries(chunk.urls))
    , m_addresses(RecordAddresses(chunk.addresses)) {
    // The id string lives in the chunk only as a copy handed out by GetId(), so keep our own.
    if (withId)
        m_id = chunk.GetId();
    m_record.id = withId ? m_id.c_str() : nullptr;
    m_record.firstName = OrNull(chunk.firstName);
    m_record.lastName = OrNull(chunk.lastName);
    m_record.nickName = OrNull(chunk.nickName);
    m_record.note = OrNull(chunk.note);
    m_record.picture =
        chunk.picture.empty() ? nullptr : reinterpret_cast<const uint8_t*>(chunk.picture.data());
    m_record.pictureSize = int32_t(chunk.picture.size());
    m_record.phoneCount = int32_t(m_phones.size());
    m_record.phones = m_phones.empty() ? nullptr : m_phones.data();
    m_record.secondCount = int32_t(m_emails.size());
    m_record.secondList = m_emails.empty() ? nullptr : m_emails.data();
    m_record.organization = OrNull(chunk.organization);
    m_record.department = OrNull(chunk.department);
    m_record.jobTitle = OrNull(chunk.jobTitle);
    m_record.birthday = OrNull(chunk.birthday);
    m_record.urlCount = int32_t(m_urls.size());
    m_record.urls = m_urls.empty() ? nullptr : m_urls.data();
    m_record.addressCount = int32_t(m_addresses.size());
    m_record.addresses = m_addresses.empty() ? nullptr : m_addresses.data();
}
