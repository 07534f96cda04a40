#pragma once

#include <QStringList>
#include <QTimer>

// Closes every message dialog that opens while it lives and remembers the messages, so tests can run
// code that reports through ShowMessage() without a modal dialog blocking them. Questions are answered
// with no unless SetAnswerYes(true).
class MessageCatcher : public QObject {
    Q_OBJECT
public:
    MessageCatcher();

    QStringList Messages() const { return m_messages; }
    bool Saw(const QString& message) const { return m_messages.contains(message); }
    void Clear() { m_messages.clear(); }
    void SetAnswerYes(bool yes) { m_answerYes = yes; }

private:
    void CloseOpenMessages();

    QTimer m_timer;
    QStringList m_messages;
    bool m_answerYes = false;
};
