#pragma once

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>

// Every file under a folder by its path there, with a SHA-256 of its bytes: two digests differ when a file
// was added, removed or changed. The side files of a database in use (-wal, -shm) change by its being
// opened and are left out; with `databasesByContent` an SQLite file is digested by what `sqlite3 .dump`
// prints, which stays the same however its pages lie.
inline QMap<QString, QByteArray> FolderDigest(const QString& folder, bool databasesByContent = false) {
    QMap<QString, QByteArray> digests;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QLatin1String("-wal")) || path.endsWith(QLatin1String("-shm")))
            continue;
        QByteArray bytes;
        if (databasesByContent &&
            (path.endsWith(QLatin1String(".sqlitedb")) || path.endsWith(QLatin1String(".sqlite")))) {
            QProcess dump;
            dump.start(QStringLiteral("sqlite3"), {path, QStringLiteral(".dump")});
            dump.waitForFinished();
            bytes = dump.readAllStandardOutput();
        } else if (QFile file(path); file.open(QIODevice::ReadOnly)) {
            bytes = file.readAll();
        }
        digests[QDir(folder).relativeFilePath(path)] =
            QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    }
    return digests;
}
