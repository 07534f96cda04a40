#pragma once

#include <QWidget>

class QLabel;

// One file of the player's list: its first picture, its name and its duration, read from the file
// by the media engine.
class PlayerVideobar : public QWidget {
    Q_OBJECT
public:
    PlayerVideobar(const QString& title, QWidget* parent = nullptr);

    // Reads the local file's information; false when the engine cannot open it.
    bool SetFile(const QString& localPath);
    qint64 Duration() const { return m_duration; } // microseconds
    int VideoWidth() const { return m_width; }
    int VideoHeight() const { return m_height; }
    bool CanSeek() const { return m_canSeek; }
    QString FormatName() const { return m_formatName; }
    bool HasPicture() const;

private:
    QLabel* m_picture;
    QLabel* m_name;
    QLabel* m_time;
    qint64 m_duration = 0;
    qint64 m_bitRate = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_canSeek = false;
    QString m_formatName;
};
