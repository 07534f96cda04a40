#pragma once

#include <functional>
#include <list>
#include <unordered_map>

#include <QImage>

// The decoded thumbnails a photo page holds, by record index: at most a fixed number, the least recently
// used going first, and every one that `isFar` says has scrolled far away dropped on Trim().
class CPhotoThumbnailCache {
public:
    explicit CPhotoThumbnailCache(size_t capacity)
        : m_capacity(capacity) {}

    const QImage* Find(int index);
    void Insert(int index, QImage image);
    void Trim(const std::function<bool(int index)>& isFar);
    void Clear();
    size_t Size() const { return m_images.size(); }
    size_t Capacity() const { return m_capacity; }

private:
    struct Entry {
        QImage image;
        std::list<int>::iterator age;
    };
    size_t m_capacity;
    std::list<int> m_ages; // most recent first
    std::unordered_map<int, Entry> m_images;
};
