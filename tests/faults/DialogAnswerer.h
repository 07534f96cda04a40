#pragma once

#include <functional>

#include <QStringList>
#include <QTimer>

class QDialog;
class QFileDialog;

// Answers the program's dialogs while a test runs: messages are remembered and closed, questions are
// answered yes, and a dialog a test waits for gets its one-time handler. Runs inside the dialogs' own
// event loops, which keep dispatching timers.
class DialogAnswerer : public QObject {
    Q_OBJECT
public:
    DialogAnswerer();

    QStringList Messages() const { return m_messages; }
    void Clear() { m_messages.clear(); }
    // Waits up to `timeoutMs` until at least `count` messages were shown; false when fewer came.
    bool WaitForMessages(int count, int timeoutMs) const;
    // Takes a line the program showed elsewhere than in a message (a transfer dialog's last line).
    void Note(const QString& message) { m_messages << message; }
    // The next question asked with two buttons (OK and Cancel) gets OK instead of Cancel.
    void ConfirmNextQuestion() { m_confirmNext = true; }
    // Runs once, right before the next question is answered yes.
    void BeforeNextYes(std::function<void()> hook) { m_beforeYes = std::move(hook); }
    // Runs `handler` once on the first visible dialog of class T (a QDialog) that opens.
    template <class T> void WhenShown(std::function<void(T*)> handler) {
        m_handler = [handler](QDialog* dialog) {
            if (auto* wanted = qobject_cast<T*>(dialog)) {
                handler(wanted);
                return true;
            }
            return false;
        };
    }
    void ForgetHandler() { m_handler = nullptr; }
    // Puts `path` in a file dialog's name field, ready for accept(). selectFile() alone leaves the field
    // untouched while it has the focus, and whether it has it yet depends on timing.
    static void Choose(QFileDialog* dialog, const QString& path);

private:
    void Answer();

    QTimer m_timer;
    QStringList m_messages;
    std::function<void()> m_beforeYes;
    std::function<bool(QDialog*)> m_handler;
    bool m_answering = false;
    // A file dialog nobody chose in would keep its test waiting forever.
    QDialog* m_fileDialog = nullptr;
    int m_fileDialogTicks = 0;
    bool m_confirmNext = false;
};
