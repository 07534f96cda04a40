#pragma once

#include <QStringList>

#include "QBaseDetailsView.h"

// The video category of one device (object name "QVideoView").
class QVideoView : public QBaseDetailsView {
    Q_OBJECT
public:
    QVideoView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);

signals:
    void emitRefreshVideoNode(int deviceHandle, QVideoView* view);
    void sendAddComputerFile(int deviceHandle, QStringList files, QVideoView* view);

protected:
    QString Caption() const override;
    QStringList ColumnTitles() const override;
    void EmitRefresh() override;
};
