#pragma once

#include <QStringList>

#include "QBaseDetailsView.h"

// The playlist category of one device (object name "QPlayListView").
class QPlayListView : public QBaseDetailsView {
    Q_OBJECT
public:
    QPlayListView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);

protected:
    QString Caption() const override;
    QStringList ColumnTitles() const override;
};
