#pragma once

#include <QObject>
#include <QString>

// Plays the local copy of a song for the preview. One per page; widget thread only.
class QSongPlayer : public QObject {
    Q_OBJECT
public:
    explicit QSongPlayer(QObject* parent = nullptr);
    ~QSongPlayer() override;

    // Starts `localFile` from its beginning; false when it cannot be played.
    bool Play(const QString& localFile);
    void Pause();
    // Goes on where Pause() stopped; false when nothing is paused.
    bool Resume();
    // Stops and lets go of the file, so that it can be replaced.
    void Stop();
    bool IsPlaying() const;
    bool IsPaused() const;

signals:
    // The song played to its end.
    void finished();

private:
    class Engine;
    Engine* m_engine;
};
