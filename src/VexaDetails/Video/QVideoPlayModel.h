#pragma once

#include <string>

#include "QBaseDetailsModel.h"

class QVideoChunk;

// The video table: Name, Time, Size, Format, Status.
class QVideoPlayModel : public QBaseDetailsModel {
    Q_OBJECT
public:
    enum Column { ColumnName, ColumnTime, ColumnSize, ColumnFormat, ColumnStatus };

    explicit QVideoPlayModel(QObject* parent = nullptr);

    // The translated column titles.
    static QStringList ColumnTitles();
    // The name a dragged video gets on the computer: its title with the suffix of its device file,
    // or ".mp4" when the library names no format.
    static QString DragFileName(const QVideoChunk& video);
    // The device library's kind of file ("MPEG-4 video file") in the language shown.
    static QString FormatText(const std::string& format);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QStringList mimeTypes() const override;
};
