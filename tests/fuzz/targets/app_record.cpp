// An app's record as the device library hands it to the apps page: text fields that need not end in
// the record, sizes of any sign, and icon bytes copied from whatever package the app came in. The input
// is the record up to its icon pointer, then the icon.
#include <algorithm>
#include <cstddef>
#include <cstring>

#include <vexa/VexaRecords.h>

#include "FuzzRegistry.h"
#include "QAppsChunk.h"

VEXA_FUZZ_TARGET(app_record) {
    AppRecord record;
    std::memset(&record, 0, sizeof record);
    const size_t head = std::min(size, offsetof(AppRecord, icon));
    std::memcpy(&record, data, head);
    record.icon = size > head ? data + head : nullptr;
    record.iconLength = static_cast<int32_t>(size - head);
    const QAppsChunk app(record);
    if (app.GetName().size() > sizeof record.name || app.GetId().size() > sizeof record.id)
        fuzz::Fail("a text field was read past its end");
    const QImage& icon = app.Icon();
    if (!icon.isNull() && (icon.width() > QAppsChunk::kIconSide || icon.height() > QAppsChunk::kIconSide))
        fuzz::Fail("an icon is larger than the table draws it");
    return 0;
}
