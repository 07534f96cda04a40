#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace vexa::sim {

// File moves of the content services. Files arrive under a hidden temporary name in their target folder
// and are renamed into place only when complete, so a failed copy never leaves half a file behind.
class DeviceFiles {
public:
    // Copies a file or a whole folder to `target` (which must not exist); 0 or a VexaResult.
    static int CopyIn(const std::filesystem::path& source, const std::filesystem::path& target);
    // Hard-links when possible (same file system), else copies; for the generators' shared media.
    static int LinkOrCopy(const std::filesystem::path& source, const std::filesystem::path& target);
    // `folder/stem.ext`, or `folder/stem-2.ext`, ... whichever does not exist yet.
    static std::filesystem::path FreeName(const std::filesystem::path& folder, const std::string& stem,
                                          const std::string& extension);
    // Bytes of a file, or of every regular file under a folder; 0 when missing.
    static uint64_t Size(const std::filesystem::path& path);
    // Removes a file or a folder tree; true when nothing is left.
    static bool Remove(const std::filesystem::path& path);
    // A UTF-16 path from the library's callers as a host path; "\\" is taken as a separator too.
    static std::filesystem::path FromCaller(const char16_t* path);
};

} // namespace vexa::sim
