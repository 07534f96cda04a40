#include "FfmpegLog.h"

#include <cstdio>
#include <mutex>

extern "C" {
#include <libavutil/log.h>
}

#include <QLoggingCategory>

namespace vexa::formats {

namespace {

Q_LOGGING_CATEGORY(ffmpegLog, "vexa.ffmpeg", QtWarningMsg)

void forward(void* context, int level, const char* format, va_list arguments) {
    if (level > AV_LOG_WARNING)
        return;
    char line[1024];
    int prefix = 1;
    av_log_format_line2(context, level, format, arguments, line, sizeof line, &prefix);
    QString text = QString::fromUtf8(line).trimmed();
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

} // namespace vexa::formats
