#include "formats/HeicFile.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include <QtGlobal>

#include <libheif/heif.h>

namespace vexa::formats {

namespace {

struct ContextDeleter {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct EncoderDeleter {
    void operator()(heif_encoder* encoder) const { heif_encoder_release(encoder); }
};
struct OptionsDeleter {
    void operator()(heif_encoding_options* options) const { heif_encoding_options_free(options); }
};
struct ImageDeleter {
    void operator()(heif_image* image) const { heif_image_release(image); }
};

bool Check(const heif_error& error, const char* step) {
    if (error.code == heif_error_Ok)
        return true;
    qWarning("heic: %s: %s", step, error.message ? error.message : "failed");
    return false;
}

} // namespace

bool WriteHeic(const std::filesystem::path& path, const ImageSpec& spec) {
    return WriteHeic(path, spec, 1, {});
}

bool WriteHeic(const std::filesystem::path& path, const ImageSpec& spec, int orientation,
               const std::vector<uint8_t>& exif) {
    if (orientation < 1 || orientation > 8)
        return false;
    // HEVC's 4:2:0 sampling wants even sides.
    if (spec.width < 2 || spec.height < 2 || spec.width > 8192 || spec.height > 8192 || spec.width % 2 ||
        spec.height % 2)
        return false;
    const std::vector<uint8_t> rgb = DrawImage(spec);
    std::unique_ptr<heif_context, ContextDeleter> context(heif_context_alloc());
    heif_encoder* rawEncoder = nullptr;
    if (!context ||
        !Check(heif_context_get_encoder_for_format(context.get(), heif_compression_HEVC, &rawEncoder),
               "no HEVC encoder"))
        return false;
    std::unique_ptr<heif_encoder, EncoderDeleter> encoder(rawEncoder);
    heif_encoder_set_lossy_quality(encoder.get(), 80);
    // The slowest presets take seconds for a small picture; what is made here only has to be valid.
    heif_encoder_set_parameter(encoder.get(), "preset", "ultrafast");
    heif_encoder_set_parameter(encoder.get(), "x265:pools", "none");
    heif_encoder_set_parameter(encoder.get(), "x265:frame-threads", "1");

    heif_image* rawImage = nullptr;
    if (!Check(heif_image_create(spec.width, spec.height, heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                                 &rawImage),
               "image"))
        return false;
    std::unique_ptr<heif_image, ImageDeleter> image(rawImage);
    if (!Check(heif_image_add_plane(image.get(), heif_channel_interleaved, spec.width, spec.height, 8),
               "plane"))
        return false;
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image.get(), heif_channel_interleaved, &stride);
    if (!plane)
        return false;
    const size_t row = static_cast<size_t>(spec.width) * 3;
    for (int y = 0; y < spec.height; ++y)
        std::memcpy(plane + static_cast<size_t>(y) * stride, rgb.data() + y * row, row);

    std::unique_ptr<heif_encoding_options, OptionsDeleter> options(heif_encoding_options_alloc());
    options->image_orientation = static_cast<heif_orientation>(orientation);
    heif_image_handle* handle = nullptr;
    if (!Check(heif_context_encode_image(context.get(), image.get(), encoder.get(), options.get(), &handle),
               "encode"))
        return false;
    const bool exifKept =
        exif.empty() ||
        Check(heif_context_add_exif_metadata(context.get(), handle, exif.data(), int(exif.size())), "exif");
    heif_image_handle_release(handle);
    if (!exifKept)
        return false;
    if (!Check(heif_context_write_to_file(context.get(), path.c_str()), "write")) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        return false;
    }
    return true;
}

} // namespace vexa::formats
