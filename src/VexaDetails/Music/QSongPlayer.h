#pragma once

#include <QObject>
#include <QString>

class QPreviewPlayer;

// Plays the local copy of a song for the preview, sound only, through the media engine's preview player.
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
    // How far the song has played, in milliseconds.
    qint64 PlayTime() const;

signals:
    // The song played to its end.
    void finished();

private:
    QPreviewPlayer* m_player = nullptr;
};
