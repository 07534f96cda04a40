#pragma once

#include <QString>

// The device keeps a few contact groups of its own under fixed English names. They are shown in the
// current language; groups the user made, and every operation on the device, use the names as they are.
QString DisplayGroupName(const QString& deviceName);
// True for the groups the device keeps for itself, which cannot be renamed or deleted.
bool IsBuiltInGroup(const QString& deviceName);
