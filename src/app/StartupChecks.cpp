#include "StartupChecks.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QSysInfo>

#include "CMessagePrompt.h"
#include "QMessageDlg.h"

namespace {

// The support libraries are only needed by 64-bit systems.
bool Is64BitSystem() {
    const QString architecture = QSysInfo::currentCpuArchitecture();
    return architecture == QLatin1String("x86_64") || architecture == QLatin1String("ia64");
}

QString DataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

} // namespace

QString DriverFolder() {
    return DataHome() + QStringLiteral("/Quorvane/Driver");
}

QString DriverFilePath(const QString& name) {
    return DriverFolder() + QLatin1Char('/') + name;
}

QUrl DriverFileUrl(const QString& name) {
    QString base = QString::fromLocal8Bit(qgetenv("VEXA_DRIVER_URL")).trimmed();
    if (base.isEmpty())
        return QUrl();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return QUrl(base + QStringLiteral("/downloads/") + name);
}

bool CheckDriverFiles() {
    if (qEnvironmentVariableIsEmpty("VEXA_DRIVER_URL") || !Is64BitSystem())
        return true;
    if (QFile::exists(DriverFilePath(kMobileDeviceLibrary)) &&
        QFile::exists(DriverFilePath(kITunesLibrary)) && QFile::exists(DriverFilePath(kCoreFpLibrary)))
        return true;

    const QString maker = DataHome() + QStringLiteral("/Quorvane");
    const bool created = (QDir(maker).exists() || QDir().mkpath(maker)) && QDir().mkpath(DriverFolder());
    if (!created)
        CMessagePrompt::Show(QStringLiteral("MkDir driver failed!"), QString(), MSG_ERROR);
    return false;
}
