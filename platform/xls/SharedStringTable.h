#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace xlsFile {

class BiffStream;

// The workbook's table of unique cell texts. It refers to the texts it is given, so they must outlive it.
class SharedStringTable {
public:
    // Returns the text's index, adding it on first use; every call counts as one cell reference.
    std::uint32_t add(std::u16string_view text);
    std::uint32_t indexOf(std::u16string_view text) const;

    std::size_t uniqueCount() const { return m_strings.size(); }

    // Writes SST with as many CONTINUE records as the texts need, then EXTSST.
    void write(BiffStream& stream) const;

private:
    struct Bucket {
        std::uint32_t streamPosition;
        std::uint16_t recordOffset;
    };

    static bool fitsInBytes(std::u16string_view text);
    void writeString(BiffStream& stream, std::u16string_view text) const;
    void writeExtSst(BiffStream& stream, const std::vector<Bucket>& buckets, std::uint16_t bucketSize) const;
    std::uint16_t bucketSize() const;

    std::vector<std::u16string_view> m_strings;
    std::unordered_map<std::u16string_view, std::uint32_t> m_indexes;
    std::uint32_t m_references = 0;
};

} // namespace xlsFile
