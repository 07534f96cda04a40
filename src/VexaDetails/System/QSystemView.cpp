#include "QSystemView.h"

QSystemView::QSystemView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent) {
    setObjectName(QStringLiteral("QSystemView"));
    InitControls();
}

QString QSystemView::Caption() const {
    return tr("System");
}

QStringList QSystemView::ColumnTitles() const {
    return {tr("Name"), tr("Size"), tr("Modified"), tr("Type")};
}
