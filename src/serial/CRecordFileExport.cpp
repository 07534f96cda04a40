#include "CRecordFileExport.h"

#include "CExcelSerialImpl.h"
#include "CExportPath.h"
#include "CTextSerialImpl.h"
#include "CVCFSerialImpl.h"
#include "CXmlSerialImpl.h"
#include "ISerialable.h"

#include <filesystem>
#include <system_error>

template <typename Writer> void CRecordFileExport::run(ISerialable& source, const std::string& utf8Path) {
    Writer writer;
    source.Serialize(&writer);
    const std::string folder = CExportPath::FolderPart(utf8Path);
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::u8path(folder), ignored);
    }
    writer.SaveFile(utf8Path.c_str());
}

bool CRecordFileExport::Export(ISerialable& source, const std::string& utf8Path) {
    const std::string extension = CExportPath::Extension(utf8Path);
    if (extension == ".txt") {
        run<CTextSerialImpl>(source, utf8Path);
    } else if (extension == ".xml") {
        run<CXmlSerialImpl>(source, utf8Path);
    } else if (extension == ".xls") {
        run<CExcelSerialImpl>(source, utf8Path);
    } else if (extension == ".vcf") {
        run<CVCFSerialImpl>(source, utf8Path);
    } else {
        return false;
    }
    return true;
}
