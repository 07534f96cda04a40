#include "QVideoPlayModel.h"

#include "QVideoChunk.h"

namespace {

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The kinds of file the device library names for videos, in English; a kind not listed here is shown as
// the device states it.
[[maybe_unused]] constexpr const char* kFormatNames[] = {
    QT_TRANSLATE_NOOP("QVideoPlayModel", "MPEG-4 video file"),
    QT_TRANSLATE_NOOP("QVideoPlayModel", "QuickTime movie file"),
};

} // namespace

QVideoPlayModel::QVideoPlayModel(QObject* parent)
    : QBaseDetailsModel(parent) {
    SetHeaderLabels(ColumnTitles());
}

QStringList QVideoPlayModel::ColumnTitles() {
    return {tr("Name"), tr("Time"), tr("Size"), tr("Format"), tr("Status")};
}

QString QVideoPlayModel::DragFileName(const QVideoChunk& video) {
    const QString path = Utf8(video.path);
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype separator = path.lastIndexOf(QLatin1Char(':'));
    QString suffix = dot > separator ? path.mid(dot + 1) : QString();
    if (video.format.empty() || suffix.isEmpty())
        suffix = QStringLiteral("mp4");
    const QString title = video.titleText.isEmpty() ? QStringLiteral("Video") : video.titleText;
    return QStringLiteral("%1.%2").arg(title, suffix);
}

QString QVideoPlayModel::FormatText(const std::string& format) {
    const QByteArray source(format.data(), qsizetype(format.size()));
    return tr(source.constData());
}

QVariant QVideoPlayModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const auto* video = static_cast<const QVideoChunk*>(static_cast<IBaseChunk*>(index.internalPointer()));
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case ColumnName:
            return video->titleText;
        case ColumnTime:
            return Utf8(video->time);
        case ColumnSize:
            return Utf8(video->size);
        case ColumnFormat:
            return FormatText(video->format);
        default:
            break;
        }
    }
    return QBaseDetailsModel::data(index, role);
}

QStringList QVideoPlayModel::mimeTypes() const {
    return {QStringLiteral("text/uri-list"), QStringLiteral("text/ovelin")};
}
