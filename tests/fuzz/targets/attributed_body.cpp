// A message's attributedBody blob (an archived attributed string) from a phone's message database.
#include "FuzzRegistry.h"
#include "ios/AttributedBodyText.h"

VEXA_FUZZ_TARGET(attributed_body) {
    std::string text;
    const bool read = vexa::ios::AttributedBodyText(data, size, text);
    if (!read && !text.empty())
        fuzz::Fail("a refused blob left text behind");
    if (text.size() > size)
        fuzz::Fail("more text than blob");
    return 0;
}
