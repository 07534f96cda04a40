#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "MediaConfig.h"
#include "Transcoder.h"

// One conversion job behind the Converter_* calls: the transcoder runs on a worker thread of its own,
// which the caller pauses, resumes and stops from its thread.
struct MediaConverter {
    MediaConverter() = default;
    ~MediaConverter();
    MediaConverter(const MediaConverter&) = delete;
    MediaConverter& operator=(const MediaConverter&) = delete;

    int Open(const char* source, const char* destination, const char* format, const MediaConfig& config);
    int Start();
    int Pause();
    int Stop();
    int Close();
    int64_t Duration() const;
    int64_t ConvertTime() const { return m_progress.load(); }
    int Completed() const { return m_result.load(); }
    // Whether the worker waits at a pause.
    bool IsHeld() const { return m_held.load(); }

private:
    void run();
    bool keepGoing();

    std::unique_ptr<mediacore::Transcoder> m_job;
    std::thread m_worker;
    std::mutex m_mutex;
    std::condition_variable m_resumed;
    bool m_paused = false;
    bool m_stopRequested = false;
    std::atomic<int64_t> m_progress{0};
    std::atomic<int> m_result{0};
    std::atomic<bool> m_held{false};
};
