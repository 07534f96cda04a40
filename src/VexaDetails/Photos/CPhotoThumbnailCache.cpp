#include "CPhotoThumbnailCache.h"

const QImage* CPhotoThumbnailCache::Find(int index) {
    auto found = m_images.find(index);
    if (found == m_images.end()) {
        return nullptr;
    }
    m_ages.splice(m_ages.begin(), m_ages, found->second.age);
    return &found->second.image;
}

void CPhotoThumbnailCache::Insert(int index, QImage image) {
    auto found = m_images.find(index);
    if (found != m_images.end()) {
        found->second.image = std::move(image);
        m_ages.splice(m_ages.begin(), m_ages, found->second.age);
        return;
    }
    m_ages.push_front(index);
    m_images.emplace(index, Entry{std::move(image), m_ages.begin()});
    while (m_images.size() > m_capacity) {
        m_images.erase(m_ages.back());
        m_ages.pop_back();
    }
}

void CPhotoThumbnailCache::Trim(const std::function<bool(int index)>& isFar) {
    for (auto age = m_ages.begin(); age != m_ages.end();) {
        if (isFar(*age)) {
            m_images.erase(*age);
            age = m_ages.erase(age);
        } else {
            ++age;
        }
    }
}

void CPhotoThumbnailCache::Clear() {
    m_images.clear();
    m_ages.clear();
}
