#include "QMusicView.h"

QMusicView::QMusicView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent) {
    setObjectName(QStringLiteral("QMusicView"));
    InitControls();
}

QString QMusicView::Caption() const {
    return tr("Music");
}

QStringList QMusicView::ColumnTitles() const {
    return {tr("Title"), tr("Artist"), tr("Album"), tr("Duration"), tr("Size")};
}

void QMusicView::EmitRefresh() {
    emit emitRefreshMusicNode(DeviceHandle(), this);
}
