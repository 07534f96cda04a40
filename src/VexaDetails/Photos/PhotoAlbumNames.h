#pragma once

#include <QString>

// The device keeps two photo albums of its own under fixed English names. They are shown in the
// current language; albums the user made, and every operation on the device, use the names as they are.
QString DisplayAlbumName(const QString& deviceName);
// True for the albums the device keeps for itself, which cannot be renamed or deleted.
bool IsBuiltInAlbum(const QString& deviceName);
