#include "ApplicationLook.h"

#include <QPalette>
#include <QToolTip>

void ApplyApplicationLook() {
    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, QColor(215, 238, 242));
    tips.setColor(QPalette::ToolTipText, QColor(70, 128, 142));
    QToolTip::setPalette(tips);
}
