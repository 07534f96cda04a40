#include "WorkbookStream.h"

#include "BiffStream.h"
#include "SharedStringTable.h"
#include "SheetContent.h"
#include "SheetStreamWriter.h"

#include <algorithm>

namespace xlsFile {

namespace {

constexpr std::uint16_t kRecordCodePage = 0x0042;
constexpr std::uint16_t kRecordWindow1 = 0x003D;
constexpr std::uint16_t kRecordDateMode = 0x0022;
constexpr std::uint16_t kRecordFont = 0x0031;
constexpr std::uint16_t kRecordXf = 0x00E0;
constexpr std::uint16_t kRecordStyle = 0x0293;
constexpr std::uint16_t kRecordBoundSheet = 0x0085;

constexpr std::uint16_t kCodePageUtf16 = 1200;
constexpr std::uint16_t kWeightRegular = 400;
constexpr std::uint16_t kWeightBold = 700;
constexpr std::uint16_t kStyleFormatCount = 15;

bool fitsInBytes(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x100; });
}

void writeFont(BiffStream& stream, bool bold) {
    const std::u16string_view name = u"Arial";
    stream.beginRecord(kRecordFont);
    stream.u16(200); // 10 point, in twentieths
    // Bit 0 is the old bold flag; current readers use the weight, some older ones still the flag.
    stream.u16(bold ? 0x0001 : 0x0000);
    stream.u16(0x7FFF); // automatic colour
    stream.u16(bold ? kWeightBold : kWeightRegular);
    stream.u16(0);
    stream.u8(0);
    stream.u8(0);
    stream.u8(0);
    stream.u8(0);
    stream.u8(static_cast<std::uint8_t>(name.size()));
    stream.u8(0);
    stream.characters(name, true);
    stream.endRecord();
}

// One XF record; parentAndType holds the locked flag, the style flag and the parent style.
void writeXf(BiffStream& stream, std::uint16_t font, std::uint16_t parentAndType,
             std::uint8_t usedAttributes) {
    stream.beginRecord(kRecordXf);
    stream.u16(font);
    stream.u16(0); // General number format
    stream.u16(parentAndType);
    stream.u8(0x20); // bottom aligned
    stream.u8(0);
    stream.u8(0);
    stream.u8(usedAttributes);
    stream.u32(0); // no borders
    stream.u32(0);
    stream.u16(0x20C0); // system window colours, no fill
    stream.endRecord();
}

} // namespace

WorkbookStream::WorkbookStream(const std::vector<std::shared_ptr<SheetContent>>& sheets)
    : m_sheets(sheets) {}

XLSResult WorkbookStream::build(std::vector<std::uint8_t>& data) const {
    SharedStringTable strings;
    for (const auto& sheet : m_sheets) {
        for (const auto& entry : sheet->cells()) {
            if (entry.second.hasText)
                strings.add(entry.second.text);
        }
    }

    BiffStream stream;
    const std::vector<std::size_t> sheetPositions = writeGlobals(stream, strings);
    SheetStreamWriter sheetWriter(stream, strings);
    for (std::size_t i = 0; i < m_sheets.size(); ++i) {
        if (stream.position() > kMaxSize)
            return XLSResult::WorkbookTooLarge;
        stream.patchU32(sheetPositions[i], static_cast<std::uint32_t>(stream.position()));
        sheetWriter.write(*m_sheets[i], i == 0);
    }
    if (stream.position() > kMaxSize)
        return XLSResult::WorkbookTooLarge;
    data = stream.release();
    return XLSResult::Ok;
}

// Returns where each BOUNDSHEET keeps its sheet's stream position, which is known only later.
std::vector<std::size_t> WorkbookStream::writeGlobals(BiffStream& stream,
                                                      const SharedStringTable& strings) const {
    stream.beginSubstream(BiffStream::Substream::WorkbookGlobals);
    stream.beginRecord(kRecordCodePage);
    stream.u16(kCodePageUtf16);
    stream.endRecord();
    writeWindow1(stream);
    stream.beginRecord(kRecordDateMode);
    stream.u16(0);
    stream.endRecord();
    writeFonts(stream);
    writeFormats(stream);

    std::vector<std::size_t> sheetPositions;
    for (const auto& sheet : m_sheets)
        sheetPositions.push_back(writeBoundSheet(stream, *sheet));
    strings.write(stream);
    stream.endSubstream();
    return sheetPositions;
}

void WorkbookStream::writeWindow1(BiffStream& stream) {
    stream.beginRecord(kRecordWindow1);
    stream.u16(0);
    stream.u16(0);
    stream.u16(0x3A98);
    stream.u16(0x1E00);
    stream.u16(0x0038); // scroll bars and sheet tabs shown
    stream.u16(0);      // active sheet
    stream.u16(0);      // first visible tab
    stream.u16(1);      // selected tabs
    stream.u16(600);    // tab bar width, per mille
    stream.endRecord();
}

// Font index 4 does not exist in the format, so the four regular fonts make the bold one index 5.
void WorkbookStream::writeFonts(BiffStream& stream) {
    for (int i = 0; i < 4; ++i)
        writeFont(stream, false);
    writeFont(stream, true);
}

// The sixteen formats every workbook carries (fifteen styles and the default cell format), the bold
// cell format, and the Normal style.
void WorkbookStream::writeFormats(BiffStream& stream) {
    constexpr std::uint16_t kStyleXf = 0xFFF5;
    constexpr std::uint16_t kCellXf = 0x0001;
    constexpr std::uint16_t kBoldFont = 5;
    writeXf(stream, 0, kStyleXf, 0x00);
    for (std::uint16_t i = 1; i < kStyleFormatCount; ++i)
        writeXf(stream, 0, kStyleXf, 0xF4);
    writeXf(stream, 0, kCellXf, 0x00);
    writeXf(stream, kBoldFont, kCellXf, 0x08);
    static_assert(SheetStreamWriter::kDefaultFormat == kStyleFormatCount);
    static_assert(SheetStreamWriter::kBoldFormat == kStyleFormatCount + 1);

    stream.beginRecord(kRecordStyle);
    stream.u16(0x8000); // built-in style on XF 0
    stream.u8(0);       // Normal
    stream.u8(0xFF);
    stream.endRecord();
}

std::size_t WorkbookStream::writeBoundSheet(BiffStream& stream, const SheetContent& sheet) const {
    const std::u16string& name = sheet.name();
    const bool compressed = fitsInBytes(name);
    stream.beginRecord(kRecordBoundSheet);
    const std::size_t positionField = stream.position();
    stream.u32(0);
    stream.u8(0); // visible
    stream.u8(0); // worksheet
    stream.u8(static_cast<std::uint8_t>(name.size()));
    stream.u8(compressed ? 0x00 : 0x01);
    stream.characters(name, compressed);
    stream.endRecord();
    return positionField;
}

} // namespace xlsFile
