#include "QPhotoStretchThread.h"

#include <chrono>

#include <QDebug>
#include <QThread>

#include <vexa/VexaResult.h>
#include <vexa/VexaServices.h>

#include "CPhotoList.h"
#include "CPhotoMonthGroups.h"
#include "ForeignImage.h"

namespace {
constexpr auto kPollInterval = std::chrono::milliseconds(50);
constexpr int kIdlePollsBeforeExit = 20;
} // namespace

QPhotoStretchThread::QPhotoStretchThread(IPhotoLibrary* library, QObject* parent)
    : QObject(parent)
    , m_library(library) {
    qRegisterMetaType<indexPhoto*>("indexPhoto*");
}

QPhotoStretchThread::~QPhotoStretchThread() {
    RequestStop();
    m_wake.notify_all();
    StopAndWait();
}

int QPhotoStretchThread::SetSource(std::shared_ptr<CPhotoList> list,
                                   std::shared_ptr<CPhotoMonthGroups> groups) {
    std::lock_guard lock(m_mutex);
    m_list = std::move(list);
    m_groups = std::move(groups);
    m_wanted.clear();
    m_results.clear();
    m_failed = false;
    return ++m_generation;
}

void QPhotoStretchThread::SetWanted(std::vector<Request> wanted) {
    bool start = false;
    {
        std::lock_guard lock(m_mutex);
        // A device that stopped answering is not asked again for every photo that scrolls by.
        if (m_failed) {
            return;
        }
        m_wanted.assign(wanted.begin(), wanted.end());
        start = !m_wanted.empty() && !m_active;
        m_active = m_active || start;
    }
    if (start && !Start()) {
        std::lock_guard lock(m_mutex);
        m_active = false;
        return;
    }
    m_wake.notify_one();
}

std::vector<QPhotoStretchThread::Result> QPhotoStretchThread::TakeResults() {
    std::lock_guard lock(m_mutex);
    std::vector<Result> results;
    results.swap(m_results);
    return results;
}

bool QPhotoStretchThread::IsIdle() const {
    std::lock_guard lock(m_mutex);
    return m_wanted.empty() && !m_busy;
}

bool QPhotoStretchThread::Next(Job& job) {
    std::unique_lock lock(m_mutex);
    m_busy = false;
    m_wake.wait_for(lock, kPollInterval, [this] { return !m_wanted.empty() || IsStopRequested(); });
    if (m_wanted.empty() || IsStopRequested()) {
        return false;
    }
    job.request = m_wanted.front();
    m_wanted.pop_front();
    job.generation = m_generation;
    job.list = m_list;
    job.groups = m_groups;
    m_busy = true;
    return true;
}

QImage QPhotoStretchThread::Load(PhotoRecord* record, int& code) {
    code = m_library != nullptr ? m_library->LoadThumbnail(record) : int(VEXA_E_UNPLUGGED);
    if (code != VEXA_OK || record->thumbnail == nullptr || record->thumbnailLength <= 0) {
        return {};
    }
    // The bytes are only valid until this thread loads the next thumbnail: decoded at once.
    const QImage image = ForeignImage::Decode(
        QByteArray::fromRawData(reinterpret_cast<const char*>(record->thumbnail), record->thumbnailLength),
        ForeignImage::kLargestPictureSide, kThumbnailSide);
    record->thumbnail = nullptr;
    record->thumbnailLength = 0;
    if (image.isNull()) {
        qDebug() << "image is null";
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

void QPhotoStretchThread::Run() {
    QThread::currentThread()->setObjectName(QStringLiteral("QPhotoStretchThread"));
    // Whatever way the run ends, the next wish starts a new one.
    struct Inactive {
        QPhotoStretchThread* thread;
        ~Inactive() {
            std::lock_guard lock(thread->m_mutex);
            thread->m_active = false;
        }
    } inactive{this};
    int idlePolls = 0;
    while (!IsStopRequested()) {
        Job job;
        if (!Next(job)) {
            std::lock_guard lock(m_mutex);
            if (++idlePolls >= kIdlePollsBeforeExit && m_wanted.empty()) {
                m_active = false;
                return;
            }
            continue;
        }
        idlePolls = 0;
        const Request& request = job.request;
        if (!job.list || request.item == nullptr) {
            continue;
        }
        int code = VEXA_OK;
        QImage image = Load(request.item->record, code);
        const int generation = job.generation;
        {
            std::lock_guard lock(m_mutex);
            if (generation != m_generation) {
                continue;
            }
            if (code == VEXA_E_UNPLUGGED) {
                m_failed = true;
                m_wanted.clear();
            }
            m_results.push_back(Result{generation, request.key, request.item, std::move(image)});
        }
        if (code == VEXA_E_UNPLUGGED) {
            emit emitError(code);
        } else if (code != VEXA_OK && m_library != nullptr) {
            emit emitUnreadableCount(m_library->GetUnreadableCount());
        }
        emit emitRedrawItem(request.key, request.item);
    }
}
