#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// One album as the album page shows it, copied out of the library's record on the worker thread.
struct CAlbumInfo {
    QByteArray id;
    QString name;
    int photoCount = 0;
    int type = 0;
    QImage cover; // null when the album is empty or the cover could not be read
};
