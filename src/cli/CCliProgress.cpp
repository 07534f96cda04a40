#include "CCliProgress.h"

#include <algorithm>
#include <cstdio>

#include <sys/ioctl.h>
#include <unistd.h>

#include "FormatSize.h"

namespace {
constexpr qint64 kRedrawIntervalMs = 100;

int TerminalWidth() {
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 20)
        return size.ws_col;
    return 80;
}
} // namespace

CCliProgress::CCliProgress(const QString& label)
    : m_label(label)
    , m_shown(StandardErrorIsTerminal()) {
    m_clock.start();
    m_estimate.Start();
}

CCliProgress::~CCliProgress() {
    Finish();
}

bool CCliProgress::StandardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

QString CCliProgress::Bar(const QString& label, qint64 done, qint64 total, const QString& rate,
                          const QString& remaining, int width) {
    const int percent = total > 0 ? int(std::min<qint64>(100, done * 100 / total)) : 0;
    QString tail = QStringLiteral(" %1%").arg(percent, 3);
    if (!rate.isEmpty())
        tail += QStringLiteral("  ") + rate;
    if (!remaining.isEmpty())
        tail += QStringLiteral("  ") + remaining;
    const int barWidth = std::max(10, std::min(40, width - int(label.size() + tail.size()) - 4));
    const int filled = barWidth * percent / 100;
    const QString bar = QString(filled, QLatin1Char('#')) + QString(barWidth - filled, QLatin1Char('-'));
    return QStringLiteral("%1 [%2]%3").arg(label, bar, tail).left(width - 1);
}

void CCliProgress::Update(qint64 done, qint64 total, qint64 bytesDone, qint64 bytesTotal) {
    if (!m_shown)
        return;
    const bool last = total > 0 && done >= total;
    if (!last && m_sinceDrawn.isValid() && m_sinceDrawn.elapsed() < kRedrawIntervalMs)
        return;
    m_sinceDrawn.restart();
    const double seconds = double(m_clock.elapsed()) / 1000.0;
    const QString rate = seconds > 0.2 && bytesDone > 0
                             ? tr("%1/s").arg(FormatSize(uint64_t(double(bytesDone) / seconds)))
                             : QString();
    // Bytes tell the time left better than files: one large file is most of a backup.
    const QString remaining = bytesTotal > 0 ? m_estimate.RemainingText(bytesDone, bytesTotal)
                                             : m_estimate.RemainingText(done, total);
    const QString line = Bar(m_label, done, total, rate, remaining, TerminalWidth());
    std::fputs(("\r" + line + "\033[K").toUtf8().constData(), stderr);
    std::fflush(stderr);
    m_drawn = true;
}

void CCliProgress::Finish() {
    if (!m_drawn)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    m_drawn = false;
}
