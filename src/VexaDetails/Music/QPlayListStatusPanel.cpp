#include "QPlayListStatusPanel.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

#include "QProUtil.h"

QPlayListStatusPanel::QPlayListStatusPanel(QWidget* parent)
    : QTableStatusPanel(parent) {
    setObjectName(QStringLiteral("QPlayListStatusPanel"));
    m_btnPlay = new QToolButton(this);
    m_btnPlay->setObjectName(QStringLiteral("m_btnPlay"));
    m_btnPlay->setAutoRaise(true);
    m_btnTo = new QToolButton(this);
    m_btnTo->setObjectName(QStringLiteral("m_btnTo"));
    m_btnTo->setAutoRaise(true);
    m_btnTo->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    ButtonLayout()->addWidget(m_btnPlay);
    ButtonLayout()->addWidget(m_btnTo);
    connect(m_btnPlay, &QToolButton::clicked, this, [this] {
        if (m_playing)
            emit emitPause();
        else
            emit emitPlay(m_row);
    });
    connect(m_btnTo, &QToolButton::clicked, this, [this] { emit emitTo(m_row); });
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QPlayListStatusPanel::OnLanguageChanged);
    SetPlaying(false);
}

void QPlayListStatusPanel::SetPlaying(bool playing) {
    m_playing = playing;
    m_btnPlay->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    OnLanguageChanged();
}

void QPlayListStatusPanel::OnLanguageChanged() {
    m_btnPlay->setToolTip(m_playing ? tr("Pause") : tr("Play"));
    m_btnTo->setToolTip(tr("To Computer"));
}
