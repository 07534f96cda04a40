#pragma once

#include <QMetaType>

struct PhotoRecord;

// One shown photo: its place in the record array it came from and the record itself.
struct indexPhoto {
    int index = 0;
    PhotoRecord* record = nullptr;
};

// The album types carried in the album signals: 2 may be renamed and deleted, 4 is the photo stream.
using IPhotoAlbumType = int;

Q_DECLARE_METATYPE(indexPhoto*)
