#pragma once

#include <QCoreApplication>
#include <QString>

class QWidget;

// Opens a backup folder as a read-only device in the navigation tree: reads who it is of, asks for the
// password of an encrypted one, says what is wrong with it before any page reads it, and hands the
// backup's manager to the detector, which reports it as an arriving device. The folder is remembered
// among the added backups, so the tree and `vexa backups` list it again after a restart.
class CBackupOpener {
    Q_DECLARE_TR_FUNCTIONS(CBackupOpener)
public:
    // Asks for a folder and opens the backup in it.
    static void ChooseAndOpen(QWidget* parent);
    // `folder` is a backup or a folder holding one. The backup's device handle; 0 when it was not
    // opened (the user was told why, or gave up at the password).
    static int Open(const QString& folder, QWidget* parent);
    // The handle of the open backup of that folder; 0 when it is not open.
    static int OpenHandle(const QString& folder);
};
