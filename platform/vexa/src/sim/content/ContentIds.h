#pragma once

#include <array>
#include <string_view>

namespace vexa::sim {

// Names and identifiers that the device itself fixes.
inline constexpr std::array<std::string_view, 4> kBuiltInGroups = {"Friend", "Family", "Classmate",
                                                                   "Ungrouped"};

inline constexpr std::string_view kCameraRollAlbumId = "00000000-0000-0000-0000-000000000001";
inline constexpr std::string_view kPhotoLibraryAlbumId = "00000000-0000-0000-0000-000000000064";
inline constexpr std::string_view kCameraRollName = "Camera Roll";
inline constexpr std::string_view kPhotoLibraryName = "Photo Libary";

// The groups the Photos app makes from what the library knows of each photo, in the order it lists them.
// Favorites is always there; the others only when they hold something.
inline constexpr std::string_view kFavoritesAlbumId = "00000000-0000-0000-0000-0000000000c1";
inline constexpr std::string_view kVideosAlbumId = "00000000-0000-0000-0000-0000000000c2";
inline constexpr std::string_view kLivePhotosAlbumId = "00000000-0000-0000-0000-0000000000c3";
inline constexpr std::string_view kScreenshotsAlbumId = "00000000-0000-0000-0000-0000000000c4";

// Photo kinds: taken on the device, or synced from a computer.
inline constexpr int kPhotoTaken = 1;
inline constexpr int kPhotoSynced = 2;

} // namespace vexa::sim
