#include "WindowPlacement.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>

QWidget* MainWindowWidget() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (qobject_cast<QMainWindow*>(window) && window->isVisible())
            return window;
    }
    return nullptr;
}

QWidget* DialogOwner(const QWidget* exclude) {
    for (QWidget* candidate : {QApplication::activeModalWidget(), QApplication::activeWindow()}) {
        if (candidate && candidate != exclude && candidate->isVisible())
            return candidate;
    }
    return MainWindowWidget();
}

void CentreOn(QWidget* window, const QWidget* anchor) {
    const QWidget* owner = anchor ? anchor->window() : nullptr;
    if (!owner || !owner->isVisible() || owner == window)
        owner = MainWindowWidget();
    const QScreen* screen = owner ? owner->screen() : window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect frame(QPoint(), window->frameGeometry().size());
    frame.moveCenter(owner ? owner->frameGeometry().center() : area.center());
    // The title bar stays on the screen even when the window is larger than it.
    frame.moveLeft(qMax(area.left(), qMin(frame.left(), area.right() + 1 - frame.width())));
    frame.moveTop(qMax(area.top(), qMin(frame.top(), area.bottom() + 1 - frame.height())));
    window->move(frame.topLeft());
}

void CentreFramelessDialog(QWidget* dialog, bool placed) {
    if (placed || !dialog->isWindow())
        return;
    CentreOn(dialog, dialog->parentWidget() ? dialog->parentWidget() : DialogOwner(dialog));
    // As after Qt's placement: not a position of the caller's, so the next show places it again.
    dialog->setAttribute(Qt::WA_Moved, false);
}
