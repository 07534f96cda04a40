#pragma once

#include <functional>
#include <list>
#include <string>

#include <QString>

#include "CRecordFileExport.h"

class IBaseChunk;
class IDeviceService;

// The export of checked conversations with what was sent with them. The attachments are copied from the
// device into a folder beside the export file, "<export name> attachments", and the text, XML and
// spreadsheet files name each copy by its path relative to the export file. A web page export is an
// index page (the export file) that links to one page per conversation, "<export name> pages/", with
// the messages as chat bubbles and the pictures shown in them. The page view and the command line both
// export through here.
class CMessageExport {
public:
    // Copies the attachment at a device path to a local file; answers a VexaResult.
    using CopyFile = std::function<int(const std::string& devicePath, const QString& localPath)>;

    struct Outcome {
        CRecordFileExport::Result result = CRecordFileExport::Result::WriteFailed;
        int copied = 0; // attachments copied
        int missed = 0; // attachments the device could not give
    };

    // Exports the checked conversations of `records` (CMessageChunk) to `path` in the format its extension
    // names. `namedAs`, when given, is the path the file will finally have (a caller that writes under
    // a temporary name and renames at the end): the folders beside it are named after it. The records'
    // export paths are set only for the duration of the call.
    static Outcome Export(const std::list<IBaseChunk*>& records, const QString& path, const CopyFile& copy,
                          const QString& namedAs = QString());
    // A copier through the device's messages service; null when there is none.
    static CopyFile ThroughService(IDeviceService* service);

    static QString AttachmentFolder(const QString& exportPath);
    static QString PageFolder(const QString& exportPath);
};
