#include "QFlowViewerWidget.h"

#include <QVBoxLayout>

#include "QFlowWidget.h"

QFlowViewerWidget::QFlowViewerWidget(QWidget* parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this)) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    m_layout->setContentsMargins(0, 6, 0, 6);
    m_layout->setSpacing(2);
    m_layout->addStretch(1);
}

void QFlowViewerWidget::AddFlowWidget(QFlowWidget* widget) {
    if (!widget)
        return;
    m_layout->insertWidget(m_layout->count() - 1, widget);
    m_widgets.append(widget);
}

void QFlowViewerWidget::Clear() {
    for (QFlowWidget* widget : std::as_const(m_widgets)) {
        m_layout->removeWidget(widget);
        widget->hide();
        widget->disconnect();
        widget->deleteLater();
    }
    m_widgets.clear();
}
