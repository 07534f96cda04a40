#include "CProgressEstimate.h"

void CProgressEstimate::Start() {
    m_clock.start();
}

QString CProgressEstimate::RemainingText(qint64 done, qint64 total) const {
    if (!m_clock.isValid() || done <= 0 || total <= 0)
        return QString();
    const qint64 elapsedMs = m_clock.elapsed();
    if (elapsedMs < 1000 && done * 10 < total)
        return QString();
    const double rest = double(total - std::min(done, total)) * double(elapsedMs) / double(done);
    return tr("About %1 remaining").arg(DurationText(qint64(rest / 1000.0 + 0.999)));
}

QString CProgressEstimate::DurationText(qint64 seconds) {
    if (seconds >= 3600)
        return tr("%1 h %2 min").arg(seconds / 3600).arg(seconds % 3600 / 60);
    if (seconds >= 60)
        return tr("%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
    return tr("%1 s").arg(seconds);
}
