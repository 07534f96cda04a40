#include "PlistValue.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include <QByteArray>

namespace vexa::usb {

bool PlistToText(plist_t node, std::string& text) {
    if (node == nullptr) {
        return false;
    }
    switch (plist_get_node_type(node)) {
    case PLIST_STRING: {
        char* value = nullptr;
        plist_get_string_val(node, &value);
        text = value != nullptr ? value : "";
        std::free(value);
        return true;
    }
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        text = value != 0 ? "true" : "false";
        return true;
    }
    case PLIST_UINT: {
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        // Signed values (a time zone offset) arrive as their two's complement.
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%" PRId64, static_cast<int64_t>(value));
        text = buffer;
        return true;
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        text = buffer;
        return true;
    }
    case PLIST_DATA: {
        char* value = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &value, &length);
        text = QByteArray(value, static_cast<qsizetype>(length)).toBase64().toStdString();
        std::free(value);
        return true;
    }
    case PLIST_ARRAY: {
        text.clear();
        for (uint32_t i = 0; i < plist_array_get_size(node); ++i) {
            std::string item;
            PlistToText(plist_array_get_item(node, i), item);
            text += (i == 0 ? "" : ",") + item;
        }
        return true;
    }
    default:
        return false;
    }
}

std::string PlistString(plist_t dictionary, const char* key) {
    std::string text;
    if (dictionary != nullptr && plist_get_node_type(dictionary) == PLIST_DICT) {
        PlistToText(plist_dict_get_item(dictionary, key), text);
    }
    return text;
}

std::string PlistData(plist_t dictionary, const char* key) {
    plist_t node = dictionary != nullptr ? plist_dict_get_item(dictionary, key) : nullptr;
    if (node == nullptr || plist_get_node_type(node) != PLIST_DATA) {
        return {};
    }
    char* bytes = nullptr;
    uint64_t length = 0;
    plist_get_data_val(node, &bytes, &length);
    std::string data(bytes != nullptr ? bytes : "", bytes != nullptr ? length : 0);
    std::free(bytes);
    return data;
}

uint64_t PlistUnsigned(plist_t dictionary, const char* key, uint64_t fallback) {
    if (dictionary == nullptr || plist_get_node_type(dictionary) != PLIST_DICT) {
        return fallback;
    }
    plist_t node = plist_dict_get_item(dictionary, key);
    if (node == nullptr) {
        return fallback;
    }
    if (plist_get_node_type(node) == PLIST_UINT) {
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        return value;
    }
    if (plist_get_node_type(node) == PLIST_REAL) {
        double value = 0;
        plist_get_real_val(node, &value);
        return value < 0 ? fallback : static_cast<uint64_t>(value);
    }
    return fallback;
}

} // namespace vexa::usb
