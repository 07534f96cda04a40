#include "QAppsViewModel.h"

#include "LanguageService.h"
#include "QAppsChunk.h"

QAppsViewModel::QAppsViewModel(QObject* parent)
    : QBaseDetailsModel(parent) {
    Retranslate();
}

QAppsChunk* QAppsViewModel::AppAt(int row) const {
    return static_cast<QAppsChunk*>(ChunkAt(row));
}

void QAppsViewModel::Retranslate() {
    SetHeaderLabels({tr("Name"), tr("AppSize"), tr("File Size"), tr("Version"), tr("Status")});
    const QImage placeholder(ResourceRoot() + QStringLiteral("/image/details/temp_image.png"));
    m_placeholder = placeholder.isNull() ? QImage()
                                         : placeholder.scaled(QAppsChunk::kIconSide, QAppsChunk::kIconSide,
                                                              Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QVariant QAppsViewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const auto* app = static_cast<const QAppsChunk*>(index.internalPointer());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case NameColumn:
            return app->Title();
        case AppSizeColumn:
            return app->Size();
        case FileSizeColumn:
            return app->FileSize();
        case VersionColumn:
            return app->Version();
        case StatusColumn:
            return role == Qt::DisplayRole ? app->Status() : QVariant();
        default:
            return {};
        }
    }
    if (role == Qt::DecorationRole && index.column() == NameColumn)
        return app->Icon().isNull() ? m_placeholder : app->Icon();
    return QBaseDetailsModel::data(index, role);
}
