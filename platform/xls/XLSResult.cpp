#include "XLSResult.h"

namespace xlsFile {

const char* resultText(XLSResult result) {
    switch (result) {
    case XLSResult::Ok:
        return "success";
    case XLSResult::InvalidSheet:
        return "the sheet does not belong to a workbook";
    case XLSResult::InvalidArgument:
        return "a required argument is missing or invalid";
    case XLSResult::RowOutOfRange:
        return "row beyond the last row of a sheet (65536 rows)";
    case XLSResult::ColumnOutOfRange:
        return "column beyond the last column of a sheet (256 columns)";
    case XLSResult::TextTruncated:
        return "text longer than 32767 characters was truncated";
    case XLSResult::InvalidSheetName:
        return "sheet names have 1 to 31 characters and none of : \\ / ? * [ ]";
    case XLSResult::DuplicateSheetName:
        return "the workbook already has a sheet of that name";
    case XLSResult::NoSheets:
        return "a workbook needs at least one sheet";
    case XLSResult::UnsupportedMode:
        return "the workbook was opened with an unsupported mode";
    case XLSResult::WorkbookTooLarge:
        return "the workbook exceeds the size of the file format";
    case XLSResult::OutOfMemory:
        return "not enough memory for the workbook";
    case XLSResult::FileNotWritable:
        return "the file cannot be created";
    case XLSResult::WriteFailed:
        return "writing the file failed";
    }
    return "unknown result";
}

} // namespace xlsFile
