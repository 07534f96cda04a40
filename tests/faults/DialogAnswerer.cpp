#include "DialogAnswerer.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

#include "QMessageDlg.h"

DialogAnswerer::DialogAnswerer() {
    connect(&m_timer, &QTimer::timeout, this, &DialogAnswerer::Answer);
    m_timer.start(10);
}

namespace {
// Ten seconds of 10 ms ticks.
constexpr int kFileDialogPatienceTicks = 1000;
} // namespace

bool DialogAnswerer::WaitForMessages(int count, int timeoutMs) const {
    return QTest::qWaitFor([this, count] { return m_messages.size() >= count; }, timeoutMs);
}

void DialogAnswerer::Choose(QFileDialog* dialog, const QString& path) {
    dialog->selectFile(path);
    if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        edit->setText(path);
}

void DialogAnswerer::Answer() {
    // A handler may open a nested loop of its own (a message after an accepted editor).
    if (m_answering)
        return;
    m_answering = true;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (!dialog || !dialog->isVisible())
            continue;
        if (auto* message = qobject_cast<QMessageDlg*>(dialog)) {
            m_messages << message->Message();
            const bool confirm = m_confirmNext && (message->Flags() & MSG_TWO_BUTTONS);
            m_confirmNext = m_confirmNext && !confirm;
            if ((message->Flags() & MSG_YESNO) || confirm) {
                if (auto hook = std::exchange(m_beforeYes, nullptr))
                    hook();
                message->OnBtnOk();
            } else {
                message->reject();
            }
            break;
        }
        if (m_handler && m_handler(dialog)) {
            m_handler = nullptr;
            break;
        }
        if (qobject_cast<QFileDialog*>(dialog)) {
            m_fileDialogTicks = dialog == m_fileDialog ? m_fileDialogTicks + 1 : 0;
            m_fileDialog = dialog;
            if (m_fileDialogTicks > kFileDialogPatienceTicks) {
                m_messages << QStringLiteral("a file dialog stayed open unanswered");
                dialog->reject();
                break;
            }
        }
    }
    m_answering = false;
}
