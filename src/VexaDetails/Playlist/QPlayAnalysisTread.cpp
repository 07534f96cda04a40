#include "QPlayAnalysisTread.h"

#include "CModalGuard.h"

#include <vexa/vexa.h>

QPlayAnalysisTread::QPlayAnalysisTread(IVexaManager* manager, int deviceHandle, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_deviceHandle(deviceHandle) {}

QPlayAnalysisTread::~QPlayAnalysisTread() {
    StopAndWait();
}

QStringList QPlayAnalysisTread::PlaylistNames() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_names;
}

int QPlayAnalysisTread::LastResult() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lastResult;
}

void QPlayAnalysisTread::Run() {
    IMediaLibrary* library = m_manager ? m_manager->GetMediaLibrary() : nullptr;
    if (!library)
        return;
    int count = 0;
    PlaylistRecord* playlists = nullptr;
    const int code = library->GetPlaylists(&count, &playlists);
    QStringList names;
    for (int position = 1; code == VEXA_OK && position < count; ++position)
        names << QString::fromUtf8(playlists[position].name ? playlists[position].name : "");
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_lastResult = code;
        if (code == VEXA_OK)
            m_names = names;
    }
    if (code != VEXA_OK)
        qWarning("QPlayAnalysisTread::Run GetPlaylists failed: %d", code);
    if (IsStopRequested())
        return;
    emit refreshPlayList(m_manager, library->GetLibraryKind(), this);
    if (code != VEXA_OK)
        emit playListReadFailed(code);
}

void QPlayAnalysisTread::AddPlaylistName(int deviceHandle, const QString& name) {
    if (deviceHandle != m_deviceHandle || name.isEmpty() || !m_manager)
        return;
    IMediaLibrary* library = m_manager->GetMediaLibrary();
    ReportChange(library ? library->AddPlaylist(reinterpret_cast<const char16_t*>(name.utf16()))
                         : VEXA_E_UNPLUGGED);
}

void QPlayAnalysisTread::deletePlayList(int row) {
    IMediaLibrary* library = m_manager ? m_manager->GetMediaLibrary() : nullptr;
    ReportChange(library ? library->DeletePlaylist(row + 1) : VEXA_E_UNPLUGGED);
}

void QPlayAnalysisTread::ReportChange(int code) {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_lastResult = code;
    }
    if (code != VEXA_OK) {
        // The failure is shown in a modal message, whose event loop may deliver the device's removal.
        const CModalGuard guard(this);
        emit playListChangeFailed(code);
        if (guard.Gone())
            return;
    }
    Start();
}
