#pragma once

#include <QString>

class QWidget;

// Opens the backup, restore and device-to-device transfer windows from the home tools and from their
// tiles in the tools window, with the detector's devices.
class CBackupToolLauncher {
public:
    static void OpenBackup(QWidget* parent);
    // True when a backup was restored to a device.
    static bool OpenRestore(QWidget* parent);
    static void OpenTransfer(QWidget* parent);
    // Opens the window of a tools-window tile; false for a tile that is not one of these.
    static bool OpenTool(const QString& tileName, QWidget* parent);
    static bool IsRestoreTool(const QString& tileName);
};
