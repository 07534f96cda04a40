// The home buttons beside the navigation: export and transfer, backup and restore, the tools, help and
// opening a backup folder.
#include "QNavigateWidget.h"

#include <QDebug>
#include <QPointer>

#include "CBackupOpener.h"
#include "CBackupToolLauncher.h"
#include "CHelpFile.h"
#include "CHomeTools.h"
#include "CSingleDetectiPhone.h"
#include "CToolTiles.h"
#include "QBaseDetailsView.h"
#include "QContactsView.h"
#include "QImageButton.h"
#include "ToolWidget.h"
#include "TreeModel.h"
#include "TreeNode.h"

void QNavigateWidget::OnClickPc() {
    if (auto* view = qobject_cast<QBaseDetailsView*>(m_currentView))
        CHomeTools::ToComputer(view);
}

void QNavigateWidget::OnClickToDevice() {
    CBackupToolLauncher::OpenTransfer(this);
}

void QNavigateWidget::OnClickiTunes() {
    if (auto* view = qobject_cast<QBaseDetailsView*>(m_currentView))
        CHomeTools::ToiTunes(view);
}

void QNavigateWidget::OnClickBackup() {
    CBackupToolLauncher::OpenBackup(this);
}

void QNavigateWidget::OnClickRestore() {
    QPointer<QNavigateWidget> self(this);
    if (CBackupToolLauncher::OpenRestore(this) && self)
        ReloadCategories();
}

void QNavigateWidget::ReloadCategories() {
    // A restored device holds other content than its pages show: every category loads again on its
    // next press, the one on screen at once.
    for (TreeNode* device : std::as_const(m_deviceNodes)) {
        QList<TreeNode*> nodes = device->Children();
        for (int i = 0; i < nodes.size(); ++i) {
            nodes[i]->ResetPressCount();
            nodes += nodes[i]->Children();
        }
    }
    if (m_currentNode && m_currentView == m_currentNode->Binding().view) {
        StartLoader(m_currentNode);
        m_currentNode->IncrementPressCount();
    }
}

void QNavigateWidget::OnClickTools() {
    ToolWidget tools(this);
    connect(&tools, &ToolWidget::BtnSenderEmit, this, &QNavigateWidget::ToolBtnClick);
    tools.exec();
}

void QNavigateWidget::ToolBtnClick(QImageButton* button) {
    if (!button)
        return;
    // A restore changes what the device holds: the navigation reloads its categories after it.
    if (CBackupToolLauncher::IsRestoreTool(button->objectName()) &&
        !CSingleDetectiPhone::Instance()->Managers().isEmpty()) {
        OnClickRestore();
        return;
    }
    if (!CToolTiles::Run(button->objectName(), this, CurrentContacts()))
        qDebug() << "QNavigateWidget::ToolBtnClick no tile" << button->objectName();
}

QContactsView* QNavigateWidget::CurrentContacts() const {
    TreeNode* device = m_currentNode ? DeviceNode(m_currentNode->DeviceHandle()) : nullptr;
    if (!device && !m_deviceNodes.isEmpty())
        device = m_deviceNodes.first();
    TreeNode* contacts = device ? device->FindChildOfKind(SUB_ITEM_CONTACTS) : nullptr;
    return contacts ? qobject_cast<QContactsView*>(contacts->Binding().view) : nullptr;
}

void QNavigateWidget::OnClickHelp() {
    CHelpFile::Open();
}

void QNavigateWidget::OnClickOpenBackup() {
    CBackupOpener::ChooseAndOpen(this);
}

void QNavigateWidget::OpenKnownBackup(const QString& folder) {
    if (folder.isEmpty())
        return;
    // A backup already open is shown, not opened twice.
    if (TreeNode* shown = DeviceNode(CBackupOpener::OpenHandle(folder))) {
        ClickTreeViewItem(m_model->IndexOf(shown));
        return;
    }
    CBackupOpener::Open(folder, this);
}
