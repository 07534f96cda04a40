#pragma once

#include "QBaseDetailsModel.h"

// The books table: name, author, genre, rating (no source yet), format and size.
class QiBooksModel : public QBaseDetailsModel {
    Q_OBJECT
public:
    enum Column { NameColumn, AuthorColumn, GenreColumn, RatingColumn, FormatColumn, SizeColumn };

    explicit QiBooksModel(QObject* parent = nullptr);

    void Retranslate();
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // "1024 B", "1.00 KB", "1.00 MB", "1.00 GB": each unit begins strictly above the one before.
    static QString SizeText(qint64 bytes);
    static QString FormatName(int format);
};
