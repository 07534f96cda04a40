#include "QAppsChunk.h"

#include <cstring>

#include <vexa/VexaRecords.h>

#include "ForeignImage.h"
#include "FormatSize.h"
#include "IBaseSerial.h"

namespace {

// Icons beyond this are not decoded: the table shows a small picture, and a package may carry anything.
constexpr int kLargestIconSide = 4096;

QString SizeText(int32_t bytes) {
    return FormatSize(bytes > 0 ? uint64_t(bytes) : 0);
}

} // namespace

QAppsChunk::QAppsChunk(const AppRecord& record) {
    SetId(FieldText(record.id, sizeof record.id));
    SetName(FieldText(record.name, sizeof record.name));
    m_title = QString::fromStdString(GetName());
    m_version = QString::fromStdString(FieldText(record.version, sizeof record.version));
    m_size = SizeText(record.appSize);
    m_fileSize = SizeText(record.fileSize);
    if (record.icon && record.iconLength > 0)
        SetImage(QByteArray(reinterpret_cast<const char*>(record.icon), record.iconLength));
}

std::string QAppsChunk::FieldText(const char* field, size_t width) {
    return std::string(field, strnlen(field, width));
}

void QAppsChunk::SetImage(const QByteArray& png) {
    m_image = png;
    m_icon = ForeignImage::Decode(png, kLargestIconSide, kIconSide, "PNG");
}

void QAppsChunk::Serialize(IBaseSerial* writer) {
    if (!writer)
        return;
    writer->BeginItem("Apps", -1);
    writer->WriteString("id", GetId().c_str());
    writer->WriteString("Title", GetName().c_str());
    writer->WriteString("Size", m_size.toUtf8().constData());
    writer->WriteString("FileSize", m_fileSize.toUtf8().constData());
    writer->WriteString("Version", m_version.toUtf8().constData());
    writer->WriteString("Status", m_status.toUtf8().constData());
    // The icon is binary; a text field carries it as base64 (empty when the device sent none).
    writer->WriteString("Image", m_image.toBase64().constData());
    writer->EndItem();
}

void QAppsChunk::Reset() {
    IBaseChunk::Reset();
    m_title.clear();
    m_size.clear();
    m_fileSize.clear();
    m_version.clear();
    m_status.clear();
    m_image.clear();
    m_icon = QImage();
}
