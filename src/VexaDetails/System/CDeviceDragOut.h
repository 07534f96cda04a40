#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QString>
#include <QStringList>

class CDeviceFileItem;
class IFileService;

// Device entries dragged out to the computer. Each is remembered by its device path and the local
// path it goes to, and copied only when the drop target asks for the data - which some targets do
// after the drag's loop has ended, so the entries stay remembered until the next drag.
class CDeviceDragOut {
public:
    // Remembers `items` under fresh names in a new drag folder and returns their local paths; empty
    // (and the last drag still remembered) when that folder could not be made.
    QStringList Prepare(const std::vector<CDeviceFileItem*>& items);
    // Copies every remembered entry: the one `find` gives for its path, or else the entry read again
    // through `files`. False when any could not be copied.
    bool CopyOut(const std::function<CDeviceFileItem*(const std::string&)>& find, IFileService* files,
                 const std::string& appId) const;

private:
    std::vector<std::pair<std::string, QString>> m_entries;
};
