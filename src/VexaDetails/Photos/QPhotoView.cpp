#include "QPhotoView.h"

QPhotoView::QPhotoView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent) {
    setObjectName(QStringLiteral("PhotoView"));
    InitControls();
}

QString QPhotoView::Caption() const {
    return tr("Photos");
}

QStringList QPhotoView::ColumnTitles() const {
    return {tr("Name"), tr("Date"), tr("Size"), tr("Dimensions")};
}

void QPhotoView::EmitRefresh() {
    emit emitRefreshPhotosNode(DeviceHandle());
}
