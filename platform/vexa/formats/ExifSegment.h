#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vexa::formats {

// A minimal big-endian EXIF APP1 segment: ImageDescription and DateTime in IFD0, DateTimeOriginal in the
// Exif sub-IFD.
class ExifSegment {
public:
    ExifSegment(std::string description, std::string dateTimeOriginal);

    bool Empty() const { return m_description.empty() && m_dateTime.empty(); }
    // The whole segment, marker FF E1 included.
    std::vector<uint8_t> Bytes() const;
    // Puts the segment after SOI (and after a JFIF APP0 when there is one); false for data that is not JPEG.
    bool InsertInto(std::vector<uint8_t>& jpeg) const;

private:
    std::string m_description;
    std::string m_dateTime;
};

} // namespace vexa::formats
