#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class IAlbumLibrary;
class IMediaLibrary;
class IVexaManager;

// What a transfer copied and what it left because the target already held it.
struct CTransferCounts {
    int contacts = 0;
    int photos = 0;
    int songs = 0;
    int books = 0;
    int skipped = 0;
    // Categories (bits 1 << CDeviceTransfer::Category) the source cannot give or the target cannot
    // take yet; they are passed over, the others still copied.
    int notReadable = 0;
    int notWritable = 0;
    // Categories the target keeps read-only over the cable (a real phone's photos, music and books).
    int readOnly = 0;

    int PassedOver() const { return notReadable | notWritable | readOnly; }

    int Copied() const { return contacts + photos + songs + books; }
};

// Copies one device's contacts (with their groups), photos (into an album named after the source
// device), songs (with their playlists) and books onto another device through the device library.
// Whatever the target already holds is left: a contact with the same name and numbers, a photo, song
// or book with the same content. Runs on a worker thread; the managers must stay alive meanwhile.
class CDeviceTransfer {
    Q_DECLARE_TR_FUNCTIONS(CDeviceTransfer)
public:
    enum Category { Contacts, Photos, Music, Books, CategoryCount };
    // category, items handled, items in that category
    using Progress = std::function<void(int, int, int)>;

    CDeviceTransfer(IVexaManager* source, IVexaManager* target, QString sourceName, QString workFolder);

    void SetProgress(Progress progress) { m_progress = std::move(progress); }
    void SetStop(std::function<bool()> stop) { m_stop = std::move(stop); }

    // 0 when every category was copied; otherwise the device library's failure, with the counts of what
    // was done before it.
    int Run();
    const CTransferCounts& Counts() const { return m_counts; }
    static QString SummaryText(const CTransferCounts& counts, const QString& sourceName,
                               const QString& targetName);
    static QString CategoryName(int category);
    // Names of the categories (bits) in a sentence: "Photos, Music and Books".
    static QString CategoryNames(int categories);
    // The categories (bits) a device's services answer are read-only here; asked before a transfer
    // starts, so the dialog can say what the target will not take.
    static int ReadOnlyCategories(IVexaManager* target);
    // What the dialog says about a target before the transfer; empty when it takes every category.
    static QString TargetNote(int readOnly, const QString& targetName);

private:
    int CopyCategory(int category);
    int CopyContacts();
    int CopyPhotos();
    int CopyMusic();
    int CopyBooks();
    // The target's album named after the source device, made when it does not exist yet.
    int OpenAlbum(IAlbumLibrary* albums, QByteArray& albumId);
    // The position of the target's playlist of that name, made when it does not exist yet.
    int PlaylistPosition(IMediaLibrary* library, const QString& name, int& position);
    // Songs just added to the playlist at `position` (its last ones, in order) join their other playlists.
    int JoinOtherPlaylists(IMediaLibrary* library, int position, const std::vector<QStringList>& others);
    // Copies a device file (or an unpacked folder) to the computer.
    int Download(IVexaManager* manager, const QString& devicePath, const QString& localPath);
    int DownloadFolder(IVexaManager* manager, const QString& devicePath, const QString& localPath);
    // The content checksums of the target's files among `paths` whose size is in `sizes`.
    int TargetChecksums(const std::vector<std::pair<QString, qint64>>& files, const std::set<qint64>& sizes,
                        std::set<QByteArray>& checksums);
    QString LocalSlot(const char* kind, int index, const QString& name) const;
    // Pass a list call's result through, noting a category the device does not offer yet.
    int FromSource(int result);
    int ToTarget(int result);
    bool Stopped() const { return m_stop && m_stop(); }
    void Report(int category, int done, int total) const;

    IVexaManager* m_source;
    IVexaManager* m_target;
    QString m_sourceName;
    QString m_workFolder;
    Progress m_progress;
    std::function<bool()> m_stop;
    CTransferCounts m_counts;
    int m_category = Contacts;
};

// The content checksum by which files of two devices are compared.
QByteArray FileChecksum(const QString& path);
// A device path of the media library (":iTunes_Control:Music:F00:A.mp3") as a file service path.
QString MediaPathToDevicePath(const char* mediaPath);
