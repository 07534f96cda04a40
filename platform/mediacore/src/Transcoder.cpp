#include "Transcoder.h"

#include <cstdio>

extern "C" {
#include <libavutil/dict.h>
}

#include "mediacore/MediaLog.h"

namespace mediacore {

Transcoder::~Transcoder() {
    if (!m_complete)
        Abandon();
}

int Transcoder::Open(const char* source, const char* destination, const MediaConfig& config) {
    m_input = OpenMediaInput(source);
    if (!m_input)
        return MEDIACORE_ERROR_OPEN;
    m_videoStream = av_find_best_stream(m_input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (m_videoStream < 0 || (m_input->streams[m_videoStream]->disposition & AV_DISPOSITION_ATTACHED_PIC))
        return MEDIACORE_ERROR_NO_VIDEO;
    m_audioStream = av_find_best_stream(m_input.get(), AVMEDIA_TYPE_AUDIO, -1, m_videoStream, nullptr, 0);
    m_duration = InputDuration(m_input.get());
    m_startTime = m_input->start_time == AV_NOPTS_VALUE ? 0 : m_input->start_time;
    m_destination = destination;
    return openOutput(config);
}

int Transcoder::openOutput(const MediaConfig& config) {
    if (avformat_alloc_output_context2(&m_output, nullptr, "mp4", m_destination.c_str()) < 0 || !m_output)
        return MEDIACORE_ERROR_OUTPUT;
    m_video = std::make_unique<VideoTrack>();
    const int video = m_video->Open(m_input->streams[m_videoStream], m_input.get(), m_output, config);
    if (video != MEDIACORE_OK)
        return video;
    if (m_audioStream >= 0) {
        m_audio = std::make_unique<AudioTrack>();
        // A sound track we cannot decode is dropped rather than failing the whole video.
        if (m_audio->Open(m_input->streams[m_audioStream], m_output, config) != MEDIACORE_OK) {
            qCWarning(ffmpegLog) << "Transcoder: the sound of" << m_destination.c_str() << "is left out";
            m_audio.reset();
            m_audioStream = -1;
        }
    }
    if (avio_open(&m_output->pb, m_destination.c_str(), AVIO_FLAG_WRITE) < 0)
        return MEDIACORE_ERROR_OUTPUT;
    return MEDIACORE_OK;
}

int Transcoder::Run(const std::function<bool()>& keepGoing, std::atomic<int64_t>& progress) {
    AVDictionary* options = nullptr;
    av_dict_set(&options, "movflags", "+faststart", 0);
    const int header = avformat_write_header(m_output, &options);
    av_dict_free(&options);
    if (header < 0) {
        Abandon();
        return MEDIACORE_ERROR_OUTPUT;
    }
    AvPacketPtr packet(av_packet_alloc());
    while (packet) {
        if (!keepGoing()) {
            Abandon();
            return MEDIACORE_ERROR_STOPPED;
        }
        const int read = av_read_frame(m_input.get(), packet.get());
        if (read == AVERROR(EAGAIN))
            continue;
        if (read < 0)
            break; // the end, or a file that breaks off: keep what was read
        const int fed = feed(packet.get(), progress);
        av_packet_unref(packet.get());
        if (fed != MEDIACORE_OK) {
            Abandon();
            return fed;
        }
    }
    const int finished = finish(progress);
    if (finished != MEDIACORE_OK)
        Abandon();
    return finished;
}

int Transcoder::feed(const AVPacket* packet, std::atomic<int64_t>& progress) {
    if (packet->stream_index == m_videoStream) {
        const int result = m_video->Send(packet, m_startTime);
        progress = std::max<int64_t>(progress.load(), m_video->ConvertedTime());
        return result;
    }
    if (packet->stream_index == m_audioStream)
        return m_audio->Send(packet);
    return MEDIACORE_OK;
}

int Transcoder::finish(std::atomic<int64_t>& progress) {
    const int video = m_video->Send(nullptr, m_startTime);
    if (video != MEDIACORE_OK)
        return video;
    if (m_audio && m_audio->Send(nullptr) != MEDIACORE_OK)
        return MEDIACORE_ERROR_OUTPUT;
    if (m_video->FramesWritten() == 0)
        return MEDIACORE_ERROR_DECODE;
    // The trailer moves the index to the front (+faststart), which rewrites the whole file once.
    if (av_write_trailer(m_output) < 0 || avio_closep(&m_output->pb) < 0)
        return MEDIACORE_ERROR_OUTPUT;
    avformat_free_context(m_output);
    m_output = nullptr;
    m_complete = true;
    progress = std::max<int64_t>(progress.load(), m_duration);
    return MEDIACORE_OK;
}

void Transcoder::Abandon() {
    m_video.reset();
    m_audio.reset();
    if (m_output) {
        const bool created = m_output->pb != nullptr;
        avio_closep(&m_output->pb);
        avformat_free_context(m_output);
        m_output = nullptr;
        if (created)
            std::remove(m_destination.c_str());
    }
}

} // namespace mediacore
