#include "mediacore/MediaLog.h"

#include <cstdarg>
#include <cstring>
#include <mutex>

extern "C" {
#include <libavutil/log.h>
}

namespace mediacore {

Q_LOGGING_CATEGORY(ffmpegLog, "vexa.ffmpeg", QtWarningMsg)
Q_LOGGING_CATEGORY(mpvLog, "vexa.mpv", QtWarningMsg)

namespace {

void forward(void* context, int level, const char* format, va_list arguments) {
    if (level > AV_LOG_WARNING)
        return;
    char line[1024];
    int prefix = 1;
    av_log_format_line2(context, level, format, arguments, line, sizeof line, &prefix);
    const QString text = QString::fromUtf8(line).trimmed();
    if (text.isEmpty())
        return;
    if (level <= AV_LOG_ERROR)
        qCWarning(ffmpegLog).noquote() << text;
    else
        qCDebug(ffmpegLog).noquote() << text;
}

} // namespace

void RouteFfmpegLog() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_callback(forward); });
}

void ReclaimFfmpegLog() {
    av_log_set_callback(forward);
}

void LogMpvMessage(const char* prefix, const char* level, const char* text) {
    const QString line =
        QStringLiteral("[%1] %2").arg(QString::fromUtf8(prefix), QString::fromUtf8(text).trimmed());
    if (std::strcmp(level, "warn") == 0)
        qCDebug(mpvLog).noquote() << line;
    else
        qCWarning(mpvLog).noquote() << line;
}

} // namespace mediacore
