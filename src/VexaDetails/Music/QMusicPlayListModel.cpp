#include "QMusicPlayListModel.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPixmap>

#include "QMusicPlayListChunk.h"

namespace {

// Width the playlist list gives a name before it is elided.
constexpr int kListNameWidth = 90;

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The kinds of file the device library names for songs, in English; a kind not listed here is shown as
// the device states it.
[[maybe_unused]] constexpr const char* kFormatNames[] = {
    QT_TRANSLATE_NOOP("QMusicPlayListModel", "MPEG audio file"),
    QT_TRANSLATE_NOOP("QMusicPlayListModel", "AAC audio file"),
    QT_TRANSLATE_NOOP("QMusicPlayListModel", "AAC audio book file"),
};

} // namespace

QMusicPlayListModel::QMusicPlayListModel(QObject* parent)
    : QBaseDetailsModel(parent) {
    SetHeaderLabels(ColumnTitles());
}

QStringList QMusicPlayListModel::ColumnTitles() {
    return {tr("Name"), tr("Time"), tr("Size"), tr("Artist"), tr("Album"), tr("Format"), tr("Status")};
}

QString QMusicPlayListModel::FormatText(const std::string& format) {
    return tr(format.c_str());
}

QVariant QMusicPlayListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const auto* song = static_cast<const QMusicPlayListChunk*>(index.internalPointer());
    if (m_listMode && index.column() == ColumnName) {
        if (role == Qt::DisplayRole)
            return QFontMetrics(QGuiApplication::font())
                .elidedText(Utf8(song->GetName()), Qt::ElideRight, kListNameWidth);
        if (role == Qt::DecorationRole)
            return QPixmap(Utf8(song->image));
        if (role == Qt::ToolTipRole)
            return Utf8(song->GetName());
        if (role == Qt::CheckStateRole)
            return {};
    }
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case ColumnName:
            return song->titleText;
        case ColumnTime:
            return Utf8(song->time);
        case ColumnSize:
            return Utf8(song->size);
        case ColumnArtist:
            return Utf8(song->artist);
        case ColumnAlbum:
            return Utf8(song->album);
        case ColumnFormat:
            return FormatText(song->format);
        default:
            break;
        }
    }
    return QBaseDetailsModel::data(index, role);
}

QStringList QMusicPlayListModel::mimeTypes() const {
    return {QStringLiteral("text/uri-list"), QStringLiteral("text/ovelin")};
}
