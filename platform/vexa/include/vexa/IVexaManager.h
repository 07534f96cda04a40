#pragma once

#include "VexaServices.h"

// One manager per connected device. It is created unbound by GetVexaManager, bound with SetDeviceHandle,
// and released with DeleteVexaManager. The services it hands out live as long as the manager.
class IVexaManager {
public:
    virtual ~IVexaManager() = default;
    virtual IFileService* GetFileService() = 0;
    virtual IMediaLibrary* GetMediaLibrary() = 0;
    // kind 1: the photo library (IPhotoLibrary), kind 2: the album library (IAlbumLibrary).
    virtual void* GetPhotoLibrary(int kind) = 0;
    virtual IAppLibrary* GetAppLibrary() = 0;
    virtual IBookService* GetBookService() = 0;
    virtual IDeviceService* GetDeviceService() = 0;
    virtual IContactService* GetContactService() = 0;
    virtual int SetDeviceHandle(int handle) = 0;
    virtual int GetDeviceHandle() = 0;
    // true when *info points at the device record (owned by the manager, valid until it is released).
    virtual bool GetDeviceInfo(DeviceInfo** info) = 0;
    virtual int GetDiskInfo(DiskInfo* info) = 0;
    virtual int GetDiskInfoLegacy(DiskInfo* info) = 0;  // for the first iPod touch models

    IPhotoLibrary* GetPhotos() { return static_cast<IPhotoLibrary*>(GetPhotoLibrary(1)); }
    IAlbumLibrary* GetAlbums() { return static_cast<IAlbumLibrary*>(GetPhotoLibrary(2)); }
};
