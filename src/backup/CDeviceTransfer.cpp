#include "CDeviceTransfer.h"

#include <algorithm>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <vexa/IMediaPlaylistEditor.h>
#include <vexa/IVexaManager.h>

namespace {

const char16_t* Utf16(const QString& text) {
    return reinterpret_cast<const char16_t*>(text.utf16());
}

QString Text(const char* value) {
    return value ? QString::fromUtf8(value) : QString();
}

// Contacts are the same when their names and their numbers are.
std::string ContactKey(const ContactRecord& record) {
    std::vector<std::string> numbers;
    for (int i = 0; i < record.phoneCount && record.phones; ++i) {
        if (record.phones[i].value)
            numbers.emplace_back(record.phones[i].value);
    }
    std::sort(numbers.begin(), numbers.end());
    std::string key;
    for (const char* part : {record.firstName, record.middleName, record.lastName}) {
        key += part ? part : "";
        key += '\x1f';
    }
    for (const std::string& number : numbers)
        key += number + '\x1e';
    return key;
}

struct SongToCopy {
    QString devicePath;
    QString name;
    qint64 size = 0;
    QStringList playlists; // the user playlists it is in, in the source's order
};

} // namespace

QByteArray FileChecksum(const QString& path) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (QFileInfo(path).isDir()) {
        // An unpacked book: its entries' names and contents, in name order.
        QStringList entries;
        QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            entries << it.next();
        entries.sort();
        for (const QString& entry : entries) {
            hash.addData(QDir(path).relativeFilePath(entry).toUtf8());
            hash.addData(FileChecksum(entry));
        }
        return hash.result();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    hash.addData(&file);
    return hash.result();
}

QString MediaPathToDevicePath(const char* mediaPath) {
    QString path = Text(mediaPath);
    path.replace(QLatin1Char(':'), QLatin1Char('/'));
    return path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path;
}

CDeviceTransfer::CDeviceTransfer(IVexaManager* source, IVexaManager* target, QString sourceName,
                                 QString workFolder)
    : m_source(source)
    , m_target(target)
    , m_sourceName(std::move(sourceName))
    , m_workFolder(std::move(workFolder)) {}

QString CDeviceTransfer::CategoryNames(int categories) {
    QStringList list;
    for (int category = 0; category < CategoryCount; ++category)
        if (categories & (1 << category))
            list << CategoryName(category);
    if (list.size() < 2)
        return list.join(QString());
    const QString last = list.takeLast();
    return tr("%1 and %2").arg(list.join(QStringLiteral(", ")), last);
}

int CDeviceTransfer::ReadOnlyCategories(IVexaManager* target) {
    if (!target)
        return 0;
    const auto readOnly = [](auto* service) {
        return service && service->GetWriteAccess() != kContentWritable;
    };
    int categories = 0;
    if (readOnly(target->GetContactService()))
        categories |= 1 << Contacts;
    if (readOnly(target->GetAlbums()))
        categories |= 1 << Photos;
    if (readOnly(target->GetMediaLibrary()))
        categories |= 1 << Music;
    if (readOnly(target->GetBookService()))
        categories |= 1 << Books;
    return categories;
}

QString CDeviceTransfer::TargetNote(int readOnly, const QString& targetName) {
    if (readOnly == 0)
        return QString();
    if (readOnly == (1 << CategoryCount) - 1)
        return tr("\"%1\" takes no contacts, photos, music or books over the cable. Please choose another "
                  "target device.")
            .arg(targetName);
    return tr("\"%1\" cannot take %2 over the cable; they will be left out.")
        .arg(targetName, CategoryNames(readOnly));
}

