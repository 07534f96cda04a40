#include "formats/JpegConverter.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>

#include <libheif/heif.h>

#include "ImageCodec.h"

namespace fs = std::filesystem;

namespace vexa::formats {

namespace {

constexpr uint16_t kOrientationTag = 0x0112;
constexpr size_t kMaxSegmentPayload = 0xFFFF - 2;
const uint8_t kExifHeader[] = {'E', 'x', 'i', 'f', 0, 0};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // width * height * 3
    std::vector<uint8_t> exif; // from the TIFF header on; empty when the source has none
};

struct ContextDeleter {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleDeleter {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageDeleter {
    void operator()(heif_image* image) const { heif_image_release(image); }
};

std::string LowerExtension(const fs::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

// HEIF keeps EXIF as a 4-byte offset to the TIFF header followed by the block.
std::vector<uint8_t> HeifExif(const heif_image_handle* handle) {
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) < 1)
        return {};
    std::vector<uint8_t> block(heif_image_handle_get_metadata_size(handle, id));
    if (block.size() < 4 || heif_image_handle_get_metadata(handle, id, block.data()).code != heif_error_Ok)
        return {};
    const size_t offset = 4 + ((size_t(block[0]) << 24) | (size_t(block[1]) << 16) | (size_t(block[2]) << 8) |
                               size_t(block[3]));
    if (offset >= block.size())
        return {};
    return std::vector<uint8_t>(block.begin() + std::ptrdiff_t(offset), block.end());
}

// Decoded with the file's rotation and mirroring applied, as the phone shows it.
bool ReadHeif(const fs::path& source, Picture& picture) {
    std::unique_ptr<heif_context, ContextDeleter> context(heif_context_alloc());
    if (!context || heif_context_read_from_file(context.get(), source.c_str(), nullptr).code != heif_error_Ok)
        return false;
    heif_image_handle* rawHandle = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &rawHandle).code != heif_error_Ok)
        return false;
    std::unique_ptr<heif_image_handle, HandleDeleter> handle(rawHandle);
    heif_image* rawImage = nullptr;
    if (heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr)
            .code != heif_error_Ok)
        return false;
    std::unique_ptr<heif_image, ImageDeleter> image(rawImage);
    int stride = 0;
    const uint8_t* plane = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    picture.width = heif_image_get_width(image.get(), heif_channel_interleaved);
    picture.height = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!plane || picture.width <= 0 || picture.height <= 0)
        return false;
    const size_t row = size_t(picture.width) * 3;
    picture.rgb.resize(row * size_t(picture.height));
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(picture.rgb.data() + row * size_t(y), plane + size_t(stride) * size_t(y), row);
    picture.exif = HeifExif(handle.get());
    return true;
}

// A PNG keeps EXIF, when at all, in an eXIf chunk.
std::vector<uint8_t> PngExif(const fs::path& source) {
    std::ifstream in(source, std::ios::binary);
    char signature[8];
    if (!in.read(signature, sizeof signature))
        return {};
    uint8_t header[8];
    while (in.read(reinterpret_cast<char*>(header), sizeof header)) {
        const uint32_t length = (uint32_t(header[0]) << 24) | (uint32_t(header[1]) << 16) |
                                (uint32_t(header[2]) << 8) | header[3];
        if (std::memcmp(header + 4, "eXIf", 4) == 0) {
            std::vector<uint8_t> exif(length);
            if (!in.read(reinterpret_cast<char*>(exif.data()), std::streamsize(length)))
                return {};
            return exif;
        }
        if (std::memcmp(header + 4, "IDAT", 4) == 0 || std::memcmp(header + 4, "IEND", 4) == 0)
            return {}; // eXIf comes before the image data
        in.seekg(std::streamoff(length) + 4, std::ios::cur);
    }
    return {};
}

bool ReadOther(const fs::path& source, Picture& picture) {
    AvFramePtr frame = ImageCodec::Decode(source);
    if (!frame)
        return false;
    AvFramePtr rgb = ImageCodec::Convert(frame.get(), frame->width, frame->height, AV_PIX_FMT_RGB24);
    if (!rgb)
        return false;
    picture.width = rgb->width;
    picture.height = rgb->height;
    const size_t row = size_t(picture.width) * 3;
    picture.rgb.resize(row * size_t(picture.height));
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(picture.rgb.data() + row * size_t(y), rgb->data[0] + size_t(rgb->linesize[0]) * size_t(y),
                    row);
    if (LowerExtension(source) == ".png")
        picture.exif = PngExif(source);
    return true;
}

