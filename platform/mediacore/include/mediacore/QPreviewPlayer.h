#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include "mediacore/MediaCore.h"

// The playlist's song preview: one local file played through the media engine, sound only. Lives and is
// used on the GUI thread; finished() comes when the song has played to its end.
class QPreviewPlayer : public QObject {
    Q_OBJECT

public:
    enum State { StoppedState, PlayingState, PausedState, ErrorState };
    Q_ENUM(State)

    explicit QPreviewPlayer(QObject* parent = nullptr);
    ~QPreviewPlayer() override;

    // Loads the file (stopped at its start); ErrorState when it cannot be played.
    void setCurrentSource(const QString& localPath);
    QString currentSource() const { return m_source; }
    void play();
    void pause();
    void stop();
    // Forgets the file, so that it may be replaced or removed.
    void clear();
    State state() const { return m_state; }
    QString errorString() const { return m_error; }
    qint64 currentTime() const; // milliseconds
    qint64 totalTime() const;   // milliseconds

signals:
    void stateChanged(QPreviewPlayer::State newState, QPreviewPlayer::State oldState);
    void finished();

private slots:
    void OnWatchTimer();

private:
    void setState(State state);
    void fail(const QString& error);

    MediaPlayer* m_player = nullptr;
    QTimer m_watch;
    QString m_source;
    QString m_error;
    State m_state = StoppedState;
};
