#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

// Reads a backup folder with tests/support/read_backup.py (Python's plistlib, sqlite3 and cryptography,
// not our reader) and gives its report; the script's header lists the fields. With `device`, every stored
// media and app file is compared with the device's own. A report that could not be made has only
// "error", saying why.
inline QJsonObject ReadBackup(const QString& folder, const QString& device = {}, const QString& password = {}) {
    QStringList arguments{QStringLiteral(VEXA_SOURCE_DIR "/tests/support/read_backup.py"), folder};
    if (!device.isEmpty())
        arguments << QStringLiteral("--device") << device;
    if (!password.isEmpty())
        arguments << QStringLiteral("--password") << password;
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), arguments);
    if (!python.waitForFinished(120000) || python.exitCode() != 0)
        return {{QStringLiteral("error"), QString::fromUtf8(python.readAllStandardError()) + python.errorString()}};
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

// The report's problems in one line, empty when there are none: the error and every non-empty list.
inline QByteArray BackupProblems(const QJsonObject& report) {
    QByteArray problems = report.value(QStringLiteral("error")).toString().toUtf8();
    for (const char* field : {"bad_ids", "missing", "bad_sizes", "stray", "readable", "differs"}) {
        const QJsonArray paths = report.value(QLatin1String(field)).toArray();
        if (!paths.isEmpty())
            problems += QByteArray(" ") + field + '=' + QJsonDocument(paths).toJson(QJsonDocument::Compact);
    }
    return problems.trimmed();
}
