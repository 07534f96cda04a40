#include "qmessageView.h"

qmessageView::qmessageView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent) {
    setObjectName(QStringLiteral("qmessageView"));
    InitControls();
}

QString qmessageView::Caption() const {
    return tr("Messages");
}

QStringList qmessageView::ColumnTitles() const {
    return {tr("Contact"), tr("Number"), tr("Messages"), tr("Last message")};
}

void qmessageView::EmitRefresh() {
    emit refreshMSGNode(DeviceHandle());
}
