#include "QSongPlayer.h"

#include <QDebug>

#include "mediacore/QPreviewPlayer.h"

QSongPlayer::QSongPlayer(QObject* parent)
    : QObject(parent) {}

QSongPlayer::~QSongPlayer() = default;

bool QSongPlayer::Play(const QString& localFile) {
    Stop();
    // The engine's player (and its threads) is made for the first song, not for every page.
    if (!m_player) {
        m_player = new QPreviewPlayer(this);
        connect(m_player, &QPreviewPlayer::finished, this, &QSongPlayer::finished);
    }
    m_player->setCurrentSource(localFile);
    if (m_player->state() == QPreviewPlayer::ErrorState) {
        qDebug() << "QSongPlayer::Play" << m_player->errorString();
        m_player->clear();
        return false;
    }
    m_player->play();
    return m_player->state() == QPreviewPlayer::PlayingState;
}

void QSongPlayer::Pause() {
    if (m_player && m_player->state() == QPreviewPlayer::PlayingState)
        m_player->pause();
}

bool QSongPlayer::Resume() {
    if (!m_player || m_player->state() != QPreviewPlayer::PausedState)
        return false;
    m_player->play();
    return m_player->state() == QPreviewPlayer::PlayingState;
}

void QSongPlayer::Stop() {
    if (!m_player)
        return;
    m_player->stop();
    m_player->clear();
}

bool QSongPlayer::IsPlaying() const {
    return m_player && m_player->state() == QPreviewPlayer::PlayingState;
}

bool QSongPlayer::IsPaused() const {
    return m_player && m_player->state() == QPreviewPlayer::PausedState;
}

qint64 QSongPlayer::PlayTime() const {
    return m_player ? m_player->currentTime() : 0;
}
