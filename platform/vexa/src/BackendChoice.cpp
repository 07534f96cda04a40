#include "BackendChoice.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vexa {

Backend ChooseBackend() {
    const char* value = std::getenv("VEXA_BACKEND");
    std::string backend = value == nullptr ? std::string() : std::string(value);
    backend.erase(
        std::remove_if(backend.begin(), backend.end(), [](unsigned char c) { return std::isspace(c); }),
        backend.end());
    std::transform(backend.begin(), backend.end(), backend.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (backend == "sim") {
        return Backend::Simulator;
    }
    if (!backend.empty() && backend != "usb" && backend != "auto") {
        std::fprintf(stderr, "vexa: unknown VEXA_BACKEND \"%s\", using usb\n", value);
    }
    return Backend::Usb;
}

} // namespace vexa
