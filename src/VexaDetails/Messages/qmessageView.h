#pragma once

#include <QStringList>

#include "DeviceSubItem.h"
#include "QBaseDetailsView.h"

// The messages category of one device (object name "qmessageView").
class qmessageView : public QBaseDetailsView {
    Q_OBJECT
public:
    qmessageView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);

signals:
    void refreshMSGNode(int deviceHandle);
    void repainTree(int deviceHandle, int row, tagDeviceSubItem item);

protected:
    QString Caption() const override;
    QStringList ColumnTitles() const override;
    void EmitRefresh() override;
};
