#include "SharedStringTable.h"

#include "BiffStream.h"
#include "Utf16Text.h"

#include <algorithm>

namespace xlsFile {

namespace {

constexpr std::uint16_t kRecordSst = 0x00FC;
constexpr std::uint16_t kRecordContinue = 0x003C;
constexpr std::uint16_t kRecordExtSst = 0x00FF;
constexpr std::size_t kStringHeaderSize = 3;
constexpr std::size_t kMaxBuckets = 128;
constexpr std::uint16_t kMinBucketSize = 8;

} // namespace

std::uint32_t SharedStringTable::add(std::u16string_view text) {
    ++m_references;
    const auto [found, inserted] = m_indexes.try_emplace(text, static_cast<std::uint32_t>(m_strings.size()));
    if (inserted)
        m_strings.push_back(text);
    return found->second;
}

std::uint32_t SharedStringTable::indexOf(std::u16string_view text) const {
    return m_indexes.at(text);
}

void SharedStringTable::write(BiffStream& stream) const {
    const std::uint16_t perBucket = bucketSize();
    std::vector<Bucket> buckets;
    stream.beginRecord(kRecordSst);
    stream.u32(m_references);
    stream.u32(static_cast<std::uint32_t>(m_strings.size()));
    for (std::size_t i = 0; i < m_strings.size(); ++i) {
        const std::u16string_view text = m_strings[i];
        // A string's header and its first character share one record; readers cannot split them.
        std::size_t firstPiece = kStringHeaderSize;
        if (!text.empty())
            firstPiece += fitsInBytes(text) ? 1 : (isHighSurrogate(text[0]) ? 4 : 2);
        if (stream.recordRoom() < firstPiece) {
            stream.endRecord();
            stream.beginRecord(kRecordContinue);
        }
        if (i % perBucket == 0)
            buckets.push_back({static_cast<std::uint32_t>(stream.position()),
                               static_cast<std::uint16_t>(stream.position() - stream.recordStart())});
        writeString(stream, text);
    }
    stream.endRecord();
    writeExtSst(stream, buckets, perBucket);
}

bool SharedStringTable::fitsInBytes(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x100; });
}

// Characters that do not fit the current record go on in a CONTINUE record, which starts with the
// string's compression flag again. A surrogate pair is never split: readers decode each piece alone.
void SharedStringTable::writeString(BiffStream& stream, std::u16string_view text) const {
    const bool compressed = fitsInBytes(text);
    const std::uint8_t flags = compressed ? 0x00 : 0x01;
    const std::size_t unitSize = compressed ? 1 : 2;
    stream.u16(static_cast<std::uint16_t>(text.size()));
    stream.u8(flags);
    std::size_t written = 0;
    while (written < text.size()) {
        std::size_t count = std::min(text.size() - written, stream.recordRoom() / unitSize);
        if (count < text.size() - written && count > 0 && !compressed &&
            isHighSurrogate(text[written + count - 1]))
            --count;
        stream.characters(text.substr(written, count), compressed);
        written += count;
        if (written < text.size()) {
            stream.endRecord();
            stream.beginRecord(kRecordContinue);
            stream.u8(flags);
        }
    }
}

// Excel locates strings through at most 128 buckets of at least 8 strings each.
std::uint16_t SharedStringTable::bucketSize() const {
    const std::size_t needed = (m_strings.size() + kMaxBuckets - 1) / kMaxBuckets;
    return static_cast<std::uint16_t>(std::clamp<std::size_t>(needed, kMinBucketSize, 0xFFFF));
}

void SharedStringTable::writeExtSst(BiffStream& stream, const std::vector<Bucket>& buckets,
                                    std::uint16_t perBucket) const {
    stream.beginRecord(kRecordExtSst);
    stream.u16(perBucket);
    for (const Bucket& bucket : buckets) {
        stream.u32(bucket.streamPosition);
        stream.u16(bucket.recordOffset);
        stream.u16(0);
    }
    stream.endRecord();
}

} // namespace xlsFile
