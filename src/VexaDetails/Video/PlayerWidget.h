#pragma once

#include <string>

#include <QTimer>
#include <QWidget>

#include "mediacore/MediaCore.h"

class CPlayerFileCopy;
class PlayBtnWidget;
class PlayListWidget;
class QLabel;

// The video player window: the picture drawn by the media engine into a native child window, the
// controls below it and the list of files opened in it beside. Plays local files and device videos,
// which are copied to a local file first.
class PlayerWidget : public QWidget {
    Q_OBJECT
public:
    explicit PlayerWidget(QWidget* parent = nullptr);
    ~PlayerWidget() override;

    // Lists the file and plays it.
    void PlayLocalFile(const QString& localPath, const QString& title = QString());
    void PlayDeviceVideo(int deviceHandle, const std::string& devicePath, const QString& title);
    // Plays the list's row; false when there is none.
    bool PlayRow(int row);

    PlayBtnWidget* Buttons() const { return m_buttons; }
    PlayListWidget* PlayList() const { return m_list; }
    QWidget* VideoArea() const { return m_video; }
    MediaPlayer* Player() const { return m_player; }
    int CurrentRow() const { return m_current; }
    bool IsCopying() const { return m_copyTicket != 0; }
    bool IsOpen() const { return m_open; }
    int Volume() const { return m_volume; }
    bool IsMuted() const { return m_mute; }
    // What the engine was last told.
    int AppliedVolume() const { return m_appliedVolume; }
    QString LocalFile() const { return m_localFile; }

public slots:
    void OnBtnBack();
    void OnBtnFast();
    void OnBtnFullScreen();
    void OnBtnNextVideo();
    void OnBtnPreVideo();
    void OnBtnPause();
    void OnBtnPlay();
    void OnBtnStop();
    void OnBtnOpenFloder();
    void OnBtnListset();
    void OnBtnVolume(bool mute);
    void ProgressValueChange(double fraction);
    void VolumeValueChange(double fraction);
    void UpdateTime();
    void OnLanguageChanged();

signals:
    void emitPreFile();
    void emitNextFile();
    void emitClose();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The first time over the window it was opened from; afterwards where the user left it.
    void showEvent(QShowEvent* event) override;

private:
    void OnCopied(int ticket, const QString& localPath);
    void OpenLocal(const QString& localPath);
    void CloseFile();
    void ApplyVolume();
    void SeekBy(qint64 microseconds);
    void FitVideoArea();
    void ShowStatus(const QString& text);

    MediaPlayer* m_player = nullptr;
    QWidget* m_video;
    QLabel* m_status;
    PlayBtnWidget* m_buttons;
    PlayListWidget* m_list;
    CPlayerFileCopy* m_copy;
    QTimer m_timer;
    QString m_localFile;
    int m_current = -1;
    int m_deviceHandle = -1;
    int m_copyTicket = 0;
    int m_nextTicket = 0;
    int m_volume = 50;
    int m_appliedVolume = -1;
    bool m_mute = false;
    bool m_open = false;
    bool m_completed = false;
};
