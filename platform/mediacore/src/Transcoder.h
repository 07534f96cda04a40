#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "AudioTrack.h"
#include "AvPtr.h"
#include "MediaConfig.h"
#include "VideoTrack.h"

namespace mediacore {

// Converts one source into an MP4 file: H.264 video, AAC audio when the source has sound, the index at the
// front so a device can start playing before the whole file has arrived. Open prepares everything and
// creates the destination; Run does the work. A run that does not finish removes what it wrote.
class Transcoder {
public:
    Transcoder() = default;
    ~Transcoder();
    Transcoder(const Transcoder&) = delete;
    Transcoder& operator=(const Transcoder&) = delete;

    int Open(const char* source, const char* destination, const MediaConfig& config);
    int64_t Duration() const { return m_duration; }
    // Reads the source to its end. keepGoing is asked between packets (it may block while paused) and
    // stops the run when it answers false; progress receives the converted time in microseconds.
    int Run(const std::function<bool()>& keepGoing, std::atomic<int64_t>& progress);
    // Drops a prepared or half-written destination.
    void Abandon();

private:
    int openOutput(const MediaConfig& config);
    int feed(const AVPacket* packet, std::atomic<int64_t>& progress);
    int finish(std::atomic<int64_t>& progress);

    AvInputPtr m_input;
    AVFormatContext* m_output = nullptr;
    std::string m_destination;
    std::unique_ptr<VideoTrack> m_video;
    std::unique_ptr<AudioTrack> m_audio;
    int m_videoStream = -1;
    int m_audioStream = -1;
    int64_t m_duration = 0;
    int64_t m_startTime = 0;
    bool m_complete = false;
};

} // namespace mediacore
