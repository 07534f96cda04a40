#include "UnsupportedServices.h"

namespace vexa::usb {

namespace {

// Out-parameters are cleared so a caller that ignores the result still reads an empty answer.
template <class Record> int nothing(Record** records, int* count) {
    if (records != nullptr) {
        *records = nullptr;
    }
    if (count != nullptr) {
        *count = 0;
    }
    return VEXA_E_NOT_SUPPORTED_YET;
}

} // namespace

int UnsupportedMediaLibrary::GetPlaylists(int* count, PlaylistRecord** playlists) {
    return nothing(playlists, count);
}

int UnsupportedBookService::GetBooks(BookRecord** records, int* count) {
    return nothing(records, count);
}

} // namespace vexa::usb
