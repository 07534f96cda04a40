#include "QSongPlayer.h"

// Provisional until the media engine is merged.
class QSongPlayer::Engine {};

QSongPlayer::QSongPlayer(QObject* parent)
    : QObject(parent)
    , m_engine(nullptr) {}

QSongPlayer::~QSongPlayer() = default;

bool QSongPlayer::Play(const QString&) {
    return false;
}

void QSongPlayer::Pause() {}

bool QSongPlayer::Resume() {
    return false;
}

void QSongPlayer::Stop() {}

bool QSongPlayer::IsPlaying() const {
    return false;
}

bool QSongPlayer::IsPaused() const {
    return false;
}
