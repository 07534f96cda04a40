#include "Utf8Repair.h"

#include <QString>
#include <QUtf8StringView>

#include <cstring>

std::string RepairUtf8(const char* text) {
    if (!text)
        return {};
    const std::size_t length = std::strlen(text);
    if (QUtf8StringView(text, qsizetype(length)).isValidUtf8())
        return std::string(text, length);
    return QString::fromUtf8(text, qsizetype(length)).toStdString();
}
