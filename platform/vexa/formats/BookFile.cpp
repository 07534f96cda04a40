#include "formats/BookFile.h"

#include <fstream>
#include <iterator>

#include <QtGlobal>

#include "EpubInfoReader.h"
#include "EpubWriter.h"
#include "PdfInfoReader.h"
#include "PdfWriter.h"

namespace vexa::formats {

namespace {

// Large books are read at both ends only: the header is at the start, the trailer at the end, and the
// information dictionary of a normal writer is in one of them.
constexpr std::uintmax_t kWholeFileLimit = 64u << 20;
constexpr std::uintmax_t kEndBytes = 8u << 20;

std::string ReadForInfo(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        return {};
    std::ifstream in(path, std::ios::binary);
    if (size <= kWholeFileLimit)
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::string head(kEndBytes, '\0'), tail(kEndBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(kEndBytes));
    in.seekg(-static_cast<std::streamoff>(kEndBytes), std::ios::end);
    in.read(tail.data(), static_cast<std::streamsize>(kEndBytes));
    return in ? head + "\n" + tail : std::string();
}

bool ReadPdfInfo(const std::filesystem::path& path, BookInfo& info) {
    const PdfInfoReader reader(ReadForInfo(path));
    if (!reader.IsPdf())
        return false;
    info = reader.Read();
    if (info.title.empty())
        info.title = path.stem().string();
    return true;
}

bool IsZip(const std::filesystem::path& path) {
    char magic[4] = {};
    std::ifstream in(path, std::ios::binary);
    in.read(magic, sizeof magic);
    return in && magic[0] == 'P' && magic[1] == 'K' && magic[2] == 3 && magic[3] == 4;
}

} // namespace

bool WritePdf(const std::filesystem::path& path, const BookSpec& spec) {
    try {
        const std::string document = PdfWriter(spec).Document();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << document;
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);
            return false;
        }
        return true;
    } catch (const std::exception& error) {
        qWarning("WritePdf: %s", error.what());
        return false;
    }
}

bool WriteEpub(const std::filesystem::path& path, const BookSpec& spec, bool asFolder) {
    try {
        const EpubWriter writer(spec);
        return asFolder ? writer.WriteFolder(path) : writer.WriteZip(path);
    } catch (const std::exception& error) {
        qWarning("WriteEpub: %s", error.what());
        return false;
    }
}

bool ReadBookInfo(const std::filesystem::path& pathOrFolder, BookInfo& info) {
    try {
        info = BookInfo{};
        std::error_code error;
        if (std::filesystem::is_directory(pathOrFolder, error))
            return EpubInfoReader::ReadFolder(pathOrFolder, info);
        if (!std::filesystem::is_regular_file(pathOrFolder, error))
            return false;
        if (IsZip(pathOrFolder))
            return EpubInfoReader::ReadZip(pathOrFolder, info);
        return ReadPdfInfo(pathOrFolder, info);
    } catch (const std::exception& error) {
        qWarning("ReadBookInfo: %s", error.what());
        return false;
    }
}

} // namespace vexa::formats
