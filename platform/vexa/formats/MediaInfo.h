#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace vexa::formats {

struct MediaInfo {
    double durationSeconds = 0;
    std::string title, artist, album, genre, composer;
    int year = 0, trackNumber = 0;
    int width = 0, height = 0;
    int64_t bitRate = 0;
    bool hasVideo = false, hasAudio = false;
    std::string formatName; // demuxer name, e.g. "mp3" or "mov,mp4,m4a,3gp,3g2,mj2"
    std::string videoCodec, audioCodec;
};

// Reads duration, streams and tags; false when the file is not audio or video.
bool ReadMediaInfo(const std::filesystem::path& path, MediaInfo& info);

} // namespace vexa::formats
