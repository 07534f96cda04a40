#include "PlayBtnWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "WidgetColors.h"
#include "qSliderCtrl.h"

namespace {
constexpr double kStartVolume = 0.5;
}

PlayBtnWidget::PlayBtnWidget(QWidget* parent)
    : QWidget(parent)
    , m_progress(new qSliderCtrl(this))
    , m_volume(new qSliderCtrl(this))
    , m_time(new QLabel(this)) {
    setObjectName(QStringLiteral("PlayBtnWidget"));
    m_time->setObjectName(QStringLiteral("m_labelTime"));
    m_time->setStyleSheet(QStringLiteral("color:%1;").arg(WidgetColors::kText.name()));
    m_time->setText(QStringLiteral("00:00 / 00:00"));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    m_btnOpen = AddButton(QStyle::SP_DirOpenIcon, &PlayBtnWidget::emitBtnOpenFloder);
    m_btnPre = AddButton(QStyle::SP_MediaSkipBackward, &PlayBtnWidget::emitBtnPreVideo);
    m_btnBack = AddButton(QStyle::SP_MediaSeekBackward, &PlayBtnWidget::emitBtnBack);
    m_btnPlay = AddButton(QStyle::SP_MediaPlay, &PlayBtnWidget::emitBtnPlay);
    m_btnPause = AddButton(QStyle::SP_MediaPause, &PlayBtnWidget::emitBtnPause);
    m_btnStop = AddButton(QStyle::SP_MediaStop, &PlayBtnWidget::emitBtnStop);
    m_btnFast = AddButton(QStyle::SP_MediaSeekForward, &PlayBtnWidget::emitBtnFast);
    m_btnNext = AddButton(QStyle::SP_MediaSkipForward, &PlayBtnWidget::emitBtnNextVideo);
    m_btnList = AddButton(QStyle::SP_FileDialogListView, &PlayBtnWidget::emitBtnListset);
    m_btnFull = AddButton(QStyle::SP_TitleBarMaxButton, &PlayBtnWidget::emitBtnFullScreen);
    for (QPushButton* button : {m_btnOpen, m_btnPre, m_btnBack, m_btnPlay, m_btnPause, m_btnStop, m_btnFast,
                                m_btnNext, m_btnList, m_btnFull})
        buttons->addWidget(button);
    m_btnPause->hide();
    buttons->addStretch(1);
    m_btnVolume = new QPushButton(this);
    m_btnVolume->setObjectName(QStringLiteral("m_btnVolume"));
    m_btnVolume->setCheckable(true);
    m_btnVolume->setIcon(style()->standardIcon(QStyle::SP_MediaVolume));
    connect(m_btnVolume, &QPushButton::toggled, this, [this](bool mute) {
        m_btnVolume->setIcon(
            style()->standardIcon(mute ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume));
        emit emitBtnVolume(mute);
    });
    buttons->addWidget(m_btnVolume);
    m_volume->setFixedWidth(90);
    m_volume->SetValue(kStartVolume);
    buttons->addWidget(m_volume);
    connect(m_volume, &qSliderCtrl::sendProgressValue, this, &PlayBtnWidget::sendVolumeValue);
    connect(m_progress, &qSliderCtrl::sendProgressValue, this, &PlayBtnWidget::sendProgressValue);

    auto* top = new QHBoxLayout;
    top->addWidget(m_progress, 1);
    top->addWidget(m_time);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addLayout(top);
    layout->addLayout(buttons);
    OnLanguageChanged();
}

QPushButton* PlayBtnWidget::AddButton(QStyle::StandardPixmap icon, void (PlayBtnWidget::*signal)()) {
    auto* button = new QPushButton(this);
    button->setIcon(style()->standardIcon(icon));
    button->setFixedSize(32, 28);
    connect(button, &QPushButton::clicked, this, signal);
    return button;
}

void PlayBtnWidget::SetTimeText(const QString& text) {
    m_time->setText(text);
}

QString PlayBtnWidget::TimeText() const {
    return m_time->text();
}

void PlayBtnWidget::ShowPlaying(bool playing) {
    m_btnPlay->setVisible(!playing);
    m_btnPause->setVisible(playing);
}

void PlayBtnWidget::OnLanguageChanged() {
    m_btnOpen->setToolTip(tr("Open"));
    m_btnPre->setToolTip(tr("Previous"));
    m_btnBack->setToolTip(tr("Back"));
    m_btnPlay->setToolTip(tr("Play"));
    m_btnPause->setToolTip(tr("Pause"));
    m_btnStop->setToolTip(tr("Stop"));
    m_btnFast->setToolTip(tr("Forward"));
    m_btnNext->setToolTip(tr("Next"));
    m_btnList->setToolTip(tr("Play list"));
    m_btnFull->setToolTip(tr("Full screen"));
    m_btnVolume->setToolTip(tr("Mute"));
}