uint16_t Read16(const std::vector<uint8_t>& data, size_t at, bool bigEndian) {
    return bigEndian ? uint16_t((data[at] << 8) | data[at + 1]) : uint16_t(data[at] | (data[at + 1] << 8));
}

uint32_t Read32(const std::vector<uint8_t>& data, size_t at, bool bigEndian) {
    return bigEndian ? (uint32_t(Read16(data, at, true)) << 16) | Read16(data, at + 2, true)
                     : Read16(data, at, false) | (uint32_t(Read16(data, at + 2, false)) << 16);
}

} // namespace

bool JpegConverter::Converts(const fs::path& source) {
    const std::string extension = LowerExtension(source);
    return extension == ".heic" || extension == ".heif" || extension == ".png";
}

bool JpegConverter::ResetOrientation(std::vector<uint8_t>& tiff) {
    if (tiff.size() < 8 || !((tiff[0] == 'I' && tiff[1] == 'I') || (tiff[0] == 'M' && tiff[1] == 'M')))
        return false;
    const bool bigEndian = tiff[0] == 'M';
    if (Read16(tiff, 2, bigEndian) != 42)
        return false;
    const size_t ifd = Read32(tiff, 4, bigEndian);
    if (ifd + 2 > tiff.size())
        return false;
    const size_t count = Read16(tiff, ifd, bigEndian);
    for (size_t i = 0; i < count && ifd + 2 + (i + 1) * 12 <= tiff.size(); ++i) {
        const size_t entry = ifd + 2 + i * 12;
        if (Read16(tiff, entry, bigEndian) != kOrientationTag)
            continue;
        // A SHORT with a count of one sits in the first two bytes of the value field.
        const size_t value = entry + 8;
        tiff[value] = bigEndian ? 0 : 1;
        tiff[value + 1] = bigEndian ? 1 : 0;
        return true;
    }
    return true;
}

bool JpegConverter::InsertExif(std::vector<uint8_t>& jpeg, const std::vector<uint8_t>& tiff) {
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8)
        return false;
    const size_t payload = sizeof kExifHeader + tiff.size();
    if (payload > kMaxSegmentPayload)
        return false;
    size_t at = 2;
    if (jpeg[2] == 0xFF && jpeg[3] == 0xE0 && jpeg.size() >= 6)
        at = 4 + ((size_t(jpeg[4]) << 8) | jpeg[5]);
    if (at > jpeg.size())
        return false;
    std::vector<uint8_t> segment = {0xFF, 0xE1, uint8_t((payload + 2) >> 8), uint8_t((payload + 2) & 0xFF)};
    segment.insert(segment.end(), std::begin(kExifHeader), std::end(kExifHeader));
    segment.insert(segment.end(), tiff.begin(), tiff.end());
    jpeg.insert(jpeg.begin() + std::ptrdiff_t(at), segment.begin(), segment.end());
    return true;
}

bool JpegConverter::Convert(const fs::path& source, const fs::path& target) {
    Picture picture;
    const std::string extension = LowerExtension(source);
    const bool read =
        extension == ".heic" || extension == ".heif" ? ReadHeif(source, picture) : ReadOther(source, picture);
    std::vector<uint8_t> jpeg;
    if (!read || !ImageCodec::EncodeRgb(picture.rgb, picture.width, picture.height, AV_CODEC_ID_MJPEG, jpeg))
        return false;
    // EXIF that cannot be read as TIFF, or is too large for a segment, is left out rather than copied
    // with an orientation that no longer fits the pixels.
    if (!picture.exif.empty() && ResetOrientation(picture.exif))
        InsertExif(jpeg, picture.exif);
    {
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(jpeg.data()), std::streamsize(jpeg.size()));
        if (out.good())
            return true;
    }
    std::error_code ignored;
    fs::remove(target, ignored);
    return false;
}

} // namespace vexa::formats