QString CDeviceTransfer::SummaryText(const CTransferCounts& counts, const QString& sourceName,
                                     const QString& targetName) {
    const auto names = [](int categories) { return CategoryNames(categories); };
    const int passedOver = counts.PassedOver();
    QStringList lines;
    if (counts.Copied() > 0)
        lines << tr("%1 contacts, %2 photos, %3 songs, %4 books copied; %5 skipped")
                     .arg(counts.contacts)
                     .arg(counts.photos)
                     .arg(counts.songs)
                     .arg(counts.books)
                     .arg(counts.skipped);
    else if (counts.skipped > 0)
        lines << tr("Nothing to copy: the target device already holds all %1 items.").arg(counts.skipped);
    else if (passedOver != (1 << CategoryCount) - 1)
        lines << tr("Nothing to copy: the source device holds no contacts, photos, songs or books.");
    if (counts.notReadable)
        lines << tr("Not yet readable from \"%1\": %2.").arg(sourceName, names(counts.notReadable));
    if (counts.notWritable)
        lines << tr("Not yet writable to \"%1\": %2.").arg(targetName, names(counts.notWritable));
    if (counts.readOnly)
        lines << tr("Left out because \"%1\" cannot take them over the cable: %2.")
                     .arg(targetName, names(counts.readOnly));
    return lines.join(QLatin1Char('\n'));
}

int CDeviceTransfer::FromSource(int result) {
    if (result == VEXA_E_NOT_SUPPORTED_YET)
        m_counts.notReadable |= 1 << m_category;
    return result;
}

int CDeviceTransfer::ToTarget(int result) {
    if (result == VEXA_E_NOT_SUPPORTED_YET)
        m_counts.notWritable |= 1 << m_category;
    // A target that turns out read-only for this category is passed over like one known up front.
    if (result == VEXA_E_READ_ONLY) {
        m_counts.readOnly |= 1 << m_category;
        return VEXA_E_NOT_SUPPORTED_YET;
    }
    return result;
}

QString CDeviceTransfer::CategoryName(int category) {
    switch (category) {
    case Contacts:
        return tr("Contacts");
    case Photos:
        return tr("Photos");
    case Music:
        return tr("Music");
    case Books:
        return tr("Books");
    default:
        return QString();
    }
}

void CDeviceTransfer::Report(int category, int done, int total) const {
    if (m_progress)
        m_progress(category, done, total);
}

QString CDeviceTransfer::LocalSlot(const char* kind, int index, const QString& name) const {
    // One folder per item keeps the file's own name, which the target reads titles from.
    const QString folder = QStringLiteral("%1/%2/%3").arg(m_workFolder, QLatin1String(kind)).arg(index);
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + (name.isEmpty() ? QStringLiteral("item") : name);
}

int CDeviceTransfer::Run() {
    QDir(m_workFolder).removeRecursively();
    if (!QDir().mkpath(m_workFolder))
        return VEXA_E_IO;
    int result = VEXA_OK;
    m_counts.readOnly = ReadOnlyCategories(m_target);
    for (m_category = Contacts; m_category < CategoryCount; ++m_category) {
        if (Stopped()) {
            result = VEXA_E_CANCELLED;
            break;
        }
        // What the target keeps read-only is not even read from the source.
        result = m_counts.readOnly & (1 << m_category) ? VEXA_E_NOT_SUPPORTED_YET : CopyCategory(m_category);
        // A category one of the devices does not offer yet is passed over; the summary names it.
        if (result == VEXA_E_NOT_SUPPORTED_YET) {
            result = VEXA_OK;
            Report(m_category, 1, 1);
        }
        if (result != VEXA_OK)
            break;
    }
    QDir(m_workFolder).removeRecursively();
    return result;
}

int CDeviceTransfer::CopyCategory(int category) {
    switch (category) {
    case Contacts:
        return CopyContacts();
    case Photos:
        return CopyPhotos();
    case Music:
        return CopyMusic();
    case Books:
        return CopyBooks();
    default:
        return VEXA_E_INVALID_ARGUMENT;
    }
}

