#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "IBaseChunk.h"

struct AppRecord;

// One installed application: its texts as the table shows them and the icon bytes the device sent.
// Built on the loading thread; the icon is decoded there too, so the table only draws it.
class QAppsChunk : public IBaseChunk {
public:
    // The side of the icon the table draws; larger icons are scaled down when they are decoded.
    static constexpr int kIconSide = 32;

    QAppsChunk() = default;
    explicit QAppsChunk(const AppRecord& record);

    void Serialize(IBaseSerial* writer) override;
    void Reset() override;

    // The title is the chunk's name; these are its texts as shown.
    QString Title() const { return m_title; }
    QString Size() const { return m_size; }
    QString FileSize() const { return m_fileSize; }
    QString Version() const { return m_version; }
    QString Status() const { return m_status; }
    const QByteArray& Image() const { return m_image; }
    const QImage& Icon() const { return m_icon; }

    // Icon bytes as received; an empty or undecodable image leaves no icon.
    void SetImage(const QByteArray& png);

    // A fixed-size text field of the device record: up to its terminator or its end.
    static std::string FieldText(const char* field, size_t width);

private:
    QString m_title;
    QString m_size;
    QString m_fileSize;
    QString m_version;
    QString m_status;
    QByteArray m_image;
    QImage m_icon;
};
