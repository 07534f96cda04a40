#pragma once

#include <cstdio>

#include <QApplication>
#include <QTimer>

#include "QMessageDlg.h"

// A message would stop a benchmark in its modal loop: each one is printed and closed while this lives.
class BenchMessageCloser {
public:
    BenchMessageCloser() {
        QObject::connect(&m_timer, &QTimer::timeout, [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QMessageDlg*>(widget);
                if (dialog && dialog->isVisible()) {
                    std::fprintf(stderr, "message: %s\n", qPrintable(dialog->Message()));
                    dialog->reject();
                }
            }
        });
        m_timer.start(50);
    }

private:
    QTimer m_timer;
};
