#pragma once

#include <QHash>
#include <QIcon>
#include <QString>

// The icon of a folder, and of a file by its type as the desktop's icon theme draws it. Looked up once
// per extension: a folder of thousands of photos asks the theme once.
class CFileTypeIcons {
public:
    CFileTypeIcons();

    QIcon Folder() const { return m_folder; }
    QIcon ForFile(const QString& name);

private:
    QIcon m_folder;
    QIcon m_file;
    QHash<QString, QIcon> m_bySuffix;
};
