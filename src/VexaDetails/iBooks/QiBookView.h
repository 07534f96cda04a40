#pragma once

#include <QStringList>

#include "DeviceSubItem.h"
#include "QBaseDetailsView.h"

// The iBooks category of one device (object name "QiBookView").
class QiBookView : public QBaseDetailsView {
    Q_OBJECT
public:
    QiBookView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);
    // The books are read by the separate books loader; the view shows what it found.
    void ShowBookCount(int count) { ShowLoadResult(count); }

signals:
    void repainTree(int deviceHandle, int row, tagDeviceSubItem item);
    void clickRefresh();

protected:
    QString Caption() const override;
    QStringList ColumnTitles() const override;
    void EmitRefresh() override;
};
