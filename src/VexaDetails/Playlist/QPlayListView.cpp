#include "QPlayListView.h"

QPlayListView::QPlayListView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent) {
    setObjectName(QStringLiteral("QPlayListView"));
    InitControls();
}

QString QPlayListView::Caption() const {
    return tr("Playlist");
}

QStringList QPlayListView::ColumnTitles() const {
    return {tr("Title"), tr("Artist"), tr("Album"), tr("Duration")};
}
