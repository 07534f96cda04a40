#include "QiBooksModel.h"

#include "CiBookChunk.h"

QiBooksModel::QiBooksModel(QObject* parent)
    : QBaseDetailsModel(parent) {
    Retranslate();
}

void QiBooksModel::Retranslate() {
    SetHeaderLabels({tr("Name"), tr("Author"), tr("Genre"), tr("Rating"), tr("Format"), tr("Size")});
}

QString QiBooksModel::SizeText(qint64 bytes) {
    constexpr qint64 kKB = 1024;
    constexpr qint64 kMB = kKB * 1024;
    constexpr qint64 kGB = kMB * 1024;
    if (bytes > kGB)
        return QString::asprintf("%.2f GB", double(bytes) / double(kGB));
    if (bytes > kMB)
        return QString::asprintf("%.2f MB", double(bytes) / double(kMB));
    if (bytes > kKB)
        return QString::asprintf("%.2f KB", double(bytes) / double(kKB));
    return QString::asprintf("%d B", int(bytes));
}

QString QiBooksModel::FormatName(int format) {
    switch (format) {
    case CiBookChunk::FormatPdf:
        return QStringLiteral("PDF");
    case CiBookChunk::FormatEpub:
        return QStringLiteral("EPUB");
    case CiBookChunk::FormatEpubIBooks:
        return QStringLiteral("EPUB(IBOOK)");
    default:
        return QString();
    }
}

QVariant QiBooksModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QBaseDetailsModel::data(index, role);
    const auto* chunk = static_cast<const CiBookChunk*>(static_cast<IBaseChunk*>(index.internalPointer()));
    switch (index.column()) {
    case NameColumn:
        return QString::fromStdString(chunk->GetName());
    case AuthorColumn:
        return QString::fromStdString(chunk->author);
    case GenreColumn:
        return QString::fromStdString(chunk->genre);
    case FormatColumn:
        return FormatName(chunk->format);
    case SizeColumn:
        return SizeText(chunk->size);
    default:
        return QString();
    }
}
