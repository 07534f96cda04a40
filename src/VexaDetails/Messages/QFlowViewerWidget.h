#pragma once

#include <QList>
#include <QWidget>

class QFlowWidget;
class QVBoxLayout;

// A white column that stacks the bubbles of one page from top to bottom, in item order.
class QFlowViewerWidget : public QWidget {
    Q_OBJECT
public:
    explicit QFlowViewerWidget(QWidget* parent = nullptr);

    // Takes the widget and puts it below the others.
    void AddFlowWidget(QFlowWidget* widget);
    // Removes every bubble. They go with deleteLater(): one of them may be the sender of the signal
    // that led here.
    void Clear();
    const QList<QFlowWidget*>& FlowWidgets() const { return m_widgets; }
    int Count() const { return int(m_widgets.size()); }

private:
    QVBoxLayout* m_layout;
    QList<QFlowWidget*> m_widgets;
};
