#pragma once

#include <QStringList>

#include "QBaseDetailsView.h"

// The apps category of one device (object name "QAppsView").
class QAppsView : public QBaseDetailsView {
    Q_OBJECT
public:
    QAppsView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);

signals:
    void emitRefreshAppNode(int deviceHandle);

protected:
    QString Caption() const override;
    QStringList ColumnTitles() const override;
    void EmitRefresh() override;
};
