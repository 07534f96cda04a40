#include "CPreviewCopy.h"

#include <QDebug>
#include <QDir>
#include <QFile>

#include <vexa/vexa.h>

QString CPreviewCopy::Folder() {
    return QDir::tempPath() + QStringLiteral("/VexaManagerPlayMusic/");
}

QString CPreviewCopy::LocalPathFor(const std::string& devicePath) {
    const QString path = QString::fromStdString(devicePath);
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : path.mid(dot + 1);
    return QStringLiteral("%1VexaMusic.%2").arg(Folder(), extension);
}

QString CPreviewCopy::Copy(IVexaManager* manager, const std::string& devicePath) {
    IFileService* files = manager ? manager->GetFileService() : nullptr;
    if (!files || devicePath.empty() || !QDir().mkpath(Folder()))
        return QString();
    const QString local = LocalPathFor(devicePath);
    if (QFile::exists(local) && !QFile::remove(local)) {
        qDebug() << "CPreviewCopy::Copy cannot replace" << local;
        return QString();
    }
    const QString source = QString::fromStdString(devicePath).replace(QLatin1Char(':'), QLatin1Char('/'));
    qDebug() << "*************Begin get file";
    const int code = files->CopyFileToComputer(reinterpret_cast<const char16_t*>(source.utf16()),
                                               reinterpret_cast<const char16_t*>(local.utf16()));
    if (code != VEXA_OK || !QFile::exists(local)) {
        QFile::remove(local);
        return QString();
    }
    return local;
}
