#pragma once

#include <cstdint>
#include <vector>

#include <QString>

#include "indexPhoto.h"

class CPhotoList;

// The photos of a list grouped by the month they were taken ("MM.yyyy", in UTC), newest month first;
// within a month the photos keep the list's order. Videos (names ending in "MOV" or "mp4") are left out
// of the Photos page; an album shows them, as its count includes them.
class CPhotoMonthGroups {
public:
    struct Group {
        QString key;
        int sortKey = 0; // year * 12 + month - 1, for the order
        std::vector<indexPhoto> photos;
        int Count() const { return static_cast<int>(photos.size()); }
    };

    enum class Videos { LeftOut, Shown };
    static CPhotoMonthGroups Build(CPhotoList& list, Videos videos = Videos::LeftOut);

    static bool IsVideo(const char* fileName);
    // Seconds since 2001-01-01 UTC as "MM.yyyy".
    static QString MonthKey(int64_t date);

    const std::vector<Group>& Groups() const { return m_groups; }
    int PhotoCount() const { return m_photoCount; }
    // The group of a key, or -1.
    int IndexOf(const QString& key) const;

private:
    std::vector<Group> m_groups;
    int m_photoCount = 0;
};
