#include "CDeviceDragOut.h"

#include <memory>

#include "CDeviceFileItem.h"
#include "CDeviceFileName.h"
#include "CDropFileList.h"

QStringList CDeviceDragOut::Prepare(const std::vector<CDeviceFileItem*>& items) {
    CDropFileList list;
    if (!list.IsValid()) {
        return {};
    }
    m_entries.clear();
    for (CDeviceFileItem* item : items) {
        m_entries.emplace_back(item->GetPath(), list.Add(QString::fromStdString(item->GetName())));
    }
    return list.Paths();
}

bool CDeviceDragOut::CopyOut(const std::function<CDeviceFileItem*(const std::string&)>& find,
                             IFileService* files, const std::string& appId) const {
    bool complete = true;
    for (const auto& [devicePath, localPath] : m_entries) {
        if (CDeviceFileName::HasParentStep(devicePath)) {
            complete = false;
            continue;
        }
        CDeviceFileItem* item = find(devicePath);
        // An entry refreshed away since the drag began is read again by its path.
        std::unique_ptr<CDeviceFileItem> reread;
        if (item == nullptr) {
            reread = std::make_unique<CDeviceFileItem>(files, devicePath, appId);
            item = reread.get();
        }
        complete = item->ExportAs(localPath.toStdString()) && complete;
    }
    return complete;
}
