#include "CRecordFileExport.h"

#include "CCsvSerialImpl.h"
#include "CExcelSerialImpl.h"
#include "CExportPath.h"
#include "CHtmlSerialImpl.h"
#include "CTextSerialImpl.h"
#include "CVCFSerialImpl.h"
#include "CXmlSerialImpl.h"
#include "ISerialable.h"

#include <filesystem>
#include <system_error>

template <typename Writer> bool CRecordFileExport::run(ISerialable& source, const std::string& utf8Path) {
    Writer writer;
    source.Serialize(&writer);
    const std::string folder = CExportPath::FolderPart(utf8Path);
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::u8path(folder), ignored);
    }
    return writer.SaveFile(utf8Path.c_str());
}

CRecordFileExport::Result CRecordFileExport::ExportFile(ISerialable& source, const std::string& utf8Path) {
    const std::string extension = CExportPath::Extension(utf8Path);
    bool written = false;
    if (extension == ".txt") {
        written = run<CTextSerialImpl>(source, utf8Path);
    } else if (extension == ".xml") {
        written = run<CXmlSerialImpl>(source, utf8Path);
    } else if (extension == ".xls") {
        written = run<CExcelSerialImpl>(source, utf8Path);
    } else if (extension == ".vcf") {
        written = run<CVCFSerialImpl>(source, utf8Path);
    } else if (extension == ".csv") {
        written = run<CCsvSerialImpl>(source, utf8Path);
    } else if (extension == ".html" || extension == ".htm") {
        written = run<CHtmlSerialImpl>(source, utf8Path);
    } else {
        return Result::NoWriter;
    }
    return written ? Result::Written : Result::WriteFailed;
}

bool CRecordFileExport::Export(ISerialable& source, const std::string& utf8Path) {
    return ExportFile(source, utf8Path) == Result::Written;
}
