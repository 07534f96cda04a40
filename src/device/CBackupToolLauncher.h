#pragma once

class QWidget;

// Opens the backup, restore and device-to-device transfer windows from the home tools and from their
// tiles in the tools window, with the detector's devices.
class CBackupToolLauncher {
public:
    static void OpenBackup(QWidget* parent);
    static void OpenRestore(QWidget* parent);
    static void OpenTransfer(QWidget* parent);
};
