#include "QPhotoDeleteAction.h"

#include <vector>

#include <QThread>

#include <vexa/VexaServices.h>

namespace {
constexpr int kPollIntervalMs = 500;
} // namespace

QPhotoDeleteAction::QPhotoDeleteAction(IPhotoLibrary* library, QObject* parent)
    : QBaseAction(parent)
    , m_library(library) {
    m_timer.setInterval(kPollIntervalMs);
    connect(this, &QPhotoDeleteAction::launchTimer, &m_timer, qOverload<>(&QTimer::start));
    connect(&m_timer, &QTimer::timeout, this, &QPhotoDeleteAction::OnLaunchTimer);
}

QPhotoDeleteAction::~QPhotoDeleteAction() {
    m_timer.stop();
    StopAndWait();
    // The queued start may have arrived while the wait kept events flowing.
    m_timer.stop();
}

void QPhotoDeleteAction::SetDeleteItems(const QList<const PhotoRecord*>& items, const char* text, int kind) {
    m_items = items;
    m_bytes = QByteArray(text != nullptr ? text : "");
    m_text = QString::fromLatin1(m_bytes);
    m_kind = kind;
}

bool QPhotoDeleteAction::StartProcess() {
    return Start();
}

void QPhotoDeleteAction::OnLaunchTimer() {
    const int handled = m_library != nullptr ? m_library->GetDeleteProgress() : 0;
    NotifyMsg("Deleting...");
    NotifyProgress(handled, static_cast<int>(m_items.size()));
}

void QPhotoDeleteAction::Run() {
    QThread::currentThread()->setObjectName(QStringLiteral("PhotoDeleteAction"));
    emit launchTimer();
    std::vector<const char*> ids;
    for (const PhotoRecord* record : std::as_const(m_items)) {
        if (record != nullptr && record->id != nullptr) {
            ids.push_back(record->id);
        }
    }
    if (!ids.empty() && m_library != nullptr) {
        // The text goes to the library as it was given; the Latin-1 copy is for people.
        m_library->DeletePhotos(ids.data(), static_cast<int>(ids.size()), m_kind, m_bytes.constData());
    }
    NotifyEnd();
}
