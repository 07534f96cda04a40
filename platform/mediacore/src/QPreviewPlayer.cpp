#include "mediacore/QPreviewPlayer.h"

#include <QDebug>

namespace {

// How often a playing song is checked for its end; finished() comes at most this late.
constexpr int kWatchIntervalMs = 100;

} // namespace

QPreviewPlayer::QPreviewPlayer(QObject* parent)
    : QObject(parent)
    , m_player(Player_Create(MEDIACORE_PLAYER_AUDIO)) {
    m_watch.setInterval(kWatchIntervalMs);
    connect(&m_watch, &QTimer::timeout, this, &QPreviewPlayer::OnWatchTimer);
    if (!m_player)
        qWarning() << "QPreviewPlayer: the media engine could not make a player";
}

QPreviewPlayer::~QPreviewPlayer() {
    Player_Release(m_player);
}

void QPreviewPlayer::setCurrentSource(const QString& localPath) {
    m_watch.stop();
    m_source = localPath;
    m_error.clear();
    if (!m_player) {
        fail(tr("No media player is available"));
        return;
    }
    if (Player_Open(m_player, localPath.toUtf8().constData()) != MEDIACORE_OK) {
        fail(tr("The file cannot be played"));
        return;
    }
    setState(StoppedState);
}

void QPreviewPlayer::play() {
    if (m_state == ErrorState || m_source.isEmpty())
        return;
    // A song that played to its end starts again from the beginning.
    if (Player_IsCompleted(m_player))
        Player_Stop(m_player);
    if (Player_Play(m_player) != MEDIACORE_OK) {
        fail(tr("The file cannot be played"));
        return;
    }
    m_watch.start();
    setState(PlayingState);
}

void QPreviewPlayer::pause() {
    if (m_state != PlayingState)
        return;
    Player_Pause(m_player);
    m_watch.stop();
    setState(PausedState);
}

void QPreviewPlayer::stop() {
    if (m_state != PlayingState && m_state != PausedState)
        return;
    Player_Stop(m_player);
    m_watch.stop();
    setState(StoppedState);
}

void QPreviewPlayer::clear() {
    m_watch.stop();
    Player_Close(m_player);
    m_source.clear();
    m_error.clear();
    setState(StoppedState);
}

qint64 QPreviewPlayer::currentTime() const {
    return Player_GetPlayTime(m_player) / 1000;
}

qint64 QPreviewPlayer::totalTime() const {
    return Player_GetDuration(m_player) / 1000;
}

void QPreviewPlayer::OnWatchTimer() {
    if (!Player_IsCompleted(m_player))
        return;
    m_watch.stop();
    setState(StoppedState);
    emit finished();
}

void QPreviewPlayer::setState(State state) {
    if (state == m_state)
        return;
    const State old = m_state;
    m_state = state;
    emit stateChanged(state, old);
}

void QPreviewPlayer::fail(const QString& error) {
    qDebug() << "QPreviewPlayer:" << error << m_source;
    m_error = error;
    setState(ErrorState);
}
