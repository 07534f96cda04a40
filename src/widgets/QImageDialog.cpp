#include "QImageDialog.h"

#include <QDebug>
#include <QPainter>
#include <QShowEvent>

#include "QWindowDragger.h"
#include "WidgetColors.h"
#include "WindowPlacement.h"

QImageDialog::QImageDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_TranslucentBackground);
    new QWindowDragger(this);
}

bool QImageDialog::SetBackgroundImage(const QString& path) {
    QPixmap background;
    if (!background.load(path)) {
        qDebug() << "QImageDialog::SetBackgroundImage can't load" << path;
        return false;
    }
    m_background = background;
    setFixedSize(m_background.size());
    update();
    return true;
}

void QImageDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_background.isNull()) {
        painter.drawPixmap(0, 0, m_background);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(WidgetColors::kTeal, 1.0));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}

void QImageDialog::showEvent(QShowEvent* event) {
    const bool placed = testAttribute(Qt::WA_Moved);
    QDialog::showEvent(event);
    CentreFramelessDialog(this, placed || event->spontaneous());
}
