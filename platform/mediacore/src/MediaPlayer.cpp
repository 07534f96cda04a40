#include "MediaPlayer.h"

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "mediacore/MediaCore.h"
#include "mediacore/MediaLog.h"

namespace {

// Loading a local file takes milliseconds; a network stream gets longer before Open gives up.
constexpr auto kLoadTimeout = std::chrono::seconds(10);

bool nullOutputWanted() {
    const char* value = std::getenv("MEDIACORE_NULL_OUTPUT");
    return value && std::strcmp(value, "1") == 0;
}

} // namespace

MediaPlayer::MediaPlayer(int mode)
    : m_mode(mode)
    , m_nullOutput(nullOutputWanted()) {
    // mpv refuses to start unless numbers are formatted the C way; Qt sets the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    m_mpv = mpv_create();
    if (!m_mpv)
        return;
    const struct {
        const char* name;
        const char* value;
    } options[] = {
        {"config", "no"},
        {"terminal", "no"},
        {"load-scripts", "no"},
        {"ytdl", "no"},
        {"osc", "no"},
        {"idle", "yes"},
        {"keep-open", "yes"},
        {"force-window", "no"},
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},
        {"audio-display", "no"},
        {"hr-seek", "no"},
        {"pause", "yes"},
        {"vid", (mode & MEDIACORE_PLAYER_VIDEO) ? "auto" : "no"},
        {"audio-client-name", "vexa-transfer"},
        {"ao", m_nullOutput ? "null" : "pulse,alsa,null"},
        {"vo", "null"},
        // The window given to draw into is an X11 window: OpenGL through EGL on X11, else the plain x11
        // output. Wayland and DRM contexts cannot use it and would only be probed in vain.
        {"gpu-context", "x11egl"},
    };
    for (const auto& option : options)
        mpv_set_option_string(m_mpv, option.name, option.value);
    mpv_request_log_messages(m_mpv, "warn");
    if (mpv_initialize(m_mpv) < 0) {
        mpv_terminate_destroy(m_mpv);
        m_mpv = nullptr;
        return;
    }
    // mpv took FFmpeg's log over while starting; give it back to the program's log.
    mediacore::ReclaimFfmpegLog();
    m_events = std::thread([this] { readEvents(); });
}

MediaPlayer::~MediaPlayer() {
    if (!m_mpv)
        return;
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    mpv_wakeup(m_mpv);
    m_events.join();
    mpv_terminate_destroy(m_mpv);
    // Going, mpv hands FFmpeg's log to FFmpeg's own handler, which prints on the terminal.
    mediacore::ReclaimFfmpegLog();
}

void MediaPlayer::readEvents() {
    for (;;) {
        const mpv_event* event = mpv_wait_event(m_mpv, -1);
        {
            std::lock_guard lock(m_mutex);
            if (m_quit)
                return;
        }
        switch (event->event_id) {
        case MPV_EVENT_SHUTDOWN:
            return;
        case MPV_EVENT_LOG_MESSAGE: {
            const auto* message = static_cast<const mpv_event_log_message*>(event->data);
            mediacore::LogMpvMessage(message->prefix, message->level, message->text);
            break;
        }
        case MPV_EVENT_START_FILE: {
            std::lock_guard lock(m_mutex);
            if (m_load == Load::Requested)
                m_load = Load::Loading;
            break;
        }
        case MPV_EVENT_FILE_LOADED:
            onFileLoaded();
            break;
        case MPV_EVENT_END_FILE: {
            // The end of the file being replaced comes before the new one starts: only an end while
            // loading means the new file failed.
            std::lock_guard lock(m_mutex);
            if (m_load == Load::Loading) {
                m_load = Load::Failed;
                m_loadChanged.notify_all();
            }
            break;
        }
        default:
            break;
        }
    }
}

