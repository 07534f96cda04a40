#pragma once

#include "ServiceContext.h"

namespace vexa::emulator {

// com.apple.mobile.house_arrest: after VendContainer or VendDocuments for an installed app, the
// connection becomes a file service over that app's container (Documents, Library, tmp).
class HouseArrestService {
public:
    explicit HouseArrestService(ServiceContext& context);
    void Serve();

private:
    ServiceContext& m_context;
};

} // namespace vexa::emulator
