#include "AppPaths.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

struct Paths {
    QString appDir;
    QString appDirOverride;
    QString workDir;
};

Paths& paths() {
    static Paths state;
    return state;
}

} // namespace

QString AppDirPath() {
    Paths& p = paths();
    if (!p.appDirOverride.isEmpty()) {
        return p.appDirOverride;
    }
    if (p.appDir.isEmpty()) {
        p.appDir = QCoreApplication::applicationDirPath();
    }
    return p.appDir;
}

QString WorkDir() {
    Paths& p = paths();
    if (p.workDir.isEmpty()) {
        const QString path =
            QStringLiteral("%1/%2").arg(QDir::tempPath(), QStringLiteral("Vexa Manager Backup"));
        if (!QDir().mkpath(path)) {
            qDebug() << "WorkDir can't create" << path;
            return path;
        }
        p.workDir = QFileInfo(path).canonicalFilePath();
    }
    return p.workDir;
}

QString InstalledLanguageFilePath() {
    return AppDirPath() + QStringLiteral("/Language/language.xml");
}

QString UserLanguageFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/vexa-transfer/Language/language.xml");
}

void SetAppDirPathForTesting(const QString& path) {
    paths().appDirOverride = path;
}
