#include "CPhotoMonthGroups.h"

#include <algorithm>
#include <unordered_map>

#include <QDateTime>
#include <QDebug>

#include "CPhotoList.h"

namespace {
// Unix time of 2001-01-01 00:00:00 UTC, where the device's photo dates count from.
constexpr int64_t kUnixTimeOf2001 = 978307200;

QDate UtcDate(int64_t date) {
    return QDateTime::fromSecsSinceEpoch(date + kUnixTimeOf2001, Qt::UTC).date();
}
} // namespace

bool CPhotoMonthGroups::IsVideo(const char* fileName) {
    const QString name = QString::fromUtf8(fileName != nullptr ? fileName : "");
    return name.endsWith(QLatin1String("MOV"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String("mp4"), Qt::CaseInsensitive);
}

QString CPhotoMonthGroups::MonthKey(int64_t date) {
    return UtcDate(date).toString(QStringLiteral("MM.yyyy"));
}

CPhotoMonthGroups CPhotoMonthGroups::Build(CPhotoList& list, Videos videos) {
    CPhotoMonthGroups result;
    std::unordered_map<int, size_t> byMonth;
    for (int i = 0; i < list.Count(); ++i) {
        PhotoRecord* record = list.Record(i);
        if (videos == Videos::LeftOut && IsVideo(record->fileName)) {
            continue;
        }
        const QDate day = UtcDate(record->date);
        const int sortKey = day.year() * 12 + day.month() - 1;
        auto [slot, added] = byMonth.try_emplace(sortKey, result.m_groups.size());
        if (added) {
            Group group;
            group.key = day.toString(QStringLiteral("MM.yyyy"));
            group.sortKey = sortKey;
            result.m_groups.push_back(std::move(group));
        }
        result.m_groups[slot->second].photos.push_back(indexPhoto{i, record});
        ++result.m_photoCount;
    }
    qDebug() << "------------------Sort begin!";
    std::sort(result.m_groups.begin(), result.m_groups.end(),
              [](const Group& a, const Group& b) { return a.sortKey > b.sortKey; });
    qDebug() << "------------------Sort finished!";
    return result;
}

int CPhotoMonthGroups::IndexOf(const QString& key) const {
    for (size_t i = 0; i < m_groups.size(); ++i) {
        if (m_groups[i].key == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
