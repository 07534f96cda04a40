#include "CImportedBackups.h"

#include <utility>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

CImportedBackups::CImportedBackups(QString path)
    : m_path(std::move(path)) {}

QString CImportedBackups::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/vexa-transfer/importedbackups.txt");
}

QStringList CImportedBackups::Folders() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList folders;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString folder = QString::fromUtf8(line).trimmed();
        if (!folder.isEmpty() && !folders.contains(folder))
            folders.append(folder);
    }
    return folders;
}

bool CImportedBackups::Add(const QString& folder) const {
    QStringList folders = Folders();
    if (folders.contains(folder))
        return true;
    folders.append(folder);
    return Write(folders);
}

bool CImportedBackups::Remove(const QString& folder) const {
    QStringList folders = Folders();
    if (folders.removeAll(folder) == 0)
        return true;
    return Write(folders);
}

bool CImportedBackups::Write(const QStringList& folders) const {
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    // All or nothing: a full disk must not cost the folders imported before.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString& folder : folders)
        file.write(folder.toUtf8() + '\n');
    return file.commit();
}