int CDeviceTransfer::CopyContacts() {
    IContactService* from = m_source->GetContactService();
    IContactService* to = m_target->GetContactService();
    if (!from || !to)
        return VEXA_E_UNPLUGGED;
    // The source first: what it cannot give is named even when the target could not take it either.
    ContactList* list = nullptr;
    if (int result = FromSource(from->GetContacts(&list)); result != VEXA_OK)
        return result;
    ContactList* held = nullptr;
    if (int result = ToTarget(to->GetContacts(&held)); result != VEXA_OK)
        return result;
    std::set<std::string> present;
    std::set<std::string> targetGroups;
    for (int i = 0; i < held->recordCount; ++i)
        present.insert(ContactKey(held->records[i]));
    for (int i = 0; i < held->groupCount; ++i)
        targetGroups.insert(held->groups[i].name ? held->groups[i].name : "");

    std::map<std::string, std::vector<const char*>> groupsOf; // source contact id -> group names
    for (int g = 0; g < list->groupCount; ++g) {
        const ContactGroupRecord& group = list->groups[g];
        if (!group.name)
            continue;
        for (int m = 0; m < group.memberCount; ++m)
            groupsOf[group.memberIds[m]].push_back(group.name);
    }
    const int total = list->recordCount;
    for (int i = 0; i < total; ++i) {
        if (Stopped())
            return VEXA_E_CANCELLED;
        const ContactRecord& record = list->records[i];
        if (!record.id)
            continue;
        if (!present.insert(ContactKey(record)).second) {
            ++m_counts.skipped;
        } else {
            ContactRecord copy = record;
            copy.id = nullptr;
            if (int result = to->SaveContact(&copy, 0); result != VEXA_OK)
                return result;
            const std::string newId = copy.id ? copy.id : "";
            auto groups = groupsOf.find(record.id);
            if (groups != groupsOf.end() && !newId.empty()) {
                for (const char* name : groups->second) {
                    if (targetGroups.insert(name).second) {
                        const int created = to->CreateGroup(name);
                        if (created != VEXA_OK && created != VEXA_E_EXISTS)
                            return created;
                    }
                }
                if (int result = to->SetContactGroups(newId.c_str(), groups->second.data(),
                                                      int(groups->second.size()));
                    result != VEXA_OK)
                    return result;
            }
            ++m_counts.contacts;
        }
        Report(Contacts, i + 1, total);
    }
    Report(Contacts, total, total);
    return VEXA_OK;
}

int CDeviceTransfer::TargetChecksums(const std::vector<std::pair<QString, qint64>>& files,
                                     const std::set<qint64>& sizes, std::set<QByteArray>& checksums) {
    // Only a file of a size the source has can be a copy of one of its files.
    int index = 0;
    for (const auto& [path, size] : files) {
        if (Stopped())
            return VEXA_E_CANCELLED;
        if (!sizes.count(size))
            continue;
        const QString local = LocalSlot("held", index++, QFileInfo(path).fileName());
        if (int result = Download(m_target, path, local); result != VEXA_OK)
            return result;
        checksums.insert(FileChecksum(local));
        QFile::remove(local);
    }
    return VEXA_OK;
}

int CDeviceTransfer::CopyPhotos() {
    IPhotoLibrary* from = m_source->GetPhotos();
    IPhotoLibrary* held = m_target->GetPhotos();
    IAlbumLibrary* albums = m_target->GetAlbums();
    if (!from || !held || !albums)
        return VEXA_E_UNPLUGGED;
    PhotoRecord* records = nullptr;
    int count = 0;
    if (int result = FromSource(from->PrepareList()); result != VEXA_OK)
        return result;
    if (int result = FromSource(from->GetPhotoList(&records, &count)); result != VEXA_OK)
        return result;
    std::vector<std::pair<QString, qint64>> sourceFiles;
    std::set<qint64> sizes;
    for (int i = 0; i < count; ++i) {
        sourceFiles.emplace_back(Text(records[i].path), records[i].fileSize);
        sizes.insert(records[i].fileSize);
    }
    if (int result = ToTarget(held->PrepareList()); result != VEXA_OK)
        return result;
    PhotoRecord* targetRecords = nullptr;
    int targetCount = 0;
    if (int result = ToTarget(held->GetPhotoList(&targetRecords, &targetCount)); result != VEXA_OK)
        return result;
    std::vector<std::pair<QString, qint64>> targetFiles;
    for (int i = 0; i < targetCount; ++i)
        targetFiles.emplace_back(Text(targetRecords[i].path), targetRecords[i].fileSize);
    std::set<QByteArray> present;
    if (int result = TargetChecksums(targetFiles, sizes, present); result != VEXA_OK)
        return result;

    QByteArray albumId;
    const int total = int(sourceFiles.size());
    for (int i = 0; i < total; ++i) {
        if (Stopped())
            return VEXA_E_CANCELLED;
        const QString local = LocalSlot("photos", i, QFileInfo(sourceFiles[i].first).fileName());
        if (int result = Download(m_source, sourceFiles[i].first, local); result != VEXA_OK)
            return result;
        if (!present.insert(FileChecksum(local)).second) {
            ++m_counts.skipped;
        } else {
            if (albumId.isEmpty()) {
                if (int result = OpenAlbum(albums, albumId); result != VEXA_OK)
                    return result;
            }
            // A camera video in the photo list is not something the target takes from a computer.
            const int result = albums->ImportPhotoFile(Utf16(local), albumId.constData());
            if (result == VEXA_E_UNSUPPORTED)
                ++m_counts.skipped;
            else if (result != VEXA_OK)
                return result;
            else
                ++m_counts.photos;
        }
        QFile::remove(local);
        Report(Photos, i + 1, total);
    }
    Report(Photos, total, total);
    return VEXA_OK;
}

