#include "QContactsView.h"

QContactsView::QContactsView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent) {
    setObjectName(QStringLiteral("QContactsView"));
    InitControls();
}

QString QContactsView::Caption() const {
    return tr("Contacts");
}

QStringList QContactsView::ColumnTitles() const {
    return {tr("Name"), tr("Phone"), tr("E-mail")};
}

void QContactsView::EmitRefresh() {
    emit emitRefreshContactsNode(DeviceHandle());
}
