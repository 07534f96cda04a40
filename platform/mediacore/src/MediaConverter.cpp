#include "MediaConverter.h"

#include <cstring>

MediaConverter::~MediaConverter() {
    Close();
}

int MediaConverter::Open(const char* source, const char* destination, const char* format,
                         const MediaConfig& config) {
    Close();
    m_result = 0;
    m_progress = 0;
    if (!source || !destination || !format || std::strcmp(format, "mp4") != 0 ||
        config.videoFormat != MEDIACORE_VIDEO_H264 || config.audioFormat != MEDIACORE_AUDIO_AAC) {
        m_result = MEDIACORE_ERROR_ARGUMENT;
        return m_result;
    }
    auto job = std::make_unique<mediacore::Transcoder>();
    const int opened = job->Open(source, destination, config);
    if (opened != MEDIACORE_OK) {
        m_result = opened;
        return opened;
    }
    m_job = std::move(job);
    return MEDIACORE_OK;
}

int MediaConverter::Start() {
    if (!m_job || m_result != 0)
        return MEDIACORE_ERROR_STATE;
    if (m_worker.joinable()) {
        std::lock_guard lock(m_mutex);
        m_paused = false;
        m_resumed.notify_all();
        return MEDIACORE_OK;
    }
    m_paused = false;
    m_stopRequested = false;
    m_worker = std::thread([this] { run(); });
    return MEDIACORE_OK;
}

int MediaConverter::Pause() {
    if (!m_worker.joinable() || m_result != 0)
        return MEDIACORE_ERROR_STATE;
    std::lock_guard lock(m_mutex);
    m_paused = true;
    return MEDIACORE_OK;
}

int MediaConverter::Stop() {
    if (m_worker.joinable()) {
        {
            std::lock_guard lock(m_mutex);
            m_stopRequested = true;
            m_paused = false;
            m_resumed.notify_all();
        }
        m_worker.join();
    }
    if (m_job && m_result == 0) {
        // Opened but never started: the prepared destination goes too.
        m_job->Abandon();
        m_result = MEDIACORE_ERROR_STOPPED;
    }
    return MEDIACORE_OK;
}

int MediaConverter::Close() {
    Stop();
    m_job.reset();
    return MEDIACORE_OK;
}

int64_t MediaConverter::Duration() const {
    return m_job ? m_job->Duration() : 0;
}

void MediaConverter::run() {
    const int result = m_job->Run([this] { return keepGoing(); }, m_progress);
    m_result = result == MEDIACORE_OK ? 1 : result;
}

bool MediaConverter::keepGoing() {
    std::unique_lock lock(m_mutex);
    m_held = m_paused && !m_stopRequested;
    m_resumed.wait(lock, [this] { return !m_paused || m_stopRequested; });
    m_held = false;
    return !m_stopRequested;
}
