#pragma once

namespace xlsFile {

// Every operation of the library reports one of these; Ok is 0 so callers may test against zero.
enum class XLSResult : int {
    Ok = 0,
    InvalidSheet,
    InvalidArgument,
    RowOutOfRange,
    ColumnOutOfRange,
    TextTruncated,
    InvalidSheetName,
    DuplicateSheetName,
    NoSheets,
    UnsupportedMode,
    WorkbookTooLarge,
    OutOfMemory,
    FileNotWritable,
    WriteFailed,
};

// A short English description for logs.
const char* resultText(XLSResult result);

} // namespace xlsFile
