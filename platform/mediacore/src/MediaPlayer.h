#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include <mpv/client.h>

// One libmpv instance behind the Player_* calls. A thread of its own reads mpv's events (file loaded or
// failed, log lines); everything else asks mpv's properties when it is called.
struct MediaPlayer {
    explicit MediaPlayer(int mode);
    ~MediaPlayer();
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    bool IsValid() const { return m_mpv != nullptr; }
    int Open(const std::string& source);
    int Close();
    int SetVideoView(uintptr_t window);
    int SetPaused(bool paused);
    int Stop();
    int Seek(int64_t position);
    int SetVolume(int volume);
    int64_t Duration();
    int64_t PlayTime();
    bool IsCompleted();
    bool IsPaused();
    bool IsLoaded();
    bool HasAudio();
    bool HasVideo();
    int VideoWidth();
    int VideoHeight();

private:
    enum class Load { Idle, Requested, Loading, Loaded, Failed };

    void readEvents();
    void onFileLoaded();
    void setLoad(Load state);
    int64_t microseconds(const char* property);

    mpv_handle* m_mpv = nullptr;
    const int m_mode;
    const bool m_nullOutput;
    std::thread m_events;
    std::mutex m_mutex;
    std::condition_variable m_loadChanged;
    Load m_load = Load::Idle;
    bool m_quit = false;
    uintptr_t m_window = 0;
    bool m_hasAudio = false;
    bool m_hasVideo = false;
    bool m_videoShown = false;
    int m_videoWidth = 0;
    int m_videoHeight = 0;
};
