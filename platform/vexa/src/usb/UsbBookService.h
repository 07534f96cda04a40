#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include <vexa/ISkippedEntries.h>
#include <vexa/VexaServices.h>

#include "sim/ResultArena.h"

namespace vexa::usb {

class UsbDevice;

// The books of a real device: Books/Books.plist, copied into the device's cache folder, and the files
// beside it. Entries whose file is not there are left out and counted. Books are added on the phone
// itself, so every change is refused.
class UsbBookService final : public IBookService, public ISkippedEntries {
public:
    UsbBookService(std::shared_ptr<UsbDevice> device, std::unique_ptr<IFileService> files);
    ~UsbBookService() override;

    int GetWriteAccess() override { return kContentReadOnlyOnPhone; }
    int AddBook(const char16_t*) override { return VEXA_E_READ_ONLY; }
    int DeleteBook(BookRecord) override { return VEXA_E_READ_ONLY; }
    int GetBooks(BookRecord** records, int* count) override;
    int GetSkippedCount() override { return m_skipped.load(); }

private:
    std::shared_ptr<UsbDevice> m_device;
    std::unique_ptr<IFileService> m_files;
    std::mutex m_mutex;
    std::atomic<int> m_skipped{0};
    sim::PerThreadResults<std::vector<BookRecord>> m_lists;
};

} // namespace vexa::usb
