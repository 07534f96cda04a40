#pragma once

#include <vexa/VexaServices.h>

namespace vexa::usb {

// The services a real device does not offer through this backend yet. Each operation answers
// VEXA_E_NOT_SUPPORTED_YET and hands out nothing, so a view can say so instead of showing an empty list.
// They are kept together because they are one decision, not several behaviours.

class UnsupportedMediaLibrary : public IMediaLibrary {
public:
    int GetLibraryKind() override { return 0; }
    int GetPlaylists(int* count, PlaylistRecord** playlists) override;
    int AddMediaFileData(const char16_t* const*, int, int*, int) override { return VEXA_E_NOT_SUPPORTED_YET; }
    int DelMediaFileData(const MediaPosition*, int) override { return VEXA_E_NOT_SUPPORTED_YET; }
    int AddPlaylist(const char16_t*) override { return VEXA_E_NOT_SUPPORTED_YET; }
    int DeletePlaylist(int) override { return VEXA_E_NOT_SUPPORTED_YET; }
};

class UnsupportedBookService : public IBookService {
public:
    int AddBook(const char16_t*) override { return VEXA_E_NOT_SUPPORTED_YET; }
    int DeleteBook(BookRecord) override { return VEXA_E_NOT_SUPPORTED_YET; }
    int GetBooks(BookRecord** records, int* count) override;
};

} // namespace vexa::usb
