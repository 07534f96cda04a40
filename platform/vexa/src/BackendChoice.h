#pragma once

namespace vexa {

enum class Backend {
    Simulator,
    Usb,
};

// VEXA_BACKEND: "sim" takes the simulator; "usb", "auto" (the default) and anything else take the usb
// backend, so an installed program never shows a simulated device to someone who has a phone. An
// unknown value says so on standard error.
Backend ChooseBackend();

} // namespace vexa
