#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include <vexa/VexaRecords.h>

// A private copy of the photo records a library handed out: the library's own array is only valid until
// the reading thread reads again, while the pages and the thumbnail thread keep theirs for as long as
// they show it. The texts are copied with the records; thumbnails are not.
class CPhotoList {
public:
    static std::shared_ptr<CPhotoList> Copy(const PhotoRecord* records, int count);

    int Count() const { return static_cast<int>(m_records.size()); }
    PhotoRecord* Record(int index) { return &m_records[static_cast<size_t>(index)]; }
    const PhotoRecord* Record(int index) const { return &m_records[static_cast<size_t>(index)]; }

private:
    const char* Keep(const char* text);

    std::vector<PhotoRecord> m_records;
    std::deque<std::string> m_texts;
};
