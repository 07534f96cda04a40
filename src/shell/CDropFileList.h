#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The local paths one drag hands over, all inside a fresh folder made for this drag alone. Entry names
// come from the device, so they are made safe first: nothing they say can lead out of the folder, and
// a second entry of the same name becomes "name (2)".
class CDropFileList {
public:
    // Creates the fresh folder under `parentFolder` (the system's temporary folder when empty).
    explicit CDropFileList(const QString& parentFolder = QString());

    bool IsValid() const { return !m_folder.isEmpty(); }
    QString Folder() const { return m_folder; }
    // The local path of the next entry; empty when the folder could not be created.
    QString Add(const QString& deviceName);
    const QStringList& Paths() const { return m_paths; }
    bool IsEmpty() const { return m_paths.isEmpty(); }

    // "a (2).txt" for the second "a.txt"; folders and names without a dot get " (2)" at the end.
    static QString NumberedName(const QString& name, int number);
    // A name that stays one entry in one folder: separators and NUL become "_", "." and ".." are taken
    // apart from the folder they would name.
    static QString SafeName(const QString& deviceName);

private:
    QString m_folder;
    QStringList m_paths;
    QSet<QString> m_taken;
};
