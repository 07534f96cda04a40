// The C entry points: argument checks and handle ownership; the work is in the handle types.

#include "mediacore/MediaCore.h"

#include <filesystem>
#include <new>
#include <system_error>

#include "MediaConfig.h"
#include "MediaConverter.h"
#include "MediaInfo.h"
#include "MediaPlayer.h"

namespace {

template <typename Handle, typename Setter> int setConfig(Handle* config, Setter set) {
    if (!config)
        return MEDIACORE_ERROR_ARGUMENT;
    return set(*config) ? MEDIACORE_OK : MEDIACORE_ERROR_ARGUMENT;
}

bool withinRange(int value, int low, int high) {
    return value >= low && value <= high;
}

} // namespace

extern "C" {

MediaConfig* Config_Create(void) {
    return new (std::nothrow) MediaConfig();
}

void Config_Release(MediaConfig* config) {
    delete config;
}

int Config_SetVideoFormat(MediaConfig* config, int format) {
    return setConfig(config, [format](MediaConfig& c) {
        c.videoFormat = format;
        return format == MEDIACORE_VIDEO_H264;
    });
}

int Config_SetAudioFormat(MediaConfig* config, int format) {
    return setConfig(config, [format](MediaConfig& c) {
        c.audioFormat = format;
        return format == MEDIACORE_AUDIO_AAC;
    });
}

int Config_SetVideoSize(MediaConfig* config, int width, int height) {
    return setConfig(config, [=](MediaConfig& c) {
        if (width < 0 || height < 0 || (width == 0) != (height == 0))
            return false;
        c.width = width;
        c.height = height;
        return true;
    });
}

int Config_SetVideoBitRate(MediaConfig* config, int bitsPerSecond) {
    return setConfig(config, [=](MediaConfig& c) {
        c.videoBitRate = bitsPerSecond;
        return bitsPerSecond >= 0;
    });
}

int Config_SetVideoQuality(MediaConfig* config, int quality) {
    return setConfig(config, [=](MediaConfig& c) {
        if (!withinRange(quality, 0, 100))
            return false;
        c.videoQuality = quality;
        return true;
    });
}

int Config_SetVideoFrameRate(MediaConfig* config, int numerator, int denominator) {
    return setConfig(config, [=](MediaConfig& c) {
        if (numerator < 0 || denominator <= 0 || (numerator > 0 && double(numerator) / denominator > 120))
            return false;
        c.frameRateNumerator = numerator;
        c.frameRateDenominator = denominator;
        return true;
    });
}

int Config_SetAudioSampleRate(MediaConfig* config, int samplesPerSecond) {
    return setConfig(config, [=](MediaConfig& c) {
        if (!withinRange(samplesPerSecond, 0, 96000))
            return false;
        c.sampleRate = samplesPerSecond;
        return true;
    });
}

int Config_SetAudioChannels(MediaConfig* config, int channels) {
    return setConfig(config, [=](MediaConfig& c) {
        if (!withinRange(channels, 0, 2))
            return false;
        c.channels = channels;
        return true;
    });
}

int Config_SetAudioBitRate(MediaConfig* config, int bitsPerSecond) {
    return setConfig(config, [=](MediaConfig& c) {
        if (!withinRange(bitsPerSecond, 0, 512000))
            return false;
        c.audioBitRate = bitsPerSecond;
        return true;
    });
}

int Config_SetAudioQuality(MediaConfig* config, int quality) {
    return setConfig(config, [=](MediaConfig& c) {
        if (!withinRange(quality, 0, 100))
            return false;
        c.audioQuality = quality;
        return true;
    });
}

MediaConverter* Converter_Create(int mode) {
    return mode == MEDIACORE_CONVERTER_MP4 ? new (std::nothrow) MediaConverter() : nullptr;
}

int Converter_Open(MediaConverter* converter, const char* source, const char* destination, const char* format,
                   const MediaConfig* config) {
    if (!converter)
        return MEDIACORE_ERROR_ARGUMENT;
    return converter->Open(source, destination, format, config ? *config : MediaConfig());
}

int Converter_Start(MediaConverter* converter) {
    return converter ? converter->Start() : MEDIACORE_ERROR_ARGUMENT;
}

int Converter_Pause(MediaConverter* converter) {
    return converter ? converter->Pause() : MEDIACORE_ERROR_ARGUMENT;
}

int Converter_IsPaused(MediaConverter* converter) {
    return converter && converter->IsHeld() ? 1 : 0;
}

int Converter_Stop(MediaConverter* converter) {
    return converter ? converter->Stop() : MEDIACORE_ERROR_ARGUMENT;
}

int Converter_Close(MediaConverter* converter) {
    return converter ? converter->Close() : MEDIACORE_ERROR_ARGUMENT;
}

void Converter_Release(MediaConverter* converter) {
    delete converter;
}

int64_t Converter_GetDuration(MediaConverter* converter) {
    return converter ? converter->Duration() : 0;
}

int64_t Converter_GetConvertTime(MediaConverter* converter) {
    return converter ? converter->ConvertTime() : 0;
}

int Converter_IsCompleted(MediaConverter* converter) {
    return converter ? converter->Completed() : 0;
}

MediaPlayer* Player_Create(int mode) {
    auto* player = new (std::nothrow) MediaPlayer(mode);
    if (player && !player->IsValid()) {
        delete player;
        return nullptr;
    }
    return player;
}

void Player_Release(MediaPlayer* player) {
    delete player;
}

int Player_Open(MediaPlayer* player, const char* path) {
    if (!player || !path || !*path)
        return MEDIACORE_ERROR_ARGUMENT;
    // An absolute path keeps mpv from reading "name:part" as a protocol or "-x" as an option.
    std::error_code error;
    const std::filesystem::path file = std::filesystem::absolute(std::filesystem::u8path(path), error);
    if (error || !std::filesystem::is_regular_file(file, error) ||
        std::filesystem::file_size(file, error) == 0)
        return MEDIACORE_ERROR_OPEN;
    return player->Open(file.string());
}

int Player_OpenStream(MediaPlayer* player, const char* source) {
    if (!player || !source || !*source)
        return MEDIACORE_ERROR_ARGUMENT;
    return player->Open(source);
}

int Player_Close(MediaPlayer* player) {
    return player ? player->Close() : MEDIACORE_ERROR_ARGUMENT;
}

int Player_SetVideoView(MediaPlayer* player, uintptr_t window) {
    return player ? player->SetVideoView(window) : MEDIACORE_ERROR_ARGUMENT;
}

int Player_Play(MediaPlayer* player) {
    return player ? player->SetPaused(false) : MEDIACORE_ERROR_ARGUMENT;
}

int Player_Pause(MediaPlayer* player) {
    return player ? player->SetPaused(true) : MEDIACORE_ERROR_ARGUMENT;
}

int Player_IsPaused(MediaPlayer* player) {
    return player && player->IsPaused() ? 1 : 0;
}

int Player_Stop(MediaPlayer* player) {
    return player ? player->Stop() : MEDIACORE_ERROR_ARGUMENT;
}

int Player_FastSeek(MediaPlayer* player, int64_t position) {
    return player ? player->Seek(position) : MEDIACORE_ERROR_ARGUMENT;
}

int Player_SetAudioVolume(MediaPlayer* player, int volume) {
    return player ? player->SetVolume(volume) : MEDIACORE_ERROR_ARGUMENT;
}

int64_t Player_GetDuration(MediaPlayer* player) {
    return player ? player->Duration() : 0;
}

int64_t Player_GetPlayTime(MediaPlayer* player) {
    return player ? player->PlayTime() : 0;
}

int Player_IsCompleted(MediaPlayer* player) {
    return player && player->IsCompleted() ? 1 : 0;
}

int Player_HasAudio(MediaPlayer* player) {
    return player && player->HasAudio() ? 1 : 0;
}

int Player_HasVideo(MediaPlayer* player) {
    return player && player->HasVideo() ? 1 : 0;
}

int Player_GetVideoWidth(MediaPlayer* player) {
    return player ? player->VideoWidth() : 0;
}

int Player_GetVideoHeight(MediaPlayer* player) {
    return player ? player->VideoHeight() : 0;
}

int Player_ShowVideoFrame(MediaPlayer* player) {
    // mpv owns the video window and redraws it on every expose by itself; there is nothing to push.
    return player && player->HasVideo() ? MEDIACORE_OK : MEDIACORE_ERROR_STATE;
}

MediaInfo* Info_Create(int) {
    return new (std::nothrow) MediaInfo();
}

void Info_Release(MediaInfo* info) {
    delete info;
}

int Info_Open(MediaInfo* info, const char* path) {
    return info && path ? info->Open(path) : MEDIACORE_ERROR_ARGUMENT;
}

int64_t Info_GetDuration(MediaInfo* info) {
    return info ? info->duration : 0;
}

const char* Info_GetFormatName(MediaInfo* info) {
    return info ? info->formatName.c_str() : "";
}

int Info_GetVideoWidth(MediaInfo* info) {
    return info ? info->width : 0;
}

int Info_GetVideoHeight(MediaInfo* info) {
    return info ? info->height : 0;
}

int64_t Info_GetVideoBitRate(MediaInfo* info) {
    return info ? info->videoBitRate : 0;
}

int Info_CanSeek(MediaInfo* info) {
    return info && info->canSeek ? 1 : 0;
}

const MediaImage* Info_GetVideoImage(MediaInfo* info, int64_t time, int flags) {
    return info ? info->VideoImage(time, flags) : nullptr;
}

} // extern "C"
