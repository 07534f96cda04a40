#pragma once

namespace vexa::formats {

// Sends FFmpeg's log (and x264's, which FFmpeg relays) to Qt's log under the category "vexa.ffmpeg":
// errors as warnings, warnings as debug messages, everything quieter dropped. Without it FFmpeg writes
// its notes ("deprecated pixel format", encoder banners) straight to stderr. Safe to call often.
void RouteFfmpegLog();

} // namespace vexa::formats
