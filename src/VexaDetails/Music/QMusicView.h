#pragma once

#include <QStringList>

#include "QBaseDetailsView.h"

// The music category of one device (object name "QMusicView").
class QMusicView : public QBaseDetailsView {
    Q_OBJECT
public:
    QMusicView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);

signals:
    void emitRefreshMusicNode(int deviceHandle, QMusicView* view);
    void sendAddComputerFile(int deviceHandle, QStringList files, QMusicView* view);

protected:
    QString Caption() const override;
    QStringList ColumnTitles() const override;
    void EmitRefresh() override;
};
