#include "QPlayAnalysisTread.h"

#include <QDebug>

#include <vexa/vexa.h>

#include "CBlockingCall.h"
#include "CDeviceLock.h"
#include "CMediaFileAdd.h"
#include "CModalGuard.h"
#include "NotSupportedMessage.h"
#include "PlaylistEntry.h"
#include "QMessageDlg.h"
#include "QMusicPlayListChunk.h"

QPlayAnalysisTread::QPlayAnalysisTread(IVexaManager* manager, int deviceHandle, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_deviceHandle(deviceHandle)
    , m_image(QMusicPlayListChunk::DefaultImage()) {
    connect(this, &QPlayAnalysisTread::emitGetPlaylistFailed, this, &QPlayAnalysisTread::OnGetPlaylistFailed,
            Qt::QueuedConnection);
    connect(this, &QPlayAnalysisTread::emitChangeFailed, this, &QPlayAnalysisTread::OnChangeFailed,
            Qt::QueuedConnection);
}

QPlayAnalysisTread::~QPlayAnalysisTread() {
    StopAndWait();
}

PlaylistEntry* QPlayAnalysisTread::Entry(int position) const {
    if (position < 0 || size_t(position) >= m_entries.size())
        return nullptr;
    return m_entries[size_t(position)].get();
}

QStringList QPlayAnalysisTread::PlaylistNames() const {
    QStringList names;
    for (size_t i = 1; i < m_entries.size(); ++i)
        names << QString::fromStdString(m_entries[i]->Name());
    return names;
}

bool QPlayAnalysisTread::IsWritable() const {
    IMediaLibrary* library = m_manager ? m_manager->GetMediaLibrary() : nullptr;
    return library && library->GetWriteAccess() == kContentWritable;
}

void QPlayAnalysisTread::ChangePlaylists(IMediaLibrary* library) {
    bool deleteFlag = false;
    bool addFlag = false;
    int position = 0;
    QString name;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        std::swap(deleteFlag, m_deleteFlag);
        std::swap(addFlag, m_addFlag);
        position = m_deletePosition;
        name = m_addName;
    }
    if (deleteFlag) {
        if (library->DeletePlaylist(position) != VEXA_OK)
            emit emitChangeFailed(true);
    } else if (addFlag) {
        if (library->AddPlaylist(reinterpret_cast<const char16_t*>(name.utf16())) != VEXA_OK)
            emit emitChangeFailed(false);
    }
}

void QPlayAnalysisTread::Run() {
    // A manager without a library has no device (any more): nothing to read and nothing to report.
    IMediaLibrary* library = m_manager ? m_manager->GetMediaLibrary() : nullptr;
    if (!library)
        return;
    ChangePlaylists(library);

    int count = 0;
    PlaylistRecord* records = nullptr;
    int code = VEXA_OK;
    {
        const CDeviceLock lock;
        code = library->GetPlaylists(&count, &records);
    }
    if (code != VEXA_OK) {
        qDebug() << "QPlayAnalysisTread::Run GetPlaylists failed" << code;
        if (IsNotSupportedYet(code))
            emit emitUnavailable();
        else
            emit emitGetPlaylistFailed();
        return;
    }
    std::vector<std::unique_ptr<PlaylistEntry>> entries;
    for (int position = 0; records && position < count; ++position)
        entries.push_back(std::make_unique<PlaylistEntry>(records[position], position, m_image));
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_pending = std::move(entries);
        m_pendingKind = library->GetLibraryKind();
        m_playlistCount = count;
    }
    // Waits until the interface thread has taken the entries, unless a stop comes first: the thread that
    // stops this loader waits for it next and may never get to the hand-over.
    if (!IsStopRequested())
        CBlockingCall::Run(
            this, [this] { OnEntriesReady(); }, [this] { return IsStopRequested(); });
}

void QPlayAnalysisTread::OnEntriesReady() {
    std::vector<std::unique_ptr<PlaylistEntry>> fresh;
    int kind = 0;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        fresh.swap(m_pending);
        kind = m_pendingKind;
    }
    // A loader being stopped for good tells nobody any more.
    if (IsStopRequested() || IsHalted())
        return;
    m_entries.swap(fresh);
    m_hasRead = true;
    // The tree and the page take the new entries before the old ones go with `fresh`.
    emit refreshPlayList(m_manager, kind, this);
}

int QPlayAnalysisTread::addComputerFile(int listPos, const QStringList& filePathList, int& progress) {
    const int code = CMediaFileAdd::Add(m_deviceHandle, filePathList, listPos, &progress);
    if (code != VEXA_OK)
        qDebug() << "AddMediaFileData failed!" << code;
    return code;
}

void QPlayAnalysisTread::DeleteAudioFile(int, QList<int>) {
    Start();
}

void QPlayAnalysisTread::AddPlaylistName(int, const QString& listName) {
    if (listName.isEmpty())
        return;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_addFlag = true;
        m_addName = listName;
    }
    Start();
}

void QPlayAnalysisTread::deletePlayList(int PlayListPos) {
    qDebug() << "deletePlayList begin" << PlayListPos;
    if (PlayListPos == 0) {
        ShowMessage(tr("You can't delete the default playlist!"));
        return;
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_deleteFlag = true;
        m_deletePosition = PlayListPos;
    }
    Start();
}

void QPlayAnalysisTread::RefreshList() {
    Start();
}

void QPlayAnalysisTread::OnGetPlaylistFailed() {
    ShowMessage(tr("Get playlist failed"));
}

void QPlayAnalysisTread::OnChangeFailed(bool deleting) {
    ShowMessage(deleting ? tr("Dele Playlist failed!") : tr("Add playlist failed!"));
}