void MediaPlayer::onFileLoaded() {
    bool audio = false;
    bool video = false;
    int64_t width = 0;
    int64_t height = 0;
    int64_t count = 0;
    mpv_get_property(m_mpv, "track-list/count", MPV_FORMAT_INT64, &count);
    for (int64_t i = 0; i < count; ++i) {
        const std::string prefix = "track-list/" + std::to_string(i) + "/";
        char* type = mpv_get_property_string(m_mpv, (prefix + "type").c_str());
        int albumArt = 0;
        mpv_get_property(m_mpv, (prefix + "albumart").c_str(), MPV_FORMAT_FLAG, &albumArt);
        if (type && std::strcmp(type, "audio") == 0)
            audio = true;
        // A cover picture inside a song is listed as a video track; it is not a video.
        if (type && std::strcmp(type, "video") == 0 && !albumArt && !video) {
            video = true;
            mpv_get_property(m_mpv, (prefix + "demux-w").c_str(), MPV_FORMAT_INT64, &width);
            mpv_get_property(m_mpv, (prefix + "demux-h").c_str(), MPV_FORMAT_INT64, &height);
            // mpv shows a clip filmed upright turned, so its size is the turned one too.
            int64_t rotation = 0;
            mpv_get_property(m_mpv, (prefix + "demux-rotation").c_str(), MPV_FORMAT_INT64, &rotation);
            if (rotation % 180 != 0)
                std::swap(width, height);
        }
        mpv_free(type);
    }
    std::lock_guard lock(m_mutex);
    m_hasAudio = audio;
    m_hasVideo = video;
    m_videoWidth = static_cast<int>(width);
    m_videoHeight = static_cast<int>(height);
    if (m_load == Load::Loading || m_load == Load::Requested)
        m_load = Load::Loaded;
    m_loadChanged.notify_all();
}

int MediaPlayer::Open(const std::string& source) {
    Close();
    {
        std::lock_guard lock(m_mutex);
        m_load = Load::Requested;
        m_hasAudio = m_hasVideo = false;
        m_videoWidth = m_videoHeight = 0;
    }
    mpv_set_property_string(m_mpv, "pause", "yes");
    mpv_set_property_string(m_mpv, "aid", (m_mode & MEDIACORE_PLAYER_AUDIO) ? "auto" : "no");
    mpv_set_property_string(m_mpv, "vid", (m_mode & MEDIACORE_PLAYER_VIDEO) ? "auto" : "no");
    const char* command[] = {"loadfile", source.c_str(), "replace", nullptr};
    if (mpv_command(m_mpv, command) < 0) {
        setLoad(Load::Idle);
        return MEDIACORE_ERROR_OPEN;
    }
    std::unique_lock lock(m_mutex);
    const bool settled = m_loadChanged.wait_for(
        lock, kLoadTimeout, [this] { return m_load == Load::Loaded || m_load == Load::Failed; });
    if (!settled || m_load != Load::Loaded) {
        lock.unlock();
        Close();
        return MEDIACORE_ERROR_OPEN;
    }
    m_videoShown = (m_mode & MEDIACORE_PLAYER_VIDEO) && m_hasVideo;
    return MEDIACORE_OK;
}

void MediaPlayer::setLoad(Load state) {
    std::lock_guard lock(m_mutex);
    m_load = state;
}

int MediaPlayer::Close() {
    const char* command[] = {"stop", nullptr};
    mpv_command(m_mpv, command);
    std::lock_guard lock(m_mutex);
    m_load = Load::Idle;
    m_videoShown = false;
    m_hasAudio = m_hasVideo = false;
    m_videoWidth = m_videoHeight = 0;
    return MEDIACORE_OK;
}

int MediaPlayer::SetVideoView(uintptr_t window) {
    if (!(m_mode & MEDIACORE_PLAYER_VIDEO))
        return MEDIACORE_ERROR_STATE;
    if (window == m_window)
        return MEDIACORE_OK;
    m_window = window;
    int64_t id = static_cast<int64_t>(window);
    mpv_set_property(m_mpv, "wid", MPV_FORMAT_INT64, &id);
    // Until there is a window the pictures go to the null output, or mpv would open a window of its own.
    const bool drawn = window != 0 && !m_nullOutput;
    mpv_set_property_string(m_mpv, "vo", drawn ? "gpu,x11,null" : "null");
    // A running video output keeps the output and window it was made with: restart it.
    if (HasVideo()) {
        mpv_set_property_string(m_mpv, "vid", "no");
        mpv_set_property_string(m_mpv, "vid", "auto");
    }
    return MEDIACORE_OK;
}

