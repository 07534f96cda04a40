#pragma once

#include <QWidget>

#include "CProgressEstimate.h"

class QLabel;
class QMovie;
class QImageProgressBar;

// The moving part of the backup and restore dialogs: the animation, a bar over the bytes and a line
// with the files done and the time left.
class QProgressBlock : public QWidget {
    Q_OBJECT
public:
    explicit QProgressBlock(QWidget* parent = nullptr);

    void Start();
    void SetProgress(qint64 filesDone, qint64 filesTotal, qint64 bytesDone, qint64 bytesTotal);
    void Finish(bool complete);
    QString DetailText() const;
    qint64 BarValue() const;
    qint64 BarMaximum() const;
    void OnLanguageChanged();

private:
    QLabel* m_animation;
    QMovie* m_movie;
    QImageProgressBar* m_bar;
    QLabel* m_detail;
    CProgressEstimate m_estimate;
    qint64 m_filesDone = 0;
    qint64 m_filesTotal = 0;
};
