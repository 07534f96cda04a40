#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "IPhotoSerialAction.h"
#include "QUtilThread.h"

class CPhotoSerialCallbackAdapter;
class IPhotoSerialCallback;
class IVexaManager;

// The export kinds: which copy suits the records of the current view.
enum ExportKind : int {
    kExportPhotos = 0,
    kExportMedia = 1, // music, videos and playlist entries
    kExportBooks = 2,
    kExportApps = 3,
    kExportPhotosAsJpeg = 4, // photos, with HEIC and PNG pictures converted to JPEG
};

// Walks the entries of a file export and copies each one into the destination folder, reporting
// progress over all entries (the category's own entry included), and at the end how many files
// could not be copied. An action that allows it gets several entries at once, each on its own thread.
// Construct it on the widget thread, so the reports land there.
class CPhotoSerialThread : public QUtilThread {
public:
    CPhotoSerialThread(IVexaManager* manager, int kind, IPhotoSerialCallback* callback,
                       std::string destination, const std::vector<PhotoSerialEntry>* entries);
    // Stops the walk before the next entry and waits for the thread.
    ~CPhotoSerialThread() override;

    // Ends the walk before the next entry; the file being copied is finished first. Unlike a stop, a
    // cancel keeps the reports coming: the dialog waits for the end in its own loop.
    void Cancel() { m_cancelled = true; }
    int FailedCount() const { return m_failed; }

    static std::unique_ptr<IPhotoSerialAction> CreateAction(int kind, IVexaManager* manager);

protected:
    void Run() override;

private:
    int m_kind;
    std::string m_destination;
    std::unique_ptr<CPhotoSerialCallbackAdapter> m_adapter;
    const std::vector<PhotoSerialEntry>* m_entries;
    IVexaManager* m_manager;
    std::atomic<int> m_failed{0};
    std::atomic<bool> m_cancelled{false};

    // Copies at once at most, whatever an action offers.
    static constexpr int kMostLanes = 6;
};
