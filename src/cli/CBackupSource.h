#pragma once

#include <list>
#include <memory>

#include <QCoreApplication>
#include <QString>

class BackupContent;
class IBaseChunk;

// One backup folder as the source of an export: found (the folder that holds Manifest.db, or the one
// device folder below it), opened, and unlocked with the password from CPasswordSource when it is
// encrypted. Reads only; nothing is written into the folder.
class CBackupSource {
    Q_DECLARE_TR_FUNCTIONS(CBackupSource)
public:
    CBackupSource();
    ~CBackupSource();

    // An exit status: kExitOk, or after the complaint 1 (no backup there), 2 (several backups: the
    // complaint lists them) or 4 (the password is missing or wrong).
    int Open(const QString& chosen, const QString& passwordFile);
    const QString& Folder() const { return m_folder; }
    // The opened backup; only after Open answered kExitOk.
    BackupContent& Content() { return *m_content; }

    // The backup's contacts, messages or calls as the device's pages build their records, every one
    // checked; an exit status, after the complaint unless kExitOk.
    int LoadRecords(const QString& category, std::list<IBaseChunk*>* records);

    // The backup folders (those with a Manifest.db) directly inside `folder`, sorted.
    static QStringList BackupsIn(const QString& folder);

private:
    QString m_folder;
    std::unique_ptr<BackupContent> m_content;
};
