#include "ForeignImage.h"

#include <QBuffer>
#include <QImageReader>

namespace ForeignImage {

namespace {

constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";
constexpr qsizetype kSignatureLength = 8;
constexpr qsizetype kChunkFrame = 12; // length, type and CRC around the data

quint32 BigEndian32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return quint32(b[0]) << 24 | quint32(b[1]) << 16 | quint32(b[2]) << 8 | quint32(b[3]);
}

} // namespace

bool HasOverlongPngChunk(const QByteArray& bytes) {
    if (!bytes.startsWith(QByteArray::fromRawData(kPngSignature, kSignatureLength)))
        return false;
    qsizetype at = kSignatureLength;
    while (bytes.size() - at >= 8) {
        const qsizetype length = BigEndian32(bytes.constData() + at);
        if (length > bytes.size() - at - kChunkFrame)
            return true;
        if (bytes.mid(at + 4, 4) == "IEND")
            return false;
        at += kChunkFrame + length;
    }
    return false;
}

QImage Decode(const QByteArray& bytes, int largestSide, int shownSide, const char* format) {
    if (bytes.isEmpty() || HasOverlongPngChunk(bytes))
        return {};
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > largestSide || size.height() > largestSide)
        return {};
    if (size.width() > shownSide || size.height() > shownSide)
        reader.setScaledSize(size.scaled(shownSide, shownSide, Qt::KeepAspectRatio));
    return reader.read();
}

} // namespace ForeignImage
