#include "QiBookView.h"

QiBookView::QiBookView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent) {
    setObjectName(QStringLiteral("QiBookView"));
    InitControls();
}

QString QiBookView::Caption() const {
    return tr("iBooks");
}

QStringList QiBookView::ColumnTitles() const {
    return {tr("Title"), tr("Author"), tr("Format"), tr("Size")};
}

void QiBookView::EmitRefresh() {
    emit repainTree(DeviceHandle(), RecordCount(), SUB_ITEM_IBOOKS);
}
