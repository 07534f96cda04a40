#pragma once

#include <QByteArray>
#include <QImage>

// Pictures that arrive from a device or a package: icons, thumbnails, album covers. They are decoded
// only when their framing is sound and their size bounded, and come back no larger than the view
// draws them.
namespace ForeignImage {

// Device pictures beyond this are taken as damaged: no thumbnail or cover is drawn that large.
constexpr int kLargestPictureSide = 8192;

// libpng allocates the length a chunk claims before it finds the bytes missing, so a few hundred
// bytes can ask for 2 GB. True when some chunk claims more than the buffer holds.
bool HasOverlongPngChunk(const QByteArray& bytes);

// A null image when the bytes are no picture, are damaged, or have a side over largestSide;
// otherwise the picture, scaled down to fit shownSide when it is larger.
QImage Decode(const QByteArray& bytes, int largestSide, int shownSide, const char* format = nullptr);

} // namespace ForeignImage
