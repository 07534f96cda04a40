#include "SimBookService.h"

#include <vexa/VexaResult.h>

#include "DeviceFiles.h"
#include "PendingRemoval.h"

namespace vexa::sim {

SimBookService::SimBookService(std::shared_ptr<SimDevice> device)
    : m_access(std::move(device)) {}

template <class ChangeFunction> int SimBookService::Change(const char* operation, ChangeFunction&& change) {
    // The device database's lock keeps the list's changes one after another.
    int code = VEXA_OK;
    auto session = m_access.Begin(operation, code);
    if (code)
        return code;
    BookStore store(m_access.Device().MediaRoot());
    if ((code = change(store)))
        return code;
    return store.Save();
}

int SimBookService::AddBook(const char16_t* localPath) {
    if (!localPath || !*localPath)
        return VEXA_E_INVALID_ARGUMENT;
    const auto local = DeviceFiles::FromCaller(localPath);
    std::filesystem::path copied;
    const int code = Change("AddBook", [&](BookStore& store) { return store.Add(local, 0, &copied); });
    if (code != VEXA_OK && !copied.empty())
        DeviceFiles::Remove(copied);
    return code;
}

int SimBookService::DeleteBook(BookRecord record) {
    PendingRemoval removal(m_access.Device().WorkFolder("trash"));
    const int code = Change("DeleteBook", [&](BookStore& store) { return store.Delete(record, removal); });
    if (code == VEXA_OK)
        removal.Commit();
    return code;
}

int SimBookService::GetBooks(BookRecord** records, int* count) {
    if (!records || !count)
        return VEXA_E_INVALID_ARGUMENT;
    int code = VEXA_OK;
    auto session = m_access.Begin("GetBooks", code);
    if (code)
        return code;
    auto& list = m_lists.ForCurrentThread();
    if ((code = BookStore(m_access.Device().MediaRoot()).List(list)))
        return code;
    *records = list.empty() ? nullptr : list.data();
    *count = static_cast<int>(list.size());
    return VEXA_OK;
}

} // namespace vexa::sim
