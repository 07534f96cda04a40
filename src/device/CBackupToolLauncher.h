#pragma once

class QString;
class QWidget;

// Opens the backup, restore and device-to-device transfer windows from the home tools and from their
// tiles in the tools window, with the detector's devices.
class CBackupToolLauncher {
public:
    static void OpenBackup(QWidget* parent);
    // True when a backup was restored to a device.
    static bool OpenRestore(QWidget* parent);
    static void OpenTransfer(QWidget* parent);
    static bool IsRestoreTool(const QString& tileName);
};
