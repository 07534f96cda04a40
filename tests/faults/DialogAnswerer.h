#pragma once

#include <functional>

#include <QStringList>
#include <QTimer>

class QDialog;

// Answers the program's dialogs while a test runs: messages are remembered and closed, questions are
// answered yes, and a dialog a test waits for gets its one-time handler. Runs inside the dialogs' own
// event loops, which keep dispatching timers.
class DialogAnswerer : public QObject {
    Q_OBJECT
public:
    DialogAnswerer();

    QStringList Messages() const { return m_messages; }
    void Clear() { m_messages.clear(); }
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

private:
    void Answer();

    QTimer m_timer;
    QStringList m_messages;
    std::function<void()> m_beforeYes;
    std::function<bool(QDialog*)> m_handler;
    bool m_answering = false;
    bool m_confirmNext = false;
};
