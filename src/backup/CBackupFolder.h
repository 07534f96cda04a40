#pragma once

#include <QString>

#include "CBackupRecord.h"

// Reads what a backup folder says about itself (Info.plist, Manifest.plist, Manifest.db), for a folder
// the user imports into the restore window.
class CBackupFolder {
public:
    enum Result {
        Ok,
        NoManifest,      // no Manifest.plist in the folder
        DamagedManifest, // Manifest.plist or Info.plist does not parse
        DamagedDatabase, // Manifest.db missing or not an SQLite database with a Files table
    };
    static Result Read(const QString& folder, CBackupRecord& record);
};
