#pragma once

#include <QString>
#include <QTimer>

#include "mediacore/MediaCore.h"

class IConverterVideoCallback;

// One conversion of a video file into MP4 on the media engine. The engine converts on its own thread;
// the job polls it every 500 ms on the interface thread and tells its callback.
class CConverterVideo {
public:
    CConverterVideo(const QString& source, const QString& destination);
    ~CConverterVideo();

    CConverterVideo(const CConverterVideo&) = delete;
    CConverterVideo& operator=(const CConverterVideo&) = delete;

    void SetCallback(IConverterVideoCallback* callback) { m_callback = callback; }
    QString Source() const { return m_source; }
    QString Destination() const { return m_destination; }
    // Microseconds, read when the job starts.
    qint64 Duration() const { return m_duration; }
    // The engine's answer once the job has ended: 1 finished, a negative code when it failed.
    int Outcome() const { return m_outcome; }
    bool IsPolling() const { return m_timer.isActive(); }

    void Start();
    void Pause();
    void Resume();
    // Ends the job for good; an unfinished destination is removed by the engine.
    void Stop();

private:
    void OnTimer();
    void Finish(int outcome);

    QString m_source;
    QString m_destination;
    QTimer m_timer;
    MediaConverter* m_converter = nullptr;
    IConverterVideoCallback* m_callback = nullptr;
    qint64 m_duration = 0;
    int m_outcome = 0;
};
