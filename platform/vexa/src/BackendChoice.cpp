#include "BackendChoice.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

#include "usb/UsbBackend.h"

namespace vexa {

Backend ChooseBackend() {
    const char* value = std::getenv("VEXA_BACKEND");
    std::string backend = value == nullptr ? std::string() : std::string(value);
    backend.erase(
        std::remove_if(backend.begin(), backend.end(), [](unsigned char c) { return std::isspace(c); }),
        backend.end());
    std::transform(backend.begin(), backend.end(), backend.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (backend == "usb") {
        return Backend::Usb;
    }
    if (backend.empty() || backend == "auto") {
        return usb::UsbBackend::UsbmuxdAnswers() ? Backend::Usb : Backend::Simulator;
    }
    return Backend::Simulator;
}

} // namespace vexa
