#pragma once

#include <QStyle>
#include <QWidget>

class QLabel;
class QPushButton;
class qSliderCtrl;

// The player's control strip: the seek bar with the time text above the buttons (open, previous,
// back, play, pause, stop, fast, next, play list, full screen) and the mute button with the volume.
class PlayBtnWidget : public QWidget {
    Q_OBJECT
public:
    explicit PlayBtnWidget(QWidget* parent = nullptr);

    qSliderCtrl* ProgressSlider() const { return m_progress; }
    qSliderCtrl* VolumeSlider() const { return m_volume; }
    QPushButton* MuteButton() const { return m_btnVolume; }
    void SetTimeText(const QString& text);
    QString TimeText() const;
    // Play and pause swap places as playback starts and stops.
    void ShowPlaying(bool playing);

public slots:
    void OnLanguageChanged();

signals:
    void emitBtnBack();
    void emitBtnFast();
    void emitBtnFullScreen();
    void emitBtnListset();
    void emitBtnNextVideo();
    void emitBtnOpenFloder();
    void emitBtnPause();
    void emitBtnPlay();
    void emitBtnStop();
    void emitBtnVolume(bool mute);
    void emitBtnPreVideo();
    void sendVolumeValue(double fraction);
    void sendProgressValue(double fraction);

private:
    QPushButton* AddButton(QStyle::StandardPixmap icon, void (PlayBtnWidget::*signal)());

    qSliderCtrl* m_progress;
    qSliderCtrl* m_volume;
    QLabel* m_time;
    QPushButton* m_btnOpen = nullptr;
    QPushButton* m_btnPre = nullptr;
    QPushButton* m_btnBack = nullptr;
    QPushButton* m_btnPlay = nullptr;
    QPushButton* m_btnPause = nullptr;
    QPushButton* m_btnStop = nullptr;
    QPushButton* m_btnFast = nullptr;
    QPushButton* m_btnNext = nullptr;
    QPushButton* m_btnList = nullptr;
    QPushButton* m_btnFull = nullptr;
    QPushButton* m_btnVolume = nullptr;
};
