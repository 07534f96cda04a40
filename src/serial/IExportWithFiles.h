#pragma once

#include <string>

#include "CRecordFileExport.h"

// A record source whose export writes more than the one file the user names: files copied from the
// device into a folder beside it, or pages of its own. The save dialog hands the chosen path to it
// instead of to the format's writer.
class IExportWithFiles {
public:
    virtual CRecordFileExport::Result ExportWithFiles(const std::string& utf8Path) = 0;

protected:
    ~IExportWithFiles() = default;
};
