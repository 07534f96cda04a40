// The EXIF block of a converted picture (from its TIFF header on): its orientation entry set to 1 and
// the block put into a JPEG. Neither may read or write outside the block, change its size, or leave an
// orientation entry of IFD0 at anything but 1.
#include <cstring>
#include <vector>

#include "FuzzRegistry.h"
#include "formats/JpegConverter.h"

namespace {

size_t Read(const std::vector<uint8_t>& data, size_t at, size_t bytes, bool bigEndian) {
    size_t value = 0;
    for (size_t i = 0; i < bytes; ++i)
        value |= size_t(data[at + i]) << (8 * (bigEndian ? bytes - 1 - i : i));
    return value;
}

} // namespace

VEXA_FUZZ_TARGET(exif_orientation) {
    using vexa::formats::JpegConverter;
    std::vector<uint8_t> tiff(data, data + size);
    if (!JpegConverter::ResetOrientation(tiff)) {
        if (tiff.size() != size || (size > 0 && std::memcmp(tiff.data(), data, size) != 0))
            fuzz::Fail("a block that is not TIFF was changed");
        return 0;
    }
    if (tiff.size() != size)
        fuzz::Fail("the orientation rewrite changed the block's size");
    const bool bigEndian = tiff[0] == 'M';
    const size_t ifd = Read(tiff, 4, 4, bigEndian);
    if (ifd + 2 <= tiff.size()) {
        const size_t count = Read(tiff, ifd, 2, bigEndian);
        for (size_t i = 0; i < count && ifd + 2 + (i + 1) * 12 <= tiff.size(); ++i) {
            const size_t entry = ifd + 2 + i * 12;
            if (Read(tiff, entry, 2, bigEndian) != 0x0112)
                continue;
            if (Read(tiff, entry + 8, 2, bigEndian) != 1)
                fuzz::Fail("the orientation entry is not 1 after the rewrite");
            break;
        }
    }
    // The smallest JPEG there is: SOI, EOI.
    std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xD9};
    if (JpegConverter::InsertExif(jpeg, tiff)) {
        const size_t length = (size_t(jpeg[4]) << 8) | jpeg[5];
        if (jpeg[2] != 0xFF || jpeg[3] != 0xE1 || 2 + 2 + length + 2 != jpeg.size())
            fuzz::Fail("the EXIF segment's length does not match what was put in");
    }
    return 0;
}
