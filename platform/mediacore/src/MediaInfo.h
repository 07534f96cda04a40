#pragma once

#include <string>
#include <vector>

#include "AvPtr.h"
#include "PictureTurn.h"
#include "mediacore/MediaCore.h"

// What Info_* reports about one media file, read once on open; frames are decoded on request.
struct MediaInfo {
    int Open(const char* path);
    void Close();
    const MediaImage* VideoImage(int64_t time, int flags);

    int64_t duration = 0;
    std::string formatName;
    // The picture as it is shown: a clip filmed upright is taller than wide, whatever its pixels say.
    int width = 0;
    int height = 0;
    int64_t videoBitRate = 0;
    bool canSeek = false;

private:
    bool decodeUntil(int64_t time, int flags, AVFrame* frame);
    bool convert(const AVFrame* frame);

    mediacore::AvInputPtr m_input;
    mediacore::AvCodecContextPtr m_decoder;
    int m_videoStream = -1;
    mediacore::PictureTurn m_turn;
    int m_codedWidth = 0;
    int m_codedHeight = 0;
    std::vector<unsigned char> m_coded;
    std::vector<unsigned char> m_pixels;
    MediaImage m_image{};
};
