#include "AddressBookReader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>

#include "AppleTime.h"
#include "ReadResult.h"

namespace vexa::ios {

namespace {

constexpr std::string_view kLabelStart = "_$!<";
constexpr std::string_view kLabelEnd = ">!$_";
constexpr int64_t kSecondsPerDay = 86400;

// A column that may be missing from this database: its name, or NULL in its place.
std::string ColumnOrNull(const std::set<std::string, std::less<>>& columns, std::string_view name) {
    return columns.count(name) ? "\"" + std::string(name) + "\"" : std::string("NULL");
}

std::optional<std::string> OptionalText(const Query& row, int column) {
    if (row.IsNull(column))
        return std::nullopt;
    return row.Text(column);
}

// A number stored as a real, an integer or a numeric text (phones store birthdays as text); nothing
// for anything else.
std::optional<double> Number(const Query& row, int column) {
    if (row.IsNull(column))
        return std::nullopt;
    const std::string text = row.Text(column);
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A date as Unix seconds; 0 for none or for one no calendar holds.
int64_t UnixTime(std::optional<double> appleSeconds) {
    if (!appleSeconds || std::fabs(*appleSeconds) > 1e12)
        return 0;
    return UnixFromAppleSeconds(*appleSeconds);
}

std::unordered_map<int64_t, std::string> TextById(const ReadOnlyDatabase& database, std::string_view table,
                                                  bool& failed) {
    std::unordered_map<int64_t, std::string> values;
    if (!database.HasTable(table) || !database.Columns(table).count("value"))
        return values;
    Query query(database, "SELECT ROWID, value FROM \"" + std::string(table) + "\"");
    while (query.Next())
        values.emplace(query.Int(0), query.Text(1));
    failed = failed || query.Error() != 0;
    return values;
}

class BookReading {
public:
    BookReading(const ReadOnlyDatabase& database, AddressBook& book)
        : m_database(database)
        , m_book(book) {}

    bool People();
    bool Values();
    bool Groups();

private:
    AddressBookPerson* Person(int64_t id);
    bool AddressParts(std::unordered_map<int64_t, std::vector<std::pair<std::string, std::string>>>& parts);

    const ReadOnlyDatabase& m_database;
    AddressBook& m_book;
};

AddressBookPerson* BookReading::Person(int64_t id) {
    auto found =
        std::lower_bound(m_book.people.begin(), m_book.people.end(), id,
                         [](const AddressBookPerson& person, int64_t key) { return person.id < key; });
    return found != m_book.people.end() && found->id == id ? &*found : nullptr;
}

bool BookReading::People() {
    const auto columns = m_database.Columns("ABPerson");
    std::string sql = "SELECT ROWID";
    for (std::string_view name : {"First", "Middle", "Last", "Nickname", "Organization", "Department",
                                  "JobTitle", "Note", "Birthday", "CreationDate", "ModificationDate"})
        sql += ", " + ColumnOrNull(columns, name);
    sql += " FROM ABPerson ORDER BY ROWID";
    Query query(m_database, sql);
    while (query.Next()) {
        AddressBookPerson person;
        person.id = query.Int(0);
        person.firstName = OptionalText(query, 1);
        person.middleName = OptionalText(query, 2);
        person.lastName = OptionalText(query, 3);
        person.nickName = OptionalText(query, 4);
        person.organization = OptionalText(query, 5);
        person.department = OptionalText(query, 6);
        person.jobTitle = OptionalText(query, 7);
        person.note = OptionalText(query, 8);
        if (auto seconds = Number(query, 9))
            person.birthday = BirthdayFromAppleSeconds(*seconds);
        person.created = UnixTime(Number(query, 10));
        person.modified = UnixTime(Number(query, 11));
        m_book.people.push_back(std::move(person));
    }
    return query.Error() == 0;
}

bool BookReading::AddressParts(
    std::unordered_map<int64_t, std::vector<std::pair<std::string, std::string>>>& parts) {
    bool failed = false;
    const auto keys = TextById(m_database, "ABMultiValueEntryKey", failed);
    const auto columns = m_database.Columns("ABMultiValueEntry");
    if (failed || !columns.count("parent_id") || !columns.count("key") || !columns.count("value"))
        return !failed;
    Query query(m_database, "SELECT parent_id, key, value FROM ABMultiValueEntry ORDER BY ROWID");
    while (query.Next()) {
        auto key = keys.find(query.Int(1));
        if (key != keys.end() && !query.IsNull(2))
            parts[query.Int(0)].emplace_back(key->second, query.Text(2));
    }
    return query.Error() == 0;
}

bool BookReading::Values() {
    const auto columns = m_database.Columns("ABMultiValue");
    if (!columns.count("record_id") || !columns.count("property"))
        return true;
    bool failed = false;
    const auto labels = TextById(m_database, "ABMultiValueLabel", failed);
    std::unordered_map<int64_t, std::vector<std::pair<std::string, std::string>>> parts;
    if (failed || !AddressParts(parts))
        return false;
    // Addresses keep their parts in entries; the row's own value is empty or a one-line summary.
    Query query(m_database, "SELECT " + ColumnOrNull(columns, "UID") + ", record_id, property, " +
                                ColumnOrNull(columns, "label") + ", " + ColumnOrNull(columns, "value") +
                                " FROM ABMultiValue ORDER BY record_id, ROWID");
    while (query.Next()) {
        AddressBookPerson* person = Person(query.Int(1));
        if (!person)
            continue;
        std::string label;
        bool builtIn = false;
        if (!query.IsNull(3)) {
            auto found = labels.find(query.Int(3));
            if (found != labels.end())
                label = std::string(UnwrapAddressBookLabel(found->second, &builtIn));
        }
        const int64_t property = query.Int(2);
        if (property == kAddressBookAddress) {
            AddressBookAddress address{label, builtIn, {}, {}, {}, {}, {}};
            auto found = query.IsNull(0) ? parts.end() : parts.find(query.Int(0));
            if (found != parts.end()) {
                for (const auto& [key, value] : found->second) {
                    if (key == "Street")
                        address.street = value;
                    else if (key == "City")
                        address.city = value;
                    else if (key == "State")
                        address.region = value;
                    else if (key == "ZIP")
                        address.postalCode = value;
                    else if (key == "Country")
                        address.country = value;
                }
            } else if (!query.IsNull(4)) {
                address.street = query.Text(4);
            }
            person->addresses.push_back(std::move(address));
            continue;
        }
        std::vector<AddressBookValue>* list = property == kAddressBookPhone   ? &person->phones
                                              : property == kAddressBookEmail ? &person->emails
                                              : property == kAddressBookUrl   ? &person->urls
                                                                              : nullptr;
        if (list && !query.IsNull(4))
            list->push_back({label, builtIn, query.Text(4)});
    }
    return query.Error() == 0;
}

bool BookReading::Groups() {
    if (!m_database.HasTable("ABGroup"))
        return true;
    const auto columns = m_database.Columns("ABGroup");
    Query groups(m_database,
                 "SELECT ROWID, " + ColumnOrNull(columns, "Name") + " FROM ABGroup ORDER BY ROWID");
    std::unordered_map<int64_t, size_t> indexOf;
    while (groups.Next()) {
        indexOf.emplace(groups.Int(0), m_book.groups.size());
        m_book.groups.push_back({groups.Int(0), groups.Text(1), {}});
    }
    if (groups.Error() != 0)
        return false;
    const auto memberColumns = m_database.Columns("ABGroupMembers");
    if (!memberColumns.count("group_id") || !memberColumns.count("member_id"))
        return true;
    // Groups may hold groups too (member_type 1); only people are listed.
    const std::string people =
        memberColumns.count("member_type") ? " WHERE coalesce(member_type, 0) = 0" : "";
    Query members(m_database, "SELECT group_id, member_id FROM ABGroupMembers" + people +
                                  " ORDER BY group_id, member_id");
    while (members.Next()) {
        auto group = indexOf.find(members.Int(0));
        const int64_t member = members.Int(1);
        if (group == indexOf.end() || !Person(member))
            continue;
        auto& ids = m_book.groups[group->second].memberIds;
        if (ids.empty() || ids.back() != member)
            ids.push_back(member);
    }
    return members.Error() == 0;
}

} // namespace

int AddressBookReader::Read(const std::filesystem::path& file, AddressBook& book,
                            ReadOnlyDatabase::Mode mode) {
    book = AddressBook{};
    ReadOnlyDatabase database;
    if (int result = database.Open(file, mode); result != kReadOk)
        return result;
    if (!database.HasTable("ABPerson"))
        return kReadDamaged;
    AddressBook read;
    BookReading reading(database, read);
    if (!reading.People() || !reading.Values() || !reading.Groups())
        return kReadDamaged;
    book = std::move(read);
    return kReadOk;
}

int AddressBookReader::ReadPictures(const std::filesystem::path& imagesFile, AddressBook& book,
                                    ReadOnlyDatabase::Mode mode) {
    for (AddressBookPerson& person : book.people)
        person.picture.clear();
    ReadOnlyDatabase database;
    if (int result = database.Open(imagesFile, mode); result != kReadOk)
        return result;
    std::unordered_map<int64_t, std::string> pictures;
    // Thumbnails first, smallest to largest, so that a full-size image replaces any of them.
    const auto readTable = [&](std::string_view table, std::string_view order) {
        const auto columns = database.Columns(table);
        if (!columns.count("record_id") || !columns.count("data"))
            return true;
        Query query(database, "SELECT record_id, data FROM " + std::string(table) +
                                  " WHERE data IS NOT NULL" + std::string(order));
        while (query.Next()) {
            const std::vector<uint8_t> data = query.Blob(1);
            if (!data.empty())
                pictures[query.Int(0)].assign(data.begin(), data.end());
        }
        return query.Error() == 0;
    };
    if (!readTable("ABThumbnailImage", " ORDER BY length(data)") || !readTable("ABFullSizeImage", ""))
        return kReadDamaged;
    for (AddressBookPerson& person : book.people) {
        if (auto found = pictures.find(person.id); found != pictures.end())
            person.picture = std::move(found->second);
    }
    return kReadOk;
}

std::string_view UnwrapAddressBookLabel(std::string_view stored, bool* builtIn) {
    const bool wrapped = stored.size() > kLabelStart.size() + kLabelEnd.size() &&
                         stored.substr(0, kLabelStart.size()) == kLabelStart &&
                         stored.substr(stored.size() - kLabelEnd.size()) == kLabelEnd;
    if (builtIn)
        *builtIn = wrapped;
    if (!wrapped)
        return stored;
    return stored.substr(kLabelStart.size(), stored.size() - kLabelStart.size() - kLabelEnd.size());
}

std::string WrapAddressBookLabel(std::string_view builtInName) {
    return std::string(kLabelStart) + std::string(builtInName) + std::string(kLabelEnd);
}

std::optional<std::string> BirthdayFromAppleSeconds(double seconds) {
    // A phone may put the day at local midnight: the nearest midnight in UTC is the day meant.
    const double unix = seconds + double(kAppleEpochOffset);
    if (!std::isfinite(unix) || std::fabs(unix) > 1e13)
        return std::nullopt;
    const int64_t days = int64_t(std::floor((unix + kSecondsPerDay / 2) / kSecondsPerDay));
    int64_t year = 0;
    int64_t month = 0;
    int64_t day = 0;
    CivilFromDays(days, year, month, day);
    if (year < 1 || year > 9999)
        return std::nullopt;
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", int(year), int(month), int(day));
    return std::string(text);
}

std::optional<double> AppleSecondsFromBirthday(std::string_view date) {
    int year = 0;
    int month = 0;
    int day = 0;
    char rest = 0;
    const std::string text(date);
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &rest) != 3 || month < 1 ||
        month > 12 || day < 1 || day > 31)
        return std::nullopt;
    return double(DaysFromCivil(year, month, day) * kSecondsPerDay - kAppleEpochOffset);
}

} // namespace vexa::ios
