#include "CSystemFileChunk.h"

CSystemFileChunk::CSystemFileChunk(IFileService* files, const std::string& path, const std::string& appId)
    : CDeviceFileItem(files, path, appId) {}