int MediaPlayer::SetPaused(bool paused) {
    if (!IsLoaded())
        return MEDIACORE_ERROR_STATE;
    return mpv_set_property_string(m_mpv, "pause", paused ? "yes" : "no") < 0 ? MEDIACORE_ERROR_STATE
                                                                              : MEDIACORE_OK;
}

int MediaPlayer::Stop() {
    if (!IsLoaded())
        return MEDIACORE_ERROR_STATE;
    mpv_set_property_string(m_mpv, "pause", "yes");
    return Seek(0);
}

int MediaPlayer::Seek(int64_t position) {
    if (!IsLoaded() || position < 0)
        return MEDIACORE_ERROR_STATE;
    const std::string seconds = std::to_string(static_cast<double>(position) / 1e6);
    // Key frames make a picture seek fast. Sound alone has no key frames to go by (Matroska indexes only
    // the video's, so mpv would land at the start), and decoding sound to the exact time is cheap.
    bool videoShown = false;
    {
        std::lock_guard lock(m_mutex);
        videoShown = m_videoShown;
    }
    const char* command[] = {"seek", seconds.c_str(), videoShown ? "absolute+keyframes" : "absolute+exact",
                             nullptr};
    return mpv_command(m_mpv, command) < 0 ? MEDIACORE_ERROR_STATE : MEDIACORE_OK;
}

int MediaPlayer::SetVolume(int volume) {
    if (volume < 0 || volume > 100)
        return MEDIACORE_ERROR_ARGUMENT;
    double value = volume;
    return mpv_set_property(m_mpv, "volume", MPV_FORMAT_DOUBLE, &value) < 0 ? MEDIACORE_ERROR_STATE
                                                                            : MEDIACORE_OK;
}

int64_t MediaPlayer::microseconds(const char* property) {
    double seconds = 0;
    if (!IsLoaded() || mpv_get_property(m_mpv, property, MPV_FORMAT_DOUBLE, &seconds) < 0 || seconds < 0)
        return 0;
    return static_cast<int64_t>(seconds * 1e6);
}

int64_t MediaPlayer::Duration() {
    return microseconds("duration");
}

int64_t MediaPlayer::PlayTime() {
    return microseconds("time-pos");
}

bool MediaPlayer::IsCompleted() {
    int eof = 0;
    return IsLoaded() && mpv_get_property(m_mpv, "eof-reached", MPV_FORMAT_FLAG, &eof) >= 0 && eof;
}

// mpv takes the pause at once but the core may still be finishing a frame; "core-idle" says it stands.
bool MediaPlayer::IsPaused() {
    int paused = 0;
    int idle = 0;
    return IsLoaded() && mpv_get_property(m_mpv, "pause", MPV_FORMAT_FLAG, &paused) >= 0 && paused &&
           mpv_get_property(m_mpv, "core-idle", MPV_FORMAT_FLAG, &idle) >= 0 && idle;
}

bool MediaPlayer::IsLoaded() {
    std::lock_guard lock(m_mutex);
    return m_load == Load::Loaded;
}

bool MediaPlayer::HasAudio() {
    std::lock_guard lock(m_mutex);
    return m_load == Load::Loaded && m_hasAudio;
}

bool MediaPlayer::HasVideo() {
    std::lock_guard lock(m_mutex);
    return m_load == Load::Loaded && m_hasVideo;
}

int MediaPlayer::VideoWidth() {
    std::lock_guard lock(m_mutex);
    return m_load == Load::Loaded ? m_videoWidth : 0;
}

int MediaPlayer::VideoHeight() {
    std::lock_guard lock(m_mutex);
    return m_load == Load::Loaded ? m_videoHeight : 0;
}
