#pragma once

#include <QList>
#include <QString>

#include "CBackupRecord.h"

// The backups the program knows, as both the navigation tree and `vexa backups` list them: those in
// its backup log, then those in the folders the user added (a backup folder itself, or a folder whose
// sub-folders hold backups, as <folder>/<udid>/). Each folder once, in that order.
class CKnownBackups {
public:
    struct Entry {
        CBackupRecord record;
        bool fromLog = false;
    };

    static QList<Entry> List();
    // The backup folders in `folder`: the folder itself when it holds one, else its sub-folders that do.
    static QStringList BackupsIn(const QString& folder);
};
