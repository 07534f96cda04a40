#pragma once

#include "CDeviceFileItem.h"
#include "IBaseChunk.h"

// The root of a browsed file system, held by the category machinery like any other record.
class CSystemFileChunk : public CDeviceFileItem, public IBaseChunk {
public:
    CSystemFileChunk(IFileService* files, const std::string& path, const std::string& appId = std::string());

    std::string GetName() const override { return CDeviceFileItem::GetName(); }
    bool CanSerialize() const override { return false; }
    bool CanDelete() const override { return false; }
    bool CanCheck() const override { return false; }
};
