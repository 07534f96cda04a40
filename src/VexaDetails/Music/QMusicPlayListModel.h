#pragma once

#include <string>

#include "QBaseDetailsModel.h"

// The song table of the music and playlist pages: Name, Time, Size, Artist, Album, Format, Status.
// In list mode it serves the list of playlists instead: the name alone, elided, with its picture.
class QMusicPlayListModel : public QBaseDetailsModel {
    Q_OBJECT
public:
    enum Column { ColumnName, ColumnTime, ColumnSize, ColumnArtist, ColumnAlbum, ColumnFormat, ColumnStatus };

    explicit QMusicPlayListModel(QObject* parent = nullptr);

    void SetListMode(bool on) { m_listMode = on; }
    bool IsListMode() const { return m_listMode; }
    // The translated column titles.
    static QStringList ColumnTitles();
    // The device's English name of a kind of file, in the language chosen.
    static QString FormatText(const std::string& format);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QStringList mimeTypes() const override;

private:
    bool m_listMode = false;
};
