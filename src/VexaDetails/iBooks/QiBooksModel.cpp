#include "QiBooksModel.h"

#include <algorithm>

#include "CiBookChunk.h"
#include "FormatSize.h"

QiBooksModel::QiBooksModel(QObject* parent)
    : QBaseDetailsModel(parent) {
    Retranslate();
}

void QiBooksModel::Retranslate() {
    SetHeaderLabels({tr("Name"), tr("Author"), tr("Genre"), tr("Rating"), tr("Format"), tr("Size")});
}

QString QiBooksModel::SizeText(qint64 bytes) {
    return FormatSize(static_cast<uint64_t>(std::max<qint64>(bytes, 0)));
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
