#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTemporaryDir>
#include <QThreadPool>
#include <memory>

class IDeviceService;

// The files sent with the messages of one device's page. Each file is copied from the device into a
// private folder (only this user may open it), which goes with the object. Pictures are shrunk to
// thumbnails on threads of the object's own, never on the interface thread, and kept; opening a file
// copies it first, then hands it to the desktop's program for its type.
class CAttachmentFiles : public QObject {
    Q_OBJECT
public:
    // The largest a thumbnail is made.
    static constexpr int kThumbnailWidth = 220;
    static constexpr int kThumbnailHeight = 180;

    explicit CAttachmentFiles(IDeviceService* service, QObject* parent = nullptr);
    // Waits for the copies under way.
    ~CAttachmentFiles() override;

    // The thumbnail of the picture at the device path, when it is ready; otherwise a null image, and
    // the thumbnail is made (thumbnailReady follows) unless making it failed before.
    QImage Thumbnail(const QString& devicePath);
    bool ThumbnailFailed(const QString& devicePath) const { return m_failed.contains(devicePath); }
    // The thumbnail when it is ready, without asking for one.
    QImage ReadyThumbnail(const QString& devicePath) const { return m_thumbnails.value(devicePath); }
    // Copies the file and opens it with the desktop's program (opened or openFailed follows).
    void Open(const QString& devicePath, const QString& name);
    // Where copies are kept; empty when the folder could not be made.
    QString Folder() const;
    // Waits until every copy and thumbnail under way is done (their signals still to come).
    void WaitForDone();

signals:
    void thumbnailReady(const QString& devicePath);
    void opened(const QString& localPath);
    void openFailed(const QString& name, int code);

private:
    void MakeFolder();
    // The file's local copy, made when missing; a VexaResult. Runs on the pool's threads.
    int Copy(const QString& devicePath, const QString& name, QString* localPath) const;
    void ThumbnailMade(const QString& devicePath, const QImage& image);

    IDeviceService* m_service;
    std::unique_ptr<QTemporaryDir> m_folder;
    QThreadPool m_pool;
    QHash<QString, QImage> m_thumbnails;
    QSet<QString> m_pending;
    QSet<QString> m_failed;
};
