#include "QCompactBar.h"

#include <QBoxLayout>
#include <QEvent>
#include <QWidget>
#include <algorithm>

#include "QBarButton.h"

QCompactBar::QCompactBar(QWidget* bar)
    : QObject(bar)
    , m_bar(bar) {
    bar->installEventFilter(this);
    bar->setMinimumWidth(1);
}

QCompactBar* QCompactBar::Install(QWidget* bar) {
    auto* fit = new QCompactBar(bar);
    fit->Fit();
    return fit;
}

int QCompactBar::TextWidth() const {
    QLayout* layout = m_bar->layout();
    if (!layout)
        return 0;
    const QMargins margins = layout->contentsMargins();
    int width = margins.left() + margins.right();
    int shown = 0;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->isEmpty())
            continue;
        ++shown;
        auto* button = qobject_cast<QBarButton*>(item->widget());
        width += button ? button->TextWidth() : item->minimumSize().width();
    }
    return width + std::max(0, shown - 1) * std::max(0, layout->spacing());
}

void QCompactBar::Fit() {
    const bool compact = TextWidth() > m_bar->width();
    for (QBarButton* button : m_bar->findChildren<QBarButton*>(Qt::FindDirectChildrenOnly))
        button->SetCompact(compact);
}

bool QCompactBar::eventFilter(QObject* watched, QEvent* event) {
    // A new text or a shown button asks for a new layout; a narrower window resizes the bar.
    if (watched == m_bar && (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest))
        Fit();
    return QObject::eventFilter(watched, event);
}
