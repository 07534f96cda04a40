#pragma once

#include <filesystem>
#include <string>

namespace vexa::formats {

// A short sine tone with tags; the same spec always gives the same bytes.
struct AudioSpec {
    double seconds = 3;
    double frequencyHz = 440;
    std::string title, artist, album, genre;
    int trackNumber = 0;
    int year = 0;
};

// Writes ".mp3" (MP3 with ID3v2 tags) or ".m4a" (AAC in MP4 with iTunes metadata), chosen by the suffix.
bool WriteAudioFile(const std::filesystem::path& path, const AudioSpec& spec);

} // namespace vexa::formats
