#pragma once

#include "mediacore/MediaCore.h"

// The settings Config_* collects for a conversion; zero means the engine chooses.
struct MediaConfig {
    int videoFormat = MEDIACORE_VIDEO_H264;
    int audioFormat = MEDIACORE_AUDIO_AAC;
    int width = 0;
    int height = 0;
    int videoBitRate = 0;
    int videoQuality = 0;
    int frameRateNumerator = 0;
    int frameRateDenominator = 1;
    int sampleRate = 0;
    int channels = 0;
    int audioBitRate = 0;
    int audioQuality = 0;
};
