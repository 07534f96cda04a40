#pragma once

// The media engine: media information and frame grabs, conversion of any video FFmpeg reads into MP4
// (H.264 + AAC), and playback into a native window or audio only.
//
// Every object is an opaque handle made by a *_Create function and freed by its *_Release function; a
// null handle is accepted everywhere and gives an error code, 0 or null. Calls are made from one thread
// (the GUI thread); conversion and playback run on the engine's own threads. Times are in microseconds,
// text is UTF-8. Functions returning int give MEDIACORE_OK (0) on success and a negative
// MediaCoreResult on failure unless they say otherwise.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct MediaConfig MediaConfig;
typedef struct MediaConverter MediaConverter;
typedef struct MediaPlayer MediaPlayer;
typedef struct MediaInfo MediaInfo;

enum MediaCoreResult {
    MEDIACORE_OK = 0,
    MEDIACORE_ERROR_ARGUMENT = -1, // null handle, null text or a value out of range
    MEDIACORE_ERROR_OPEN = -2,     // the source is missing, empty or not a media file FFmpeg/mpv reads
    MEDIACORE_ERROR_NO_VIDEO = -3, // the source has no video stream (conversion needs one)
    MEDIACORE_ERROR_OUTPUT = -4,   // the destination cannot be written
    MEDIACORE_ERROR_CODEC = -5,    // no decoder for the source or no encoder for the output
    MEDIACORE_ERROR_STATE = -6,    // the call does not fit the object's state (e.g. start before open)
    MEDIACORE_ERROR_DECODE = -7,   // the source broke off before a single frame could be converted
    MEDIACORE_ERROR_STOPPED = -8   // the conversion was stopped before it finished
};

// Codes for Config_SetVideoFormat / Config_SetAudioFormat / Converter_Create.
enum MediaCoreFormat {
    MEDIACORE_VIDEO_H264 = 13,     // H.264 video stream in the output
    MEDIACORE_AUDIO_AAC = 0x15002, // AAC audio stream in the output
    MEDIACORE_CONVERTER_MP4 = 27   // a converter writing MP4 files
};

// Bits of Player_Create's mode. A player without MEDIACORE_PLAYER_VIDEO never opens a video output.
// Setting the environment variable MEDIACORE_NULL_OUTPUT=1 before Player_Create sends sound and
// pictures nowhere (tests and benchmarks on machines without sound card or display).
enum MediaCorePlayerMode { MEDIACORE_PLAYER_VIDEO = 0x1, MEDIACORE_PLAYER_AUDIO = 0x2 };

// Flags of Info_GetVideoImage.
enum MediaCoreImageFlag {
    MEDIACORE_IMAGE_NEAREST_KEY = 0, // the key frame at or before the time: fast
    MEDIACORE_IMAGE_EXACT = 1        // the frame showing at the time: decodes on from the key frame
};

// A decoded picture: width x height pixels, 4 bytes each, laid out as QImage::Format_RGB32 (0xffRRGGBB
// in native byte order), rows `stride` bytes apart. Owned by the MediaInfo handle; valid until the next
// Info_GetVideoImage, Info_Open or Info_Release on it.
typedef struct MediaImage {
    int width;
    int height;
    int stride;
    const unsigned char* pixels;
} MediaImage;

// --- Conversion settings. Zero values leave the choice to the engine: the source's size, frame rate,
// sample rate and channel count, and a quality-driven bit rate.
MediaConfig* Config_Create(void);
void Config_Release(MediaConfig* config);
int Config_SetVideoFormat(MediaConfig* config, int format); // MEDIACORE_VIDEO_H264
int Config_SetAudioFormat(MediaConfig* config, int format); // MEDIACORE_AUDIO_AAC
// The box the picture as shown must fit in; the source's aspect ratio is kept and a picture is never
// enlarged.
int Config_SetVideoSize(MediaConfig* config, int width, int height);
int Config_SetVideoBitRate(MediaConfig* config, int bitsPerSecond); // 0: constant quality instead
int Config_SetVideoQuality(MediaConfig* config, int quality);       // 1..100, 0: engine's default
int Config_SetVideoFrameRate(MediaConfig* config, int numerator, int denominator); // 0/x: source rate
int Config_SetAudioSampleRate(MediaConfig* config, int samplesPerSecond);
int Config_SetAudioChannels(MediaConfig* config, int channels);     // 1 or 2, 0: source (at most 2)
int Config_SetAudioBitRate(MediaConfig* config, int bitsPerSecond); // 0: from the audio quality
int Config_SetAudioQuality(MediaConfig* config, int quality);       // 1..100, 0: engine's default

