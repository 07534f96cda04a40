#pragma once

#include <QStringList>

#include "QBaseDetailsView.h"

// The system category of one device (object name "QSystemView").
class QSystemView : public QBaseDetailsView {
    Q_OBJECT
public:
    QSystemView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);

protected:
    QString Caption() const override;
    QStringList ColumnTitles() const override;
};
