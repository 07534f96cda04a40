#include "AddressBookNumbers.h"

#include <algorithm>

#include <sqlite3.h>

#include "../SimDevice.h"
#include "ContentIds.h"

namespace vexa::sim {

std::vector<KnownNumber> AddressBookNumbers(SimDevice& device) {
    std::vector<KnownNumber> numbers;
    auto session = device.Database().Lock();
    if (session.Result())
        return numbers;
    Statement entries(session.Handle(),
                      "SELECT e.value, trim(coalesce(c.first_name, '') || ' ' || "
                      "coalesce(c.middle_name, '') || ' ' || coalesce(c.last_name, '')), c.nick_name "
                      "FROM contact_entries e JOIN contacts c ON c.id = e.contact_id "
                      "WHERE e.kind = ? ORDER BY c.id, e.position");
    entries.Bind(1, int64_t(kPhoneEntry));
    while (entries.Step() == SQLITE_ROW) {
        std::string name = entries.Text(1);
        // A middle name alone leaves two spaces' worth of nothing around it.
        name.erase(std::unique(name.begin(), name.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
                   name.end());
        if (name.empty() && !entries.IsNull(2))
            name = entries.Text(2);
        if (!name.empty())
            numbers.push_back({entries.Text(0), std::move(name)});
    }
    return numbers;
}

} // namespace vexa::sim
