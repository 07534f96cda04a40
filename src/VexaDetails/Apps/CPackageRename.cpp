#include "CPackageRename.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

CPackageRename::CPackageRename(const QString& path)
    : m_original(path)
    , m_temporary(TemporaryPath(path)) {
    if (m_temporary == m_original || QFileInfo::exists(m_temporary))
        return;
    m_renamed = QFile::rename(m_original, m_temporary);
    if (!m_renamed)
        qDebug() << "CPackageRename can't rename" << m_original << "to" << m_temporary;
}

CPackageRename::~CPackageRename() {
    RenameBack();
}

QString CPackageRename::TemporaryPath(const QString& path) {
    const int slash = int(path.lastIndexOf(QLatin1Char('/')));
    const QString folder = path.left(slash + 1);
    return QStringLiteral("%1VexaManagerfor.%2").arg(folder, QFileInfo(path).suffix());
}

bool CPackageRename::RenameBack() {
    if (!m_renamed)
        return true;
    m_renamed = !QFile::rename(m_temporary, m_original);
    if (m_renamed)
        qDebug() << "CPackageRename can't give" << m_temporary << "its name" << m_original << "back";
    return !m_renamed;
}
