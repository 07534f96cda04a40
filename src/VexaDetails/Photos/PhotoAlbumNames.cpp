#include "PhotoAlbumNames.h"

#include <QCoreApplication>

namespace {

const char* const kContext = "PhotoAlbumNames";
// The device spells its library "Photo Libary"; the English catalogue shows it spelt right.
const char* const kBuiltInAlbums[] = {
    // clang-format off
    QT_TRANSLATE_NOOP("PhotoAlbumNames", "Camera Roll"),
    QT_TRANSLATE_NOOP("PhotoAlbumNames", "Photo Libary"),
    QT_TRANSLATE_NOOP("PhotoAlbumNames", "Favorites"),
    QT_TRANSLATE_NOOP("PhotoAlbumNames", "Videos"),
    QT_TRANSLATE_NOOP("PhotoAlbumNames", "Live Photos"),
    QT_TRANSLATE_NOOP("PhotoAlbumNames", "Screenshots"),
    // clang-format on
};

} // namespace

QString DisplayAlbumName(const QString& deviceName) {
    for (const char* name : kBuiltInAlbums)
        if (deviceName == QLatin1String(name))
            return QCoreApplication::translate(kContext, name);
    return deviceName;
}

bool IsBuiltInAlbum(const QString& deviceName) {
    for (const char* name : kBuiltInAlbums)
        if (deviceName == QLatin1String(name))
            return true;
    return false;
}
