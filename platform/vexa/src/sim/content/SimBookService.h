#pragma once

#include <memory>
#include <vector>

#include <vexa/VexaServices.h>

#include "../ResultArena.h"
#include "BookStore.h"
#include "ContentAccess.h"

namespace vexa::sim {

// The electronic books of one simulated device.
class SimBookService final : public IBookService {
public:
    explicit SimBookService(std::shared_ptr<SimDevice> device);

    int AddBook(const char16_t* localPath) override;
    int DeleteBook(BookRecord record) override;
    int GetBooks(BookRecord** records, int* count) override;

private:
    template <class ChangeFunction> int Change(const char* operation, ChangeFunction&& change);

    ContentAccess m_access;
    PerThreadResults<std::vector<BookRecord>> m_lists;
};

} // namespace vexa::sim
