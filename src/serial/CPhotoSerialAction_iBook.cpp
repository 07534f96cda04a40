#include "CPhotoSerialAction_iBook.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include <vexa/IVexaManager.h>

#include "CDeviceFolderCopy.h"
#include "CProcessBridge.h"

namespace {

// A folder of its own for each book being zipped, so two exports never share one.
QString WorkingFolderFor(const std::string& archive) {
    const QString name = QFileInfo(QString::fromStdString(archive)).fileName();
    return QDir::tempPath() + QStringLiteral("/Vexa Manager iBook/") +
           QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') + name;
}

// The entries of `folder` in the order they go into the archive: an EPUB's "mimetype" first.
QStringList ArchiveOrder(const QString& folder) {
    QStringList names = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    if (names.removeOne(QStringLiteral("mimetype"))) {
        names.prepend(QStringLiteral("mimetype"));
    }
    return names;
}

} // namespace

CPhotoSerialAction_iBook::CPhotoSerialAction_iBook(IVexaManager* manager)
    : CPhotoSerialFileAction("Path", "Title")
    , m_files(manager != nullptr ? manager->GetFileService() : nullptr) {}

IPhotoSerialAction::Result CPhotoSerialAction_iBook::CopyRecord(const PhotoSerialEntry& entry,
                                                                const std::string& devicePath,
                                                                const std::string& localPath) {
    // A book listed as EPUB may still be a single file on the device; only a folder is zipped.
    if (EntryText(entry, "Format") == "epub" && CDeviceFolderCopy::IsFolder(m_files, devicePath)) {
        return ZipFolder(devicePath, localPath);
    }
    return CopyFile(m_files, devicePath, localPath);
}

IPhotoSerialAction::Result CPhotoSerialAction_iBook::ZipFolder(const std::string& devicePath,
                                                               const std::string& archive) {
    QDir working(WorkingFolderFor(archive));
    working.removeRecursively();
    bool complete = QDir().mkpath(working.path()) &&
                    CDeviceFolderCopy::Copy(m_files, devicePath, working.path().toStdString());
    // 7-Zip adds to an archive that exists; an old copy must not lend the new one its entries.
    complete = complete && RemoveLocal(archive);
    if (complete) {
        CProcessBridge bridge;
        for (const QString& name : ArchiveOrder(working.path())) {
            if (!bridge.Zip(archive, working.filePath(name).toStdString())) {
                complete = false;
                break;
            }
        }
    }
    working.removeRecursively();
    if (!complete) {
        qDebug() << "CPhotoSerialAction_iBook::ZipFolder can't zip" << QString::fromStdString(devicePath);
        RemoveLocal(archive);
        return Failed;
    }
    return Copied;
}
