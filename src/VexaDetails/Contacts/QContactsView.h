#pragma once

#include <QStringList>

#include "QBaseDetailsView.h"

// The contacts category of one device (object name "QContactsView").
class QContactsView : public QBaseDetailsView {
    Q_OBJECT
public:
    QContactsView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);

signals:
    void emitRefreshContactsNode(int deviceHandle);

protected:
    QString Caption() const override;
    QStringList ColumnTitles() const override;
    void EmitRefresh() override;
};
