#include "QVideoView.h"

QVideoView::QVideoView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent) {
    setObjectName(QStringLiteral("QVideoView"));
    InitControls();
}

QString QVideoView::Caption() const {
    return tr("Video");
}

QStringList QVideoView::ColumnTitles() const {
    return {tr("Name"), tr("Duration"), tr("Size"), tr("Format")};
}

void QVideoView::EmitRefresh() {
    emit emitRefreshVideoNode(DeviceHandle(), this);
}
