#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QString>

#include "ISerialable.h"

class BackupContent;
class IVexaManager;
struct PhotoRecord;

// export photos: every picture and clip the photo library shows, copied into a folder by the window's
// photo export (its names, its clash handling, its optional JPEG conversion), from a device or out of a
// backup. A Live Photo's clip, which lies beside its still under the same name, goes along.
class CCliPhotoExport : public ISerialable {
    Q_DECLARE_TR_FUNCTIONS(CCliPhotoExport)
public:
    // Exit statuses, after the complaint unless kExitOk.
    static int FromDevice(IVexaManager* manager, const QString& folder, bool toJpeg);
    static int FromBackup(BackupContent& backup, const QString& folder, bool toJpeg);

    // The files to copy for `records`: each record's file, and after a still the clip `exists` finds
    // beside it unless that clip is a record of its own. Pairs of device path and title.
    static std::vector<std::pair<std::string, std::string>>
    Files(const PhotoRecord* records, int count, const std::function<bool(const std::string&)>& exists);

    void Serialize(IBaseSerial* writer) override;
    void Deserialize(IBaseSerial*) override {}

private:
    static int Copy(IVexaManager* source, const std::vector<std::pair<std::string, std::string>>& files,
                    const QString& folder, bool toJpeg);

    std::vector<std::pair<std::string, std::string>> m_files;
};
