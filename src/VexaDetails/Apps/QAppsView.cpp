#include "QAppsView.h"

QAppsView::QAppsView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent) {
    setObjectName(QStringLiteral("QAppsView"));
    InitControls();
}

QString QAppsView::Caption() const {
    return tr("Apps");
}

QStringList QAppsView::ColumnTitles() const {
    return {tr("Name"), tr("Version"), tr("Size")};
}

void QAppsView::EmitRefresh() {
    emit emitRefreshAppNode(DeviceHandle());
}
