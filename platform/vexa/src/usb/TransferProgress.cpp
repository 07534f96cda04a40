#include "TransferProgress.h"

#include <algorithm>

#include <vexa/VexaResult.h>

namespace vexa::usb {

void TransferProgress::SetTotals(uint64_t files, uint64_t bytes) {
    m_progress.filesTotal = m_progress.filesDone + files;
    m_progress.bytesTotal = m_progress.bytesDone + bytes;
    m_filesKnown = true;
}

void TransferProgress::RaiseByteTotal(uint64_t bytes) {
    m_progress.bytesTotal = std::max(m_progress.bytesTotal, bytes);
}

int TransferProgress::report() {
    if (!m_filesKnown) {
        // Files of the size seen so far fill the bytes the device announced.
        uint64_t estimate = m_progress.filesDone + 1;
        if (m_progress.bytesDone > 0 && m_progress.bytesTotal > m_progress.bytesDone) {
            const double perFile = double(m_progress.bytesDone) / double(m_progress.filesDone);
            estimate = std::max(
                estimate, m_progress.filesDone +
                              uint64_t(double(m_progress.bytesTotal - m_progress.bytesDone) / perFile + 0.5));
        }
        m_progress.filesTotal = estimate;
    }
    m_progress.bytesTotal = std::max(m_progress.bytesTotal, m_progress.bytesDone);
    if (m_callback != nullptr && m_callback(&m_progress, m_context) != 0) {
        return VEXA_E_CANCELLED;
    }
    return VEXA_OK;
}

int TransferProgress::Advance(uint64_t bytes) {
    ++m_progress.filesDone;
    m_progress.bytesDone += bytes;
    return report();
}

int TransferProgress::AdvanceReceived(uint64_t bytes) {
    ++m_progress.filesCopied;
    m_progress.bytesCopied += bytes;
    return Advance(bytes);
}

int TransferProgress::Check() {
    return report();
}

void TransferProgress::Finish() {
    m_progress.filesTotal = m_progress.filesDone;
    m_progress.bytesTotal = m_progress.bytesDone;
    m_filesKnown = true;
    if (m_callback != nullptr) {
        m_callback(&m_progress, m_context);
    }
}

} // namespace vexa::usb
