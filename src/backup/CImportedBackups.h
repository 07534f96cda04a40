#pragma once

#include <QString>
#include <QStringList>

// The backup folders the user imported into the restore window, so that they are listed again after
// a restart: one folder a line in "$XDG_DATA_HOME/vexa-transfer/importedbackups.txt".
class CImportedBackups {
public:
    explicit CImportedBackups(QString path = DefaultPath());

    static QString DefaultPath();

    // In the order imported; empty for a missing or unreadable file.
    QStringList Folders() const;
    // False when the file can't be written.
    bool Add(const QString& folder) const;
    bool Remove(const QString& folder) const;

private:
    bool Write(const QStringList& folders) const;

    QString m_path;
};
