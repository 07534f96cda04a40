#pragma once

#include <QImage>

#include "QBaseDetailsModel.h"

class QAppsChunk;

// The apps table: name (with the icon), application size, file size, version, and the status column
// whose cell the view fills with a row of buttons.
class QAppsViewModel : public QBaseDetailsModel {
    Q_OBJECT
public:
    enum Column { NameColumn, AppSizeColumn, FileSizeColumn, VersionColumn, StatusColumn, ColumnCount };

    explicit QAppsViewModel(QObject* parent = nullptr);

    QAppsChunk* AppAt(int row) const;
    void Retranslate();

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    // Drawn for an app whose icon is missing or damaged.
    QImage m_placeholder;
};
