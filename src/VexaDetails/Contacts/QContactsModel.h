#pragma once

#include "QBaseDetailsModel.h"

// The contacts table: name, phone numbers, groups and the row's action cell.
class QContactsModel : public QBaseDetailsModel {
    Q_OBJECT
public:
    enum Column { NameColumn = 0, PhoneColumn, GroupColumn, StatusColumn };

    explicit QContactsModel(QObject* parent = nullptr);

    // Rebuilds the translated header labels.
    void Retranslate();

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};