int CDeviceTransfer::OpenAlbum(IAlbumLibrary* albums, QByteArray& albumId) {
    const QByteArray name = (m_sourceName.isEmpty() ? tr("Transferred") : m_sourceName).toUtf8();
    AlbumRecord* list = nullptr;
    int count = 0;
    if (int result = albums->PrepareList(); result != VEXA_OK)
        return result;
    if (int result = albums->GetAlbumList(&list, &count); result != VEXA_OK)
        return result;
    for (int i = 0; i < count; ++i) {
        if (list[i].type == ALBUM_USER && list[i].name && name == list[i].name) {
            albumId = list[i].id;
            return VEXA_OK;
        }
    }
    AlbumRecord* created = nullptr;
    if (int result = albums->CreateAlbum(Utf16(QString::fromUtf8(name)), &created); result != VEXA_OK)
        return result;
    const QByteArray id = created->id;
    int result = albums->PublishAlbum(id.constData(), name.constData(), ALBUM_USER);
    albums->ReleaseAlbum(created);
    if (result == VEXA_OK)
        albumId = id;
    return result;
}

int CDeviceTransfer::CopyMusic() {
    IMediaLibrary* from = m_source->GetMediaLibrary();
    IMediaLibrary* to = m_target->GetMediaLibrary();
    if (!from || !to)
        return VEXA_E_UNPLUGGED;
    int count = 0;
    PlaylistRecord* playlists = nullptr;
    if (int result = FromSource(from->GetPlaylists(&count, &playlists)); result != VEXA_OK)
        return result;
    // Playlist 0 is the whole library; a song is added with its first user playlist and joins the others.
    std::vector<SongToCopy> songs;
    std::map<QString, size_t> songIndex;
    std::set<qint64> sizes;
    for (int p = 0; p < count; ++p) {
        for (int t = 0; t < playlists[p].trackCount; ++t) {
            const MediaTrackRecord& track = playlists[p].tracks[t];
            if (track.mediaKind != MEDIA_SONG)
                continue;
            const QString path = MediaPathToDevicePath(track.path);
            auto known = songIndex.find(path);
            if (known == songIndex.end()) {
                songIndex[path] = songs.size();
                songs.push_back({path, QFileInfo(path).fileName(), track.fileSize, {}});
                sizes.insert(track.fileSize);
                known = songIndex.find(path);
            }
            SongToCopy& song = songs[known->second];
            if (p > 0 && !song.playlists.contains(Text(playlists[p].name)))
                song.playlists << Text(playlists[p].name);
        }
    }
    int targetCount = 0;
    PlaylistRecord* targetLists = nullptr;
    if (int result = ToTarget(to->GetPlaylists(&targetCount, &targetLists)); result != VEXA_OK)
        return result;
    std::vector<std::pair<QString, qint64>> targetFiles;
    for (int t = 0; targetCount > 0 && t < targetLists[0].trackCount; ++t)
        targetFiles.emplace_back(MediaPathToDevicePath(targetLists[0].tracks[t].path),
                                 targetLists[0].tracks[t].fileSize);
    std::set<QByteArray> present;
    if (int result = TargetChecksums(targetFiles, sizes, present); result != VEXA_OK)
        return result;

    // Every playlist of the source exists on the target afterwards, even one whose songs it already held.
    std::vector<QString> playlistNames;
    for (int p = 1; p < count; ++p)
        playlistNames.push_back(Text(playlists[p].name));
    for (const QString& name : playlistNames) {
        int position = 0;
        if (int result = PlaylistPosition(to, name, position); result != VEXA_OK)
            return result;
    }
    // Download and compare first; then add each playlist's new songs in one call.
    std::map<QString, std::vector<size_t>> byPlaylist;
    const int total = int(songs.size());
    for (int i = 0; i < total; ++i) {
        if (Stopped())
            return VEXA_E_CANCELLED;
        const QString local = LocalSlot("songs", i, songs[i].name);
        if (int result = Download(m_source, songs[i].devicePath, local); result != VEXA_OK)
            return result;
        if (!present.insert(FileChecksum(local)).second) {
            ++m_counts.skipped;
            QFile::remove(local);
        } else {
            byPlaylist[songs[i].playlists.value(0)].push_back(size_t(i));
        }
        Report(Music, i + 1, total * 2);
    }
    int added = 0;
    for (const auto& [playlist, indexes] : byPlaylist) {
        if (Stopped())
            return VEXA_E_CANCELLED;
        int position = 0;
        if (!playlist.isEmpty()) {
            if (int result = PlaylistPosition(to, playlist, position); result != VEXA_OK)
                return result;
        }
        std::vector<QString> files;
        std::vector<const char16_t*> paths;
        std::vector<QStringList> others;
        for (size_t index : indexes)
            files.push_back(LocalSlot("songs", int(index), songs[index].name));
        for (size_t i = 0; i < indexes.size(); ++i) {
            paths.push_back(Utf16(files[i]));
            others.push_back(songs[indexes[i]].playlists.mid(1));
        }
        int progress = 0;
        if (int result = to->AddMediaFileData(paths.data(), int(paths.size()), &progress, position);
            result != VEXA_OK)
            return result;
        if (position > 0) {
            if (int result = JoinOtherPlaylists(to, position, others); result != VEXA_OK)
                return result;
        }
        m_counts.songs += int(files.size());
        added += int(files.size());
        Report(Music, total + added, total * 2);
    }
    Report(Music, total * 2, total * 2);
    return VEXA_OK;
}

