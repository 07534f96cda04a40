#pragma once

#include <functional>

#include <QCoreApplication>
#include <QStringList>

class QDropEvent;
class QWidget;

// The computer's files of one drop onto a page that adds files of some kinds to the device. Dropped
// folders are walked (links are not followed); a folder that carries one of the kinds' suffixes is
// a document of its own (a book kept as a folder) and is taken whole.
class CDroppedFiles {
    Q_DECLARE_TR_FUNCTIONS(CDroppedFiles)

public:
    // `suffixes` in lower case, without the dot.
    CDroppedFiles(const QStringList& paths, const QStringList& suffixes);

    const QStringList& Taken() const { return m_taken; }
    int SkippedCount() const { return m_skipped; }
    // What the user is told about the files left out; empty when none were.
    QString SkippedMessage() const;

    // Takes a drop onto `page`: once the drop's own event has ended (the add opens modal dialogs),
    // `add` receives the files of the kinds, then the skipped ones are named in one message.
    static void Take(QDropEvent* event, QWidget* page, const QStringList& suffixes,
                     const std::function<void(const QStringList&)>& add);

private:
    void Walk(const QString& folder);
    bool HasSuffix(const QString& path) const;

    QStringList m_suffixes;
    QStringList m_taken;
    int m_skipped = 0;
};
