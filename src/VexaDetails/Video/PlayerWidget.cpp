#include "PlayerWidget.h"

#include <QCloseEvent>
#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

#include "CPlayerFileCopy.h"
#include "PlayBtnWidget.h"
#include "PlayListWidget.h"
#include "PlayerVideobar.h"
#include "QMessageDlg.h"
#include "QProUtil.h"
#include "WidgetColors.h"
#include "WindowPlacement.h"
#include "qSliderCtrl.h"

namespace {

constexpr int kVideoPlayerMode = -97;
constexpr int kTickMs = 200;
constexpr qint64 kSkipMicroseconds = 10 * 1000000LL;
const QSize kVideoBox(640, 360);

QString ClockText(qint64 microseconds) {
    const qint64 seconds = qMax<qint64>(0, microseconds) / 1000000;
    const auto two = [](qint64 value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); };
    if (seconds >= 3600)
        return QStringLiteral("%1:%2:%3").arg(two(seconds / 3600), two(seconds / 60 % 60), two(seconds % 60));
    return QStringLiteral("%1:%2").arg(two(seconds / 60), two(seconds % 60));
}

} // namespace

PlayerWidget::PlayerWidget(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_player(Player_Create(kVideoPlayerMode))
    , m_video(new QWidget(this))
    , m_status(new QLabel(this))
    , m_buttons(new PlayBtnWidget(this))
    , m_list(new PlayListWidget(this))
    , m_copy(new CPlayerFileCopy(this)) {
    setObjectName(QStringLiteral("PlayerWidget"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    // The engine draws into the video area's own window; Qt must not paint over it.
    m_video->setObjectName(QStringLiteral("m_videoWidget"));
    m_video->setAttribute(Qt::WA_NativeWindow);
    m_video->setAttribute(Qt::WA_DontCreateNativeAncestors);
    m_video->setAttribute(Qt::WA_PaintOnScreen);
    m_video->setAttribute(Qt::WA_NoSystemBackground);
    m_video->setAttribute(Qt::WA_OpaquePaintEvent);
    m_video->setMinimumSize(kVideoBox / 2);
    m_video->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_video->installEventFilter(this);
    m_status->setStyleSheet(QStringLiteral("color:%1;").arg(WidgetColors::kText.name()));
    m_list->setFixedWidth(220);

    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(m_video, 1);
    left->addWidget(m_status);
    left->addWidget(m_buttons);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(left, 1);
    layout->addWidget(m_list);
    resize(kVideoBox.width() + 240, kVideoBox.height() + 100);

    connect(m_buttons, &PlayBtnWidget::emitBtnBack, this, &PlayerWidget::OnBtnBack);
    connect(m_buttons, &PlayBtnWidget::emitBtnFast, this, &PlayerWidget::OnBtnFast);
    connect(m_buttons, &PlayBtnWidget::emitBtnFullScreen, this, &PlayerWidget::OnBtnFullScreen);
    connect(m_buttons, &PlayBtnWidget::emitBtnListset, this, &PlayerWidget::OnBtnListset);
    connect(m_buttons, &PlayBtnWidget::emitBtnNextVideo, this, &PlayerWidget::OnBtnNextVideo);
    connect(m_buttons, &PlayBtnWidget::emitBtnOpenFloder, this, &PlayerWidget::OnBtnOpenFloder);
    connect(m_buttons, &PlayBtnWidget::emitBtnPause, this, &PlayerWidget::OnBtnPause);
    connect(m_buttons, &PlayBtnWidget::emitBtnPlay, this, &PlayerWidget::OnBtnPlay);
    connect(m_buttons, &PlayBtnWidget::emitBtnStop, this, &PlayerWidget::OnBtnStop);
    connect(m_buttons, &PlayBtnWidget::emitBtnPreVideo, this, &PlayerWidget::OnBtnPreVideo);
    connect(m_buttons, &PlayBtnWidget::emitBtnVolume, this, &PlayerWidget::OnBtnVolume);
    connect(m_buttons, &PlayBtnWidget::sendProgressValue, this, &PlayerWidget::ProgressValueChange);
    connect(m_buttons, &PlayBtnWidget::sendVolumeValue, this, &PlayerWidget::VolumeValueChange);
    connect(m_list, &PlayListWidget::emitPlayVideo, this, [this](const QString& source) {
        for (int row = 0; row < m_list->count(); ++row)
            if (m_list->Source(row) == source)
                PlayRow(row);
    });
    connect(m_list, &PlayListWidget::emitDeleteVideo, this, [this] {
        // The playing file may have left the list: forget where it stood.
        m_current = qMin(m_current, m_list->count() - 1);
    });
    connect(m_copy, &CPlayerFileCopy::copied, this, &PlayerWidget::OnCopied, Qt::QueuedConnection);
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &PlayerWidget::UpdateTime);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &PlayerWidget::OnLanguageChanged);
    if (!m_player)
        qDebug() << "PlayerWidget Player_Create failed";
    ApplyVolume();
    OnLanguageChanged();
}

PlayerWidget::~PlayerWidget() {
    m_timer.stop();
    // The copy ends before the player goes; its result is dropped with this window.
    delete m_copy;
    m_copy = nullptr;
    CloseFile();
    Player_Release(m_player);
}

void PlayerWidget::PlayLocalFile(const QString& localPath, const QString& title) {
    const QString name = title.isEmpty() ? QFileInfo(localPath).fileName() : title;
    PlayRow(m_list->AddEntry(name, localPath, false));
}

void PlayerWidget::PlayDeviceVideo(int deviceHandle, const std::string& devicePath, const QString& title) {
    m_deviceHandle = deviceHandle;
    PlayRow(m_list->AddEntry(title, QString::fromStdString(devicePath), true));
}

bool PlayerWidget::PlayRow(int row) {
    if (row < 0 || row >= m_list->count())
        return false;
    m_current = row;
    m_list->setCurrentRow(row);
    CloseFile();
    if (!m_list->IsOnDevice(row)) {
        OpenLocal(m_list->Source(row));
        return true;
    }
    // The previous copy is closed above, so the new one may replace it.
    m_copyTicket = ++m_nextTicket;
    ShowStatus(tr("Copying %1 ...").arg(m_list->Title(row)));
    if (!m_copy->Copy(m_deviceHandle, m_list->Source(row).toStdString(), m_copyTicket))
        OnCopied(m_copyTicket, QString());
    return true;
}

void PlayerWidget::OnCopied(int ticket, const QString& localPath) {
    // A copy that was overtaken by another file or by closing the window is dropped.
    if (ticket != m_copyTicket || ticket == 0)
        return;
    m_copyTicket = 0;
    ShowStatus(QString());
    if (localPath.isEmpty()) {
        qDebug() << "Can't play";
        ShowMessage(tr("Can't play"));
        return;
    }
    OpenLocal(localPath);
}

void PlayerWidget::OpenLocal(const QString& localPath) {
    if (!m_player || Player_Open(m_player, localPath.toUtf8().constData()) != MEDIACORE_OK) {
        qDebug() << "PlayerWidget Player_Open failed" << localPath;
        ShowMessage(tr("Can't play"));
        return;
    }
    m_localFile = localPath;
    m_open = true;
    m_completed = false;
    Player_SetVideoView(m_player, uintptr_t(m_video->winId()));
    ApplyVolume();
    Player_Play(m_player);
    if (PlayerVideobar* bar = m_list->Bar(m_current))
        bar->SetFile(localPath);
    FitVideoArea();
    m_buttons->ShowPlaying(true);
    m_timer.start();
    UpdateTime();
}

void PlayerWidget::CloseFile() {
    m_timer.stop();
    if (m_open)
        Player_Close(m_player);
    m_open = false;
    m_completed = false;
    m_localFile.clear();
    if (m_buttons) {
        m_buttons->ShowPlaying(false);
        m_buttons->SetTimeText(QStringLiteral("00:00 / 00:00"));
        m_buttons->ProgressSlider()->SetValue(0);
    }
}

void PlayerWidget::UpdateTime() {
    if (!m_open)
        return;
    const qint64 position = Player_GetPlayTime(m_player);
    const qint64 duration = Player_GetDuration(m_player);
    m_buttons->SetTimeText(QStringLiteral("%1 / %2").arg(ClockText(position), ClockText(duration)));
    m_buttons->ProgressSlider()->SetValue(duration > 0 ? double(position) / double(duration) : 0.0);
    if (!m_completed && Player_IsCompleted(m_player)) {
        // The run is over; Play starts it again from the beginning.
        m_completed = true;
        Player_Pause(m_player);
        m_buttons->ShowPlaying(false);
    }
}

void PlayerWidget::ProgressValueChange(double fraction) {
    if (!m_open)
        return;
    const qint64 target = qint64(double(Player_GetDuration(m_player)) * qBound(0.0, fraction, 1.0));
    Player_FastSeek(m_player, target);
    m_completed = false;
    UpdateTime();
}

void PlayerWidget::SeekBy(qint64 microseconds) {
    if (!m_open)
        return;
    const qint64 duration = Player_GetDuration(m_player);
    Player_FastSeek(m_player, qBound<qint64>(0, Player_GetPlayTime(m_player) + microseconds, duration));
    UpdateTime();
}

void PlayerWidget::OnBtnBack() {
    SeekBy(-kSkipMicroseconds);
}

void PlayerWidget::OnBtnFast() {
    SeekBy(kSkipMicroseconds);
}

void PlayerWidget::OnBtnPlay() {
    if (!m_open) {
        if (!IsCopying())
            PlayRow(m_current);
        return;
    }
    if (m_completed) {
        Player_Stop(m_player);
        m_completed = false;
    }
    Player_Play(m_player);
    m_buttons->ShowPlaying(true);
}

void PlayerWidget::OnBtnPause() {
    if (m_open)
        Player_Pause(m_player);
    m_buttons->ShowPlaying(false);
}

void PlayerWidget::OnBtnStop() {
    if (m_open)
        Player_Stop(m_player);
    m_buttons->ShowPlaying(false);
    UpdateTime();
}

void PlayerWidget::OnBtnPreVideo() {
    // The first file has nothing before it: the player stays where it is.
    if (m_current > 0 && PlayRow(m_current - 1))
        emit emitPreFile();
}

void PlayerWidget::OnBtnNextVideo() {
    if (m_current + 1 < m_list->count() && PlayRow(m_current + 1))
        emit emitNextFile();
}

void PlayerWidget::OnBtnFullScreen() {
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

void PlayerWidget::OnBtnListset() {
    m_list->setVisible(!m_list->isVisible());
}

void PlayerWidget::OnBtnOpenFloder() {
    const QStringList files = QFileDialog::getOpenFileNames(
        this, tr("Open"), QString(),
        tr("Video Files(*.mp4 *.m4v *.mov *.avi *.mkv *.wmv *.flv *.mpg *.webm)"));
    if (files.isEmpty())
        return;
    const int first = m_list->count();
    for (const QString& file : files)
        m_list->AddEntry(QFileInfo(file).fileName(), file, false);
    PlayRow(qMin(first, m_list->count() - 1));
}

void PlayerWidget::OnBtnVolume(bool mute) {
    m_mute = mute;
    ApplyVolume();
}

void PlayerWidget::VolumeValueChange(double fraction) {
    m_volume = qBound(0, int(fraction * 100 + 0.5), 100);
    ApplyVolume();
}

void PlayerWidget::ApplyVolume() {
    m_appliedVolume = m_mute ? 0 : m_volume;
    Player_SetAudioVolume(m_player, m_appliedVolume);
}

void PlayerWidget::FitVideoArea() {
    const int width = Player_GetVideoWidth(m_player);
    const int height = Player_GetVideoHeight(m_player);
    if (width > 0 && height > 0)
        m_video->setMinimumSize(QSize(width, height).scaled(kVideoBox / 2, Qt::KeepAspectRatio));
}

void PlayerWidget::ShowStatus(const QString& text) {
    m_status->setText(text);
}

bool PlayerWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_video && event->type() == QEvent::Paint) {
        if (m_open && !m_completed && Player_HasVideo(m_player))
            Player_ShowVideoFrame(m_player);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PlayerWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && isFullScreen()) {
        showNormal();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PlayerWidget::closeEvent(QCloseEvent* event) {
    // A copy still running for this window is no longer wanted.
    m_copyTicket = 0;
    ShowStatus(QString());
    CloseFile();
    emit emitClose();
    event->accept();
}

void PlayerWidget::showEvent(QShowEvent* event) {
    if (!event->spontaneous() && !testAttribute(Qt::WA_Moved))
        CentreOn(this, parentWidget());
    QWidget::showEvent(event);
}

void PlayerWidget::OnLanguageChanged() {
    setWindowTitle(tr("Player"));
    m_buttons->OnLanguageChanged();
    m_list->OnLanguageChanged();
}
