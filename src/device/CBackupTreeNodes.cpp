#include "CBackupTreeNodes.h"

#include <QFileInfo>

#include "CKnownBackups.h"
#include "TreeModel.h"

namespace {

constexpr const char* kBackupIcon = "/image/div/System_icon.png";

} // namespace

CBackupTreeNodes::CBackupTreeNodes(TreeModel* model)
    : m_model(model)
    , m_group(new TreeNode(NODE_BACKUPS, QString())) {
    m_group->SetIcons(QString::fromLatin1(kBackupIcon), QString());
    m_model->AppendNode(m_model->Root(), m_group);
    Retranslate();
    Rebuild();
}

QString CBackupTreeNodes::Caption(const QString& deviceName, const QString& dateTime, const QString& folder) {
    const QString name = deviceName.isEmpty() ? QFileInfo(folder).fileName() : deviceName;
    return dateTime.isEmpty() ? name : QStringLiteral("%1, %2").arg(name, dateTime);
}

void CBackupTreeNodes::Retranslate() {
    m_group->SetText(tr("Backups"));
    m_model->NodeChanged(m_group);
}

void CBackupTreeNodes::Rebuild() {
    m_model->RemoveChildren(m_group);
    m_folders.clear();
    for (const CKnownBackups::Entry& entry : CKnownBackups::List()) {
        if (!QFileInfo::exists(entry.record.folder))
            continue;
        auto* node = new TreeNode(NODE_KNOWN_BACKUP,
                                  Caption(entry.record.name, entry.record.dateTime, entry.record.folder));
        node->SetIcons(QString::fromLatin1(kBackupIcon), QString());
        m_folders.insert(node, entry.record.folder);
        m_model->AppendNode(m_group, node);
    }
}
