#include "CFileTypeIcons.h"

#include <QFileIconProvider>
#include <QMimeDatabase>

CFileTypeIcons::CFileTypeIcons() {
    const QFileIconProvider provider;
    m_folder = provider.icon(QAbstractFileIconProvider::Folder);
    m_file = provider.icon(QAbstractFileIconProvider::File);
}

QIcon CFileTypeIcons::ForFile(const QString& name) {
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString suffix = dot > 0 ? name.mid(dot + 1).toLower() : QString();
    const auto found = m_bySuffix.constFind(suffix);
    if (found != m_bySuffix.constEnd()) {
        return *found;
    }
    QIcon icon = m_file;
    if (!suffix.isEmpty()) {
        const QMimeType type = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension);
        icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(), m_file));
    }
    m_bySuffix.insert(suffix, icon);
    return icon;
}
