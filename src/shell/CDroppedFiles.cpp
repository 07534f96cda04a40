#include "CDroppedFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QDropEvent>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "CUrlDrop.h"
#include "QMessageDlg.h"

namespace {
// A drop of a whole disk must not stall the window: the walk stops after this many entries.
constexpr int kMaxWalkedEntries = 100000;
} // namespace

CDroppedFiles::CDroppedFiles(const QStringList& paths, const QStringList& suffixes)
    : m_suffixes(suffixes) {
    for (const QString& path : paths) {
        const QFileInfo entry(path);
        if (entry.isDir() && !HasSuffix(path)) {
            Walk(path);
        } else if (entry.exists() && HasSuffix(path)) {
            m_taken.append(path);
        } else {
            ++m_skipped;
        }
    }
}

bool CDroppedFiles::HasSuffix(const QString& path) const {
    return m_suffixes.contains(QFileInfo(path).suffix().toLower());
}

void CDroppedFiles::Walk(const QString& folder) {
    QStringList found;
    QStringList folders{folder};
    int walked = 0;
    while (!folders.isEmpty()) {
        QDirIterator it(folders.takeLast(),
                        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        while (it.hasNext()) {
            const QString path = it.next();
            if (++walked > kMaxWalkedEntries) {
                ++m_skipped;
                folders.clear();
                break;
            }
            const QFileInfo entry = it.fileInfo();
            if (HasSuffix(path) && (entry.isFile() || entry.isDir())) {
                found.append(path);
            } else if (entry.isDir() && !entry.isSymLink()) {
                // Links to folders are not followed: they may lead in a circle or out of what was dropped.
                folders.append(path);
            } else if (!entry.isDir()) {
                ++m_skipped;
            }
        }
    }
    // The walk's order is the file system's; the device gets them in the order the user sees.
    found.sort(Qt::CaseInsensitive);
    m_taken.append(found);
}

QString CDroppedFiles::SkippedMessage() const {
    if (m_skipped == 0) {
        return {};
    }
    QStringList kinds;
    for (const QString& suffix : m_suffixes) {
        kinds.append(suffix.toUpper());
    }
    return tr("%1 dropped file(s) skipped: only %2 files can be added here.")
        .arg(m_skipped)
        .arg(kinds.join(QStringLiteral(", ")));
}

void CDroppedFiles::Take(QDropEvent* event, QWidget* page, const QStringList& suffixes,
                         const std::function<void(const QStringList&)>& add) {
    const QStringList paths = CUrlDrop::TakeLocalPaths(event);
    if (paths.isEmpty()) {
        return;
    }
    const CDroppedFiles files(paths, suffixes);
    QTimer::singleShot(0, page, [page, add, taken = files.Taken(), message = files.SkippedMessage()] {
        const QPointer<QWidget> alive(page);
        if (!taken.isEmpty()) {
            add(taken);
        }
        if (alive && !message.isEmpty()) {
            ShowMessage(message, QString(), MSG_WARNING);
        }
    });
}
