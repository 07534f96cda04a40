#pragma once

#include <QLoggingCategory>

namespace mediacore {

Q_DECLARE_LOGGING_CATEGORY(ffmpegLog)
Q_DECLARE_LOGGING_CATEGORY(mpvLog)

// Sends FFmpeg's log (and x264's, which FFmpeg relays) to Qt's log under the category "vexa.ffmpeg":
// errors as warnings, warnings as debug messages, everything quieter dropped. Without it FFmpeg writes
// its notes (encoder statistics, "deprecated pixel format") straight to the terminal. Safe to call often.
void RouteFfmpegLog();

// Installs the routing again: every mpv instance takes FFmpeg's log over when it starts and hands it to
// a handler that prints on the terminal when it ends.
void ReclaimFfmpegLog();

// One line of mpv's log ("warn", "error", "fatal" levels) to the category "vexa.mpv".
void LogMpvMessage(const char* prefix, const char* level, const char* text);

} // namespace mediacore
