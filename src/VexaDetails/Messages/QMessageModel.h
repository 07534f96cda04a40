#pragma once

#include "QBaseDetailsModel.h"

// The conversation table: the correspondent's name and number, and an empty status column.
class QMessageModel : public QBaseDetailsModel {
    Q_OBJECT
public:
    enum Column { NameColumn = 0, NumberColumn, StatusColumn };

    explicit QMessageModel(QObject* parent = nullptr);

    // Rebuilds the translated header labels.
    void Retranslate();

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};