// --- Conversion. Converter_Open reads the source and prepares the destination; the settings are copied,
// so the configuration may be released right after. Converter_Start begins the work on the engine's
// worker thread, or resumes it after Converter_Pause. Converter_Stop ends it; a conversion that did not
// finish leaves no file behind (nor does one that failed). Converter_Close also forgets the source. A
// source's turn (a clip filmed upright) goes into the output's track header; the pixels are not turned.
MediaConverter* Converter_Create(int mode); // MEDIACORE_CONVERTER_MP4; null for any other mode
int Converter_Open(MediaConverter* converter, const char* source, const char* destination, const char* format,
                   const MediaConfig* config); // format: "mp4"
int Converter_Start(MediaConverter* converter);
int Converter_Pause(MediaConverter* converter);
// 1 once a pause took effect: the worker finished the packet in hand and converts nothing more until
// Converter_Start; 0 while it runs, before the pause is reached and when it is not paused.
int Converter_IsPaused(MediaConverter* converter);
int Converter_Stop(MediaConverter* converter);
int Converter_Close(MediaConverter* converter);
void Converter_Release(MediaConverter* converter);
int64_t Converter_GetDuration(MediaConverter* converter);    // the source's duration
int64_t Converter_GetConvertTime(MediaConverter* converter); // how much of it is converted so far
// 0 while the job is pending or running; 1 when it finished and the file is complete; a negative
// MediaCoreResult when it failed (also when Converter_Open failed), in which case no file is left.
int Converter_IsCompleted(MediaConverter* converter);

// --- Playback on libmpv. Player_Open loads a local file (paused) and returns once it is known to play or
// not; Player_OpenStream does the same for any URL or path mpv reads. Player_SetVideoView gives the
// native window (X11 window id) the video is drawn into; until it is given, pictures are decoded but not
// shown, and no window of mpv's own is opened.
MediaPlayer* Player_Create(int mode);
void Player_Release(MediaPlayer* player);
int Player_Open(MediaPlayer* player, const char* path);
int Player_OpenStream(MediaPlayer* player, const char* source);
int Player_Close(MediaPlayer* player);
int Player_SetVideoView(MediaPlayer* player, uintptr_t window);
int Player_Play(MediaPlayer* player);
int Player_Pause(MediaPlayer* player);
// Non-zero once playback stands still (paused or stopped, the play time no longer moves); 0 while it plays.
int Player_IsPaused(MediaPlayer* player);
int Player_Stop(MediaPlayer* player);                       // pauses and goes back to the start
int Player_FastSeek(MediaPlayer* player, int64_t position); // key frame before it; sound alone: exact
int Player_SetAudioVolume(MediaPlayer* player, int volume); // 0..100
int64_t Player_GetDuration(MediaPlayer* player);
int64_t Player_GetPlayTime(MediaPlayer* player);
int Player_IsCompleted(MediaPlayer* player); // non-zero once playback reached the end
int Player_HasAudio(MediaPlayer* player);
int Player_HasVideo(MediaPlayer* player);
int Player_GetVideoWidth(MediaPlayer* player); // as shown, like Info_GetVideoWidth
int Player_GetVideoHeight(MediaPlayer* player);
// mpv redraws its window by itself whenever it is exposed: nothing to do beyond saying whether a video is
// open (MEDIACORE_OK) or not (MEDIACORE_ERROR_STATE).
int Player_ShowVideoFrame(MediaPlayer* player);

// --- Media information from libavformat.
MediaInfo* Info_Create(int mode); // any mode; callers pass 3
void Info_Release(MediaInfo* info);
int Info_Open(MediaInfo* info, const char* path);
int64_t Info_GetDuration(MediaInfo* info);
const char* Info_GetFormatName(MediaInfo* info); // FFmpeg's demuxer name, "" when nothing is open
// The picture's size as it is shown, 0 without a video stream: a clip filmed with the phone upright stores
// landscape pixels and a quarter turn, and reports the turned size. Frame grabs come turned the same way.
int Info_GetVideoWidth(MediaInfo* info);
int Info_GetVideoHeight(MediaInfo* info);
int64_t Info_GetVideoBitRate(MediaInfo* info); // bits per second, 0 when unknown
int Info_CanSeek(MediaInfo* info);
// The frame at `time`; null when there is no video stream or it cannot be decoded.
const MediaImage* Info_GetVideoImage(MediaInfo* info, int64_t time, int flags);

#ifdef __cplusplus
}
#endif
