#pragma once

#include <QCoreApplication>
#include <QList>

struct CCliCommand;
class CCliContext;

// backup, restore and backups: whole-device backups through the backup window's threads and log.
class CBackupCommands {
    Q_DECLARE_TR_FUNCTIONS(CBackupCommands)
public:
    static void Add(QList<CCliCommand>& commands);

private:
    static int Backup(CCliContext& context);
    static int Restore(CCliContext& context);
    static int Backups(CCliContext& context);
};
