#include "CAttachmentFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>
#include <QUrl>

#include <vexa/VexaResult.h>
#include <vexa/VexaServices.h>

#include "CDesktopOpen.h"
#include "formats/JpegConverter.h"

namespace {

// Each file in a folder of its own, named after its device path, so that two files of one name never
// meet and the one opened keeps the name it was sent under.
QString KeyOf(const QString& devicePath) {
    return QString::fromLatin1(
        QCryptographicHash::hash(devicePath.toUtf8(), QCryptographicHash::Sha1).toHex().left(20));
}

QString SafeName(QString name, const QString& devicePath) {
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (name.isEmpty())
        name = QFileInfo(devicePath).fileName();
    return name.isEmpty() ? QStringLiteral("attachment") : name;
}

QImage ShrunkImage(const QString& file) {
    // Phones send their pictures as HEIC, which the image readers may not know: turned into JPEG first.
    if (!QImageReader(file).canRead() && vexa::formats::JpegConverter::Converts(file.toStdString())) {
        const QString jpeg = file + QStringLiteral(".jpg");
        if (!QFileInfo(jpeg).isFile() &&
            !vexa::formats::JpegConverter::Convert(file.toStdString(), jpeg.toStdString()))
            return {};
        return ShrunkImage(jpeg);
    }
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid())
        reader.setScaledSize(
            size.scaled(QSize(CAttachmentFiles::kThumbnailWidth, CAttachmentFiles::kThumbnailHeight),
                        Qt::KeepAspectRatio)
                .boundedTo(size));
    return reader.read();
}

} // namespace

CAttachmentFiles::CAttachmentFiles(IDeviceService* service, QObject* parent)
    : QObject(parent)
    , m_service(service) {
    m_pool.setMaxThreadCount(2);
}

CAttachmentFiles::~CAttachmentFiles() {
    m_pool.clear();
    m_pool.waitForDone();
}

void CAttachmentFiles::WaitForDone() {
    m_pool.waitForDone();
}

void CAttachmentFiles::MakeFolder() {
    // Made on the first use: a page whose messages carry no attachments makes none.
    if (m_folder)
        return;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(cache);
    m_folder = std::make_unique<QTemporaryDir>(cache + QStringLiteral("/attachments-XXXXXX"));
}

QString CAttachmentFiles::Folder() const {
    return m_folder && m_folder->isValid() ? m_folder->path() : QString();
}

int CAttachmentFiles::Copy(const QString& devicePath, const QString& name, QString* localPath) const {
    if (!m_service)
        return VEXA_E_NOT_SUPPORTED_YET;
    const QString folder = Folder();
    if (folder.isEmpty())
        return VEXA_E_IO;
    const QString own = folder + QLatin1Char('/') + KeyOf(devicePath);
    *localPath = own + QLatin1Char('/') + SafeName(name, devicePath);
    if (QFileInfo(*localPath).isFile())
        return VEXA_OK;
    if (!QDir().mkpath(own))
        return VEXA_E_IO;
    return m_service->CopyMessageAttachment(devicePath.toUtf8().constData(),
                                            reinterpret_cast<const char16_t*>(localPath->utf16()));
}

QImage CAttachmentFiles::Thumbnail(const QString& devicePath) {
    const auto found = m_thumbnails.constFind(devicePath);
    if (found != m_thumbnails.constEnd())
        return *found;
    if (m_failed.contains(devicePath) || m_pending.contains(devicePath))
        return {};
    MakeFolder();
    m_pending.insert(devicePath);
    m_pool.start([this, devicePath] {
        QString local;
        QImage image;
        if (Copy(devicePath, QString(), &local) == VEXA_OK)
            image = ShrunkImage(local);
        QMetaObject::invokeMethod(
            this, [this, devicePath, image] { ThumbnailMade(devicePath, image); }, Qt::QueuedConnection);
    });
    return {};
}

void CAttachmentFiles::ThumbnailMade(const QString& devicePath, const QImage& image) {
    m_pending.remove(devicePath);
    if (image.isNull())
        m_failed.insert(devicePath);
    else
        m_thumbnails.insert(devicePath, image);
    emit thumbnailReady(devicePath);
}

void CAttachmentFiles::Open(const QString& devicePath, const QString& name) {
    MakeFolder();
    m_pool.start([this, devicePath, name] {
        QString local;
        const int code = Copy(devicePath, name, &local);
        QMetaObject::invokeMethod(
            this,
            [this, code, local, name] {
                if (code != VEXA_OK) {
                    emit openFailed(name, code);
                    return;
                }
                if (CDesktopOpen::Open(QUrl::fromLocalFile(local)))
                    emit opened(local);
            },
            Qt::QueuedConnection);
    });
}