int CDeviceTransfer::JoinOtherPlaylists(IMediaLibrary* library, int position,
                                        const std::vector<QStringList>& others) {
    std::map<QString, int> positions;
    for (const QStringList& names : others) {
        for (const QString& name : names) {
            if (positions.count(name) == 0) {
                if (int result = PlaylistPosition(library, name, positions[name]); result != VEXA_OK)
                    return result;
            }
        }
    }
    if (positions.empty())
        return VEXA_OK;
    int count = 0;
    PlaylistRecord* lists = nullptr;
    if (int result = library->GetPlaylists(&count, &lists); result != VEXA_OK)
        return result;
    if (position >= count || lists[position].trackCount < int(others.size()))
        return VEXA_E_NOT_FOUND;
    const int first = lists[position].trackCount - int(others.size());
    std::map<int, std::vector<MediaPosition>> joining;
    for (size_t i = 0; i < others.size(); ++i) {
        for (const QString& name : others[i])
            joining[positions[name]].push_back({position, first + int(i)});
    }
    auto* editor = dynamic_cast<IMediaPlaylistEditor*>(library);
    if (!editor) {
        qDebug("CDeviceTransfer::JoinOtherPlaylists: the target keeps each song in one playlist only");
        return VEXA_OK;
    }
    for (const auto& [playlist, songs] : joining) {
        if (int result = editor->AddToPlaylist(songs.data(), int(songs.size()), playlist); result != VEXA_OK)
            return result;
    }
    return VEXA_OK;
}

int CDeviceTransfer::PlaylistPosition(IMediaLibrary* library, const QString& name, int& position) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        int count = 0;
        PlaylistRecord* lists = nullptr;
        if (int result = library->GetPlaylists(&count, &lists); result != VEXA_OK)
            return result;
        for (int p = 1; p < count; ++p) {
            if (Text(lists[p].name) == name) {
                position = p;
                return VEXA_OK;
            }
        }
        if (attempt == 0) {
            if (int result = library->AddPlaylist(Utf16(name)); result != VEXA_OK)
                return result;
        }
    }
    return VEXA_E_NOT_FOUND;
}

