#include "ContactGroupNames.h"

#include <QCoreApplication>

namespace {

const char* const kContext = "ContactGroupNames";
const char* const kBuiltInGroups[] = {
    QT_TRANSLATE_NOOP("ContactGroupNames", "Friend"),
    QT_TRANSLATE_NOOP("ContactGroupNames", "Family"),
    QT_TRANSLATE_NOOP("ContactGroupNames", "Ungrouped"),
    QT_TRANSLATE_NOOP("ContactGroupNames", "Classmate"),
};

} // namespace

QString DisplayGroupName(const QString& deviceName) {
    for (const char* name : kBuiltInGroups)
        if (deviceName == QLatin1String(name))
            return QCoreApplication::translate(kContext, name);
    return deviceName;
}

bool IsBuiltInGroup(const QString& deviceName) {
    for (const char* name : kBuiltInGroups)
        if (deviceName == QLatin1String(name))
            return true;
    return false;
}
