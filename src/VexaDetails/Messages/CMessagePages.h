#pragma once

#include <list>

#include <QCoreApplication>
#include <QString>

class CMessageChunk;

// Conversations as web pages that open in any browser without anything else: an index page that lists
// the conversations, and one page per conversation with its messages as chat bubbles, received on the
// left and sent on the right, pictures shown in their bubble and other attachments as links. The pages
// link the attachments by the export paths the records carry.
class CMessagePages {
    Q_DECLARE_TR_FUNCTIONS(CMessagePages)

public:
    // Writes the index to `indexPath` and the conversations' pages into the folder beside it that
    // CMessageExport::PageFolder(namedAs) names ("001.html", "002.html", ... in list order).
    static bool Write(const std::list<CMessageChunk*>& conversations, const QString& indexPath,
                      const QString& namedAs);
    // The page file of the conversation at `position` (0-based) in the page folder.
    static QString PageName(int position);
};
