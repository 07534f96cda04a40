#pragma once

#include <functional>

#include <QApplication>
#include <QTimer>
#include <QWidget>

// Runs `action` once on the first visible top-level widget of type T, from a timer that keeps firing
// inside the widget's own event loop.
template <class T> void WhenShown(std::function<void(T*)> action) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<T*>(widget);
            if (dialog && dialog->isVisible()) {
                timer->stop();
                timer->deleteLater();
                action(dialog);
                return;
            }
        }
    });
    timer->start(10);
}
