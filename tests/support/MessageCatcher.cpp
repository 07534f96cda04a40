#include "MessageCatcher.h"

#include <QApplication>

#include "QMessageDlg.h"

MessageCatcher::MessageCatcher() {
    // Runs inside the dialog's own event loop, which keeps dispatching timers.
    connect(&m_timer, &QTimer::timeout, this, &MessageCatcher::CloseOpenMessages);
    m_timer.start(10);
}

void MessageCatcher::CloseOpenMessages() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QMessageDlg*>(widget);
        if (dialog && dialog->isVisible()) {
            m_messages << dialog->Message();
            if (m_answerYes)
                dialog->OnBtnOk();
            else
                dialog->reject();
        }
    }
}
