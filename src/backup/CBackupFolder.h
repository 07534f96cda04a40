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
        DamagedDatabase, // Manifest.db missing, or (unless encrypted) not an SQLite database with a Files
                         // table
    };
    static Result Read(const QString& folder, CBackupRecord& record);

    // The folder holding the backup the user pointed at: `chosen` itself when it has Manifest.plist,
    // else its one sub-folder that has (other backup tools keep each device in <folder>/<udid>/).
    static QString Locate(const QString& chosen);
    // Where a backup of the device `udid` goes in the folder the user chose: <chosen>/<udid>.
    static QString DeviceFolder(const QString& chosen, const QString& udid);
    // Where the backup and import dialogs open: the folder last chosen in one of them while it
    // exists, else the documents folder.
    static QString StartFolder();
    static void RememberFolder(const QString& folder);
};
