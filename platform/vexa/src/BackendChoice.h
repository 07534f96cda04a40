#pragma once

namespace vexa {

enum class Backend {
    Simulator,
    Usb,
};

// VEXA_BACKEND: "sim", "usb", or "auto" (the default), which takes usb when usbmuxd answers and the
// simulator otherwise. An unknown value falls back to the simulator, which says so.
Backend ChooseBackend();

} // namespace vexa
