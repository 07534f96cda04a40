#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "FfmpegPtr.h"

namespace vexa::formats {

// One output file being written by libavformat. A muxer that is not finished removes its partial file.
class MediaMuxer {
public:
    MediaMuxer() = default;
    ~MediaMuxer();
    MediaMuxer(const MediaMuxer&) = delete;
    MediaMuxer& operator=(const MediaMuxer&) = delete;

    // The container is chosen by the file suffix; tags become the file's metadata.
    bool Open(const std::filesystem::path& path, const std::map<std::string, std::string>& tags);
    bool NeedsGlobalHeader() const;
    AVStream* AddStream(const AVCodecContext* codec);
    bool Begin();
    bool Write(AVPacket* packet, AVRational codecTimeBase, AVStream* stream);
    bool Finish();

private:
    void close();

    std::filesystem::path m_path;
    AVFormatContext* m_context = nullptr;
    bool m_headerWritten = false;
    bool m_finished = false;
};

} // namespace vexa::formats
