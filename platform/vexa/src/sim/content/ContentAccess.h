#pragma once

#include <atomic>

#include "../SimDatabase.h"
#include "../SimDevice.h"

namespace vexa::sim {

// Makes Library/AddressBook inside the device folder when a device made before it lacks the folder;
// true when the address book file is already there.
bool EnsureAddressBookFolder(SimDevice& device);

// The first steps of every content operation: the device's call check, then its database locked with
// the content tables in place. Result() of the session is 0 or why the operation cannot go on.
class ContentAccess {
public:
    explicit ContentAccess(std::shared_ptr<SimDevice> device);

    SimDevice& Device() { return *m_device; }
    // CheckCall(operation), then the locked device database; `code` is 0 or the failure.
    DatabaseSession Begin(const char* operation, int& code);
    // The same for the media database: 1 when its file is missing, 2 when it is damaged.
    DatabaseSession BeginMedia(const char* operation, int& code);
    // The same for the address book, made with its tables and built-in groups when missing.
    DatabaseSession BeginAddressBook(const char* operation, int& code);
    // The same for the photo library (Media/PhotoData/Photos.sqlite), made with its tables when missing.
    DatabaseSession BeginPhotos(const char* operation, int& code);

private:
    std::shared_ptr<SimDevice> m_device;
    std::atomic<bool> m_deviceReady{false};
    std::atomic<bool> m_mediaReady{false};
    std::atomic<bool> m_addressBookReady{false};
    std::atomic<bool> m_photosReady{false};
};

} // namespace vexa::sim
