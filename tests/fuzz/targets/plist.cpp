// Any plist a device or a backup hands us, binary or XML, and the accessors every reader uses on it.
#include "formats/Plist.h"

#include "FuzzRegistry.h"

using vexa::formats::Plist;
using vexa::formats::PlistPtr;

namespace {

void visitDictionary(plist_t dict) {
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(dict, &iterator);
    char* key = nullptr;
    plist_t value = nullptr;
    for (plist_dict_next_item(dict, iterator, &key, &value); key;
         plist_dict_next_item(dict, iterator, &key, &value)) {
        Plist::String(dict, key);
        Plist::Bool(dict, key);
        Plist::Unsigned(dict, key);
        Plist::Data(dict, key);
        if (plist_get_node_type(value) == PLIST_DATE)
            Plist::IsoTime(Plist::UnixTime(value));
        free(key);
        key = nullptr;
    }
    free(iterator);
}

} // namespace

VEXA_FUZZ_TARGET(plist) {
    const PlistPtr root = Plist::Parse(std::vector<uint8_t>(data, data + size));
    int64_t unixTime = 0;
    Plist::ParseIsoTime(std::string(reinterpret_cast<const char*>(data), size), unixTime);
    if (!root)
        return 0;
    if (plist_get_node_type(root.get()) == PLIST_DICT)
        visitDictionary(root.get());
    // Only for the memory checks: libplist writes keys with invalid UTF-8 into binary plists it cannot
    // read back, so a round trip is no promise (and the program never writes back a plist it read).
    Plist::ToBinary(root.get());
    Plist::ToXml(root.get());
    return 0;
}