int CDeviceTransfer::CopyBooks() {
    IBookService* from = m_source->GetBookService();
    IBookService* to = m_target->GetBookService();
    if (!from || !to)
        return VEXA_E_UNPLUGGED;
    BookRecord* records = nullptr;
    int count = 0;
    if (int result = FromSource(from->GetBooks(&records, &count)); result != VEXA_OK)
        return result;
    BookRecord* held = nullptr;
    int heldCount = 0;
    if (int result = ToTarget(to->GetBooks(&held, &heldCount)); result != VEXA_OK)
        return result;
    struct Book {
        QString path;
        QString title;
        qint64 size;
    };
    std::vector<std::pair<QString, qint64>> targetFiles;
    for (int i = 0; i < heldCount; ++i) {
        if (held[i].present)
            targetFiles.emplace_back(QString::fromUtf8(held[i].path), QByteArray(held[i].size).toLongLong());
    }
    std::vector<Book> books;
    std::set<qint64> sizes;
    for (int i = 0; i < count; ++i) {
        if (!records[i].present)
            continue;
        books.push_back({QString::fromUtf8(records[i].path), QString::fromUtf8(records[i].title),
                         QByteArray(records[i].size).toLongLong()});
        sizes.insert(books.back().size);
    }
    std::set<QByteArray> present;
    if (int result = TargetChecksums(targetFiles, sizes, present); result != VEXA_OK)
        return result;
    const int total = int(books.size());
    for (int i = 0; i < total; ++i) {
        if (Stopped())
            return VEXA_E_CANCELLED;
        const QString local = LocalSlot("books", i, QFileInfo(books[i].path).fileName());
        if (int result = Download(m_source, books[i].path, local); result != VEXA_OK)
            return result;
        if (!present.insert(FileChecksum(local)).second) {
            ++m_counts.skipped;
        } else {
            if (int result = to->AddBook(Utf16(local)); result != VEXA_OK)
                return result;
            ++m_counts.books;
        }
        Report(Books, i + 1, total);
    }
    Report(Books, total, total);
    return VEXA_OK;
}

int CDeviceTransfer::Download(IVexaManager* manager, const QString& devicePath, const QString& localPath) {
    IFileService* files = manager->GetFileService();
    if (!files)
        return VEXA_E_UNPLUGGED;
    QFile::remove(localPath);
    const int result = files->CopyFileToComputer(Utf16(devicePath), Utf16(localPath));
    if (result == VEXA_OK)
        return result;
    // An unpacked book is a folder; it is copied entry by entry.
    int count = 0;
    DirectoryEntryRecord* entries = nullptr;
    if (files->ReadDirectory(devicePath.toUtf8().constData(), &count, &entries) == VEXA_OK)
        return DownloadFolder(manager, devicePath, localPath);
    return result;
}

int CDeviceTransfer::DownloadFolder(IVexaManager* manager, const QString& devicePath,
                                    const QString& localPath) {
    IFileService* files = manager->GetFileService();
    int count = 0;
    DirectoryEntryRecord* entries = nullptr;
    if (int result = files->ReadDirectory(devicePath.toUtf8().constData(), &count, &entries);
        result != VEXA_OK)
        return result;
    if (!QDir().mkpath(localPath))
        return VEXA_E_IO;
    // The listing belongs to the service until its next call: take the names first.
    std::vector<std::pair<QString, bool>> children;
    for (int i = 0; i < count; ++i) {
        const QString name = Text(entries[i].name);
        if (name == QLatin1String(".") || name == QLatin1String("..") || name.isEmpty())
            continue;
        children.emplace_back(name, qstrcmp(entries[i].type, "S_IFDIR") == 0);
    }
    for (const auto& [name, folder] : children) {
        const QString from = devicePath + QLatin1Char('/') + name;
        const QString to = localPath + QLatin1Char('/') + name;
        const int result =
            folder ? DownloadFolder(manager, from, to) : files->CopyFileToComputer(Utf16(from), Utf16(to));
        if (result != VEXA_OK)
            return result;
    }
    return VEXA_OK;
}
