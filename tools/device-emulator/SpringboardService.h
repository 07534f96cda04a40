#pragma once

#include "ServiceContext.h"

namespace vexa::emulator {

// com.apple.springboardservices: the home screen's app icons as PNG (getIconPNGData).
class SpringboardService {
public:
    explicit SpringboardService(ServiceContext& context);
    void Serve();

private:
    ServiceContext& m_context;
};

} // namespace vexa::emulator
