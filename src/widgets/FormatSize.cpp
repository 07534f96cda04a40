#include "FormatSize.h"

namespace {

constexpr uint64_t kKiB = 1024;
constexpr uint64_t kMiB = kKiB * 1024;
constexpr uint64_t kGiB = kMiB * 1024;

QString Scaled(uint64_t bytes, uint64_t unit, const char* suffix) {
    const double value = static_cast<double>(bytes) / static_cast<double>(unit);
    return QString::asprintf("%.2f %s", value, suffix);
}

} // namespace

QString FormatSize(uint64_t bytes) {
    if (bytes > kGiB)
        return Scaled(bytes, kGiB, "GB");
    if (bytes > kMiB)
        return Scaled(bytes, kMiB, "MB");
    if (bytes > kKiB)
        return Scaled(bytes, kKiB, "KB");
    return QString::asprintf("%d B", static_cast<int>(bytes));
}
