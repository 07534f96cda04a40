#pragma once

#include <cstdint>

#include <vexa/VexaRecords.h>

namespace vexa::usb {

// Files and bytes moved so far, passed to the caller's callback after each file; the callback may stop
// the transfer. The device never says how many files a backup holds, only its bytes: while one runs the
// file total is estimated from the files done so far (always at least one more), and exact at the end.
class TransferProgress {
public:
    TransferProgress(BackupProgressCallback callback, void* context)
        : m_callback(callback)
        , m_context(context) {}

    void SetTotals(uint64_t files, uint64_t bytes);
    void RaiseByteTotal(uint64_t bytes);
    // Counts a finished file; VEXA_E_CANCELLED when the caller asked to stop.
    int Advance(uint64_t bytes);
    // Advance for a file the computer received and stored: counted as copied too.
    int AdvanceReceived(uint64_t bytes);
    // Reports the figures as they are (while the device works); VEXA_E_CANCELLED as above.
    int Check();
    void Finish();
    const BackupProgress& Figures() const { return m_progress; }

private:
    int report();

    BackupProgressCallback m_callback;
    void* m_context;
    BackupProgress m_progress{};
    bool m_filesKnown = false;
};

} // namespace vexa::usb
