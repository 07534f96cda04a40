#pragma once

#include "QTableStatusPanel.h"

class QToolButton;

// The play panel in the Status column of a song row: play or pause, and send the song on.
class QPlayListStatusPanel : public QTableStatusPanel {
    Q_OBJECT
public:
    explicit QPlayListStatusPanel(QWidget* parent = nullptr);

    void SetRow(int row) { m_row = row; }
    int Row() const { return m_row; }
    // Shows the pause button while the row's song plays, else the play button.
    void SetPlaying(bool playing);
    bool IsPlaying() const { return m_playing; }

signals:
    void emitPlay(int row);
    void emitPause();
    void emitTo(int row);

private:
    void OnLanguageChanged();

    QToolButton* m_btnPlay = nullptr;
    QToolButton* m_btnTo = nullptr;
    int m_row = -1;
    bool m_playing = false;
};
