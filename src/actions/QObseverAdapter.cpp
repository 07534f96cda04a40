#include "QObseverAdapter.h"

#include <cstring>
#include <memory>

#include "IObsever.h"

QObseverAdapter::QObseverAdapter(IObsever* observer)
    : m_observer(observer) {
    connect(this, &QObseverAdapter::launch, this, &QObseverAdapter::OnLaunch);
    connect(this, &QObseverAdapter::end, this, &QObseverAdapter::OnEnd);
    connect(this, &QObseverAdapter::progress, this, &QObseverAdapter::OnProgress);
    connect(this, &QObseverAdapter::msg, this, &QObseverAdapter::OnMsg);
    connect(this, &QObseverAdapter::note, this, &QObseverAdapter::OnNote);
}

QObseverAdapter::~QObseverAdapter() {
    // Queued messages die with the adapter without reaching their slot.
    std::lock_guard lock(m_copiesMutex);
    for (const char* copy : m_copies) {
        delete[] copy;
    }
}

void QObseverAdapter::Launch() {
    emit launch();
}

void QObseverAdapter::End() {
    emit end();
}

void QObseverAdapter::Progress(int progress, int total) {
    emit this->progress(progress, total);
}

void QObseverAdapter::Msg(const char* text) {
    if (text != nullptr) {
        emit msg(Copy(text));
    }
}

void QObseverAdapter::Note(const char* text) {
    if (text != nullptr) {
        emit note(Copy(text));
    }
}

void QObseverAdapter::OnLaunch() {
    if (IObsever* observer = m_observer) {
        observer->OnLaunch();
    }
}

void QObseverAdapter::OnEnd() {
    if (IObsever* observer = m_observer) {
        observer->OnEnd();
    }
}

void QObseverAdapter::OnProgress(int process, int total) {
    IObsever* observer = m_observer;
    if (observer != nullptr && process <= total) {
        observer->OnProgress(process, total);
    }
}

void QObseverAdapter::OnMsg(const char* msg) {
    Deliver(msg, &IObsever::OnMsg);
}

void QObseverAdapter::OnNote(const char* note) {
    Deliver(note, &IObsever::OnNote);
}

void QObseverAdapter::Deliver(const char* text, void (IObsever::*report)(const char*)) {
    // Taken back under the lock the sender filled it before: only then is the whole text ours to read.
    if (!Reclaim(text)) {
        return;
    }
    const std::unique_ptr<const char[]> owned(text);
    if (IObsever* observer = m_observer) {
        (observer->*report)(text);
    }
}

char* QObseverAdapter::Copy(const char* text) {
    const std::size_t length = std::strlen(text);
    auto* copy = new char[length + 1];
    std::memcpy(copy, text, length + 1);
    std::lock_guard lock(m_copiesMutex);
    m_copies.insert(copy);
    return copy;
}

bool QObseverAdapter::Reclaim(const char* text) {
    std::lock_guard lock(m_copiesMutex);
    return m_copies.erase(text) > 0;
}
