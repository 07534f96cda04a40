#pragma once

#include <filesystem>

namespace vexa::formats {

// True when the file's first audio stream yields at least one decoded frame. A text file FFmpeg took
// for MP3 by its name, an empty file or one cut off before its first frame all answer false.
bool HasDecodableAudio(const std::filesystem::path& path);

} // namespace vexa::formats
