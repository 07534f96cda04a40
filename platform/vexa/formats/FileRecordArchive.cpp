#include "FileRecordArchive.h"

#include "Plist.h"

namespace vexa::formats {

namespace {

constexpr int64_t kMobileUser = 501;

plist_t Integer(int64_t value) {
    return plist_new_uint(static_cast<uint64_t>(value));
}

int64_t IntegerOf(plist_t dict, const char* key, int64_t fallback) {
    plist_t item = Plist::Item(dict, key, PLIST_UINT);
    if (!item)
        return fallback;
    uint64_t value = 0;
    plist_get_uint_val(item, &value);
    return static_cast<int64_t>(value);
}

} // namespace

std::vector<uint8_t> FileRecordArchive::Encode(const BackupFile& file, uint64_t size) {
    plist_t record = plist_new_dict();
    plist_dict_set_item(record, "$class", plist_new_uid(3));
    plist_dict_set_item(record, "RelativePath", plist_new_uid(2));
    plist_dict_set_item(record, "Size", Integer(static_cast<int64_t>(size)));
    plist_dict_set_item(record, "Mode", Integer(file.mode));
    plist_dict_set_item(record, "LastModified", Integer(file.modified));
    plist_dict_set_item(record, "LastStatusChange", Integer(file.modified));
    plist_dict_set_item(record, "Birth", Integer(file.modified));
    plist_dict_set_item(record, "UserID", Integer(kMobileUser));
    plist_dict_set_item(record, "GroupID", Integer(kMobileUser));
    plist_dict_set_item(record, "InodeNumber", Integer(0));
    plist_dict_set_item(record, "ProtectionClass", Integer(file.IsDirectory() ? 0 : 3));
    plist_dict_set_item(record, "Flags", Integer(0));

    plist_t classes = plist_new_array();
    plist_array_append_item(classes, plist_new_string("MBFile"));
    plist_array_append_item(classes, plist_new_string("NSObject"));
    plist_t classInfo = plist_new_dict();
    plist_dict_set_item(classInfo, "$classname", plist_new_string("MBFile"));
    plist_dict_set_item(classInfo, "$classes", classes);

    plist_t objects = plist_new_array();
    plist_array_append_item(objects, plist_new_string("$null"));
    plist_array_append_item(objects, record);
    plist_array_append_item(objects, plist_new_string(file.relativePath.c_str()));
    plist_array_append_item(objects, classInfo);
    if (!file.encryptionKey.empty()) {
        // The key is an NSData object of its own, as archived key material is.
        plist_t key = plist_new_dict();
        plist_dict_set_item(key, "NS.data",
                            plist_new_data(reinterpret_cast<const char*>(file.encryptionKey.data()),
                                           file.encryptionKey.size()));
        plist_dict_set_item(key, "$class", plist_new_uid(5));
        plist_t dataClasses = plist_new_array();
        for (const char* name : {"NSMutableData", "NSData", "NSObject"})
            plist_array_append_item(dataClasses, plist_new_string(name));
        plist_t dataClass = plist_new_dict();
        plist_dict_set_item(dataClass, "$classname", plist_new_string("NSMutableData"));
        plist_dict_set_item(dataClass, "$classes", dataClasses);
        plist_array_append_item(objects, key);
        plist_array_append_item(objects, dataClass);
        plist_dict_set_item(record, "EncryptionKey", plist_new_uid(4));
    }

    PlistPtr archive(plist_new_dict());
    plist_t top = plist_new_dict();
    plist_dict_set_item(top, "root", plist_new_uid(1));
    plist_dict_set_item(archive.get(), "$version", Integer(100000));
    plist_dict_set_item(archive.get(), "$archiver", plist_new_string("NSKeyedArchiver"));
    plist_dict_set_item(archive.get(), "$top", top);
    plist_dict_set_item(archive.get(), "$objects", objects);
    return Plist::ToBinary(archive.get());
}

bool FileRecordArchive::Decode(const std::vector<uint8_t>& blob, BackupFile& file) {
    const PlistPtr archive = Plist::Parse(blob);
    plist_t root = Plist::Item(Plist::Item(archive.get(), "$top", PLIST_DICT), "root", PLIST_UID);
    plist_t objects = Plist::Item(archive.get(), "$objects", PLIST_ARRAY);
    if (!root || !objects)
        return false;
    uint64_t index = 0;
    plist_get_uid_val(root, &index);
    if (index >= plist_array_get_size(objects))
        return false;
    plist_t record = plist_array_get_item(objects, static_cast<uint32_t>(index));
    if (plist_get_node_type(record) != PLIST_DICT)
        return false;
    file.size = static_cast<uint64_t>(IntegerOf(record, "Size", 0));
    file.mode = IntegerOf(record, "Mode", file.mode);
    file.modified = IntegerOf(record, "LastModified", 0);
    file.protectionClass = static_cast<uint32_t>(IntegerOf(record, "ProtectionClass", 0));
    file.encryptionKey.clear();
    if (plist_t keyRef = Plist::Item(record, "EncryptionKey", PLIST_UID)) {
        uint64_t keyIndex = 0;
        plist_get_uid_val(keyRef, &keyIndex);
        if (keyIndex < plist_array_get_size(objects))
            file.encryptionKey =
                Plist::Data(plist_array_get_item(objects, static_cast<uint32_t>(keyIndex)), "NS.data");
    }
    return true;
}

} // namespace vexa::formats
