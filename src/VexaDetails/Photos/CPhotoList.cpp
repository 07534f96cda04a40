#include "CPhotoList.h"

std::shared_ptr<CPhotoList> CPhotoList::Copy(const PhotoRecord* records, int count) {
    auto list = std::make_shared<CPhotoList>();
    if (records == nullptr || count <= 0) {
        return list;
    }
    list->m_records.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        PhotoRecord copy = records[i];
        copy.id = list->Keep(copy.id);
        copy.fileName = list->Keep(copy.fileName);
        copy.path = list->Keep(copy.path);
        copy.thumbnail = nullptr;
        copy.thumbnailLength = 0;
        list->m_records.push_back(copy);
    }
    return list;
}

const char* CPhotoList::Keep(const char* text) {
    return m_texts.emplace_back(text != nullptr ? text : "").c_str();
}
