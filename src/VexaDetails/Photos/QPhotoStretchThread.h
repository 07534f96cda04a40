#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include <QImage>
#include <QObject>
#include <QString>

#include "QUtilThread.h"
#include "indexPhoto.h"

class CPhotoList;
class CPhotoMonthGroups;
class IPhotoLibrary;

// Loads thumbnails on a thread of its own for the photos a page asks for, most urgent first, and scales
// each to at most 120 pixels on its long side. The page replaces its wishes whenever it scrolls, so
// photos that left the screen before their turn are never loaded. A finished thumbnail waits in the
// thread until the page takes it; emitRedrawItem tells the page that one is ready. The thread only runs
// while there is work: it ends after a second without requests and the next wish starts it again.
class QPhotoStretchThread : public QObject, public QUtilThread {
    Q_OBJECT
public:
    static constexpr int kThumbnailSide = 120;

    struct Request {
        QString key;
        indexPhoto* item = nullptr;
    };
    struct Result {
        int generation = 0;
        QString key;
        indexPhoto* item = nullptr;
        QImage image; // null when the device gave no picture
    };

    explicit QPhotoStretchThread(IPhotoLibrary* library, QObject* parent = nullptr);
    ~QPhotoStretchThread() override;

    // The photos (and their groups, which the requests point into) that later requests come from.
    // Returns the new generation; results of earlier ones are stale.
    int SetSource(std::shared_ptr<CPhotoList> list, std::shared_ptr<CPhotoMonthGroups> groups);
    void SetWanted(std::vector<Request> wanted);
    std::vector<Result> TakeResults();
    bool IsIdle() const;

signals:
    void emitError(int code);
    void emitRedrawItem(QString key, indexPhoto* item);
    // A photo's file gave no thumbnail: the library's count of unreadable photos, as it stands now.
    void emitUnreadableCount(int count);

protected:
    void Run() override;

private:
    // One request with what it points into, held until its thumbnail is loaded: the GUI thread may
    // set a new source meanwhile.
    struct Job {
        Request request;
        int generation = 0;
        std::shared_ptr<CPhotoList> list;
        std::shared_ptr<CPhotoMonthGroups> groups;
    };
    bool Next(Job& job);
    QImage Load(PhotoRecord* record, int& code);

    IPhotoLibrary* m_library;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Request> m_wanted;
    std::vector<Result> m_results;
    std::shared_ptr<CPhotoList> m_list;
    std::shared_ptr<CPhotoMonthGroups> m_groups;
    int m_generation = 0;
    bool m_busy = false;
    bool m_failed = false;
    bool m_active = false; // a run is under way and will look at the wishes again
};
