// A media file offered to the video bar: its information and first picture.
#include "FuzzRegistry.h"
#include "mediacore/MediaCore.h"

VEXA_FUZZ_TARGET(media_info) {
    const auto path = fuzz::Scratch() / "media_info.bin";
    if (!fuzz::WriteFile(path, data, size))
        return 0;
    MediaInfo* info = Info_Create(3);
    if (Info_Open(info, path.c_str()) == MEDIACORE_OK) {
        if (Info_GetDuration(info) < 0 || Info_GetVideoWidth(info) < 0 || Info_GetVideoHeight(info) < 0)
            fuzz::Fail("negative duration or size");
        if (const MediaImage* image = Info_GetVideoImage(info, 0, MEDIACORE_IMAGE_EXACT)) {
            if (image->width != Info_GetVideoWidth(info) || image->height != Info_GetVideoHeight(info) ||
                image->stride < image->width * 4 || !image->pixels)
                fuzz::Fail("frame grab of another size than the video");
            volatile unsigned char last = image->pixels[image->stride * (image->height - 1) + image->width * 4 - 1];
            (void)last;
        }
    }
    Info_Release(info);
    return 0;
}
