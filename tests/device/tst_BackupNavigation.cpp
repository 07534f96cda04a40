// A backup folder opened in the navigation: a device node with the categories a backup holds, pages
// that read it and offer no changes, the "Backups" group that lists it, and the password dialog.
#include <filesystem>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/BackupDevice.h>
#include <vexa/VexaResult.h>

#include "CBackupOpener.h"
#include "CSingleDetectiPhone.h"
#include "DeviceSubItem.h"
#include "MessageCatcher.h"
#include "QBackupPasswordDlg.h"
#include "QContactsView.h"
#include "QDeviceInformationWidget.h"
#include "QImageButton.h"
#include "QNavigateWidget.h"
#include "QOperatePanel.h"
#include "QRightFuntionWidget.h"
#include "ReadOnlyNotice.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "sim/ContentServices.h"
#include "sim/DeviceBackup.h"
#include "sim/DeviceInfoFile.h"
#include "sim/SimDevice.h"

namespace fs = std::filesystem;

namespace {

constexpr int kContacts = 30;

// A phone made outside the simulator's folder, so it never arrives as a device, and backed up.
QString MakeBackup(const QTemporaryDir& dir, const QString& name, const std::string& password) {
    const fs::path root = dir.filePath("phones").toStdString();
    const std::string udid = "00008110-BACKUPNAV" + name.toStdString();
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = udid;
    spec.name = "Backed Up Phone";
    spec.contacts = kContacts;
    spec.messages = 60;
    if (vexa::sim::GenerateLargeDevice(root, spec) != 0)
        return {};
    auto device = std::make_shared<vexa::sim::SimDevice>(root / udid);
    device->UpdateInfo([&password](vexa::sim::DeviceInfoFile& info) {
        info.backupPassword = password;
        info.backupSha256Rounds = 1000;
        info.backupSha1Rounds = 10;
    });
    const QString folder = dir.filePath(name);
    return vexa::sim::DeviceBackup(device).Backup(folder.toStdString()) == VEXA_OK ? folder : QString();
}

TreeNode* KnownBackupNode(QNavigateWidget& navigate) {
    for (TreeNode* group : navigate.Model()->Root()->Children()) {
        if (group->Kind() != NODE_BACKUPS)
            continue;
        for (TreeNode* node : group->Children())
            if (node->Kind() == NODE_KNOWN_BACKUP && node->Text().startsWith("Backed Up Phone"))
                return node;
    }
    return nullptr;
}

} // namespace

class tst_BackupNavigation : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void openedBackupIsAReadOnlyDeviceInTheTree() {
        const QString folder = MakeBackup(m_dir, "plain", "");
        QVERIFY(!folder.isEmpty());
        MessageCatcher messages;
        QNavigateWidget navigate;
        navigate.resize(960, 600);
        navigate.show();
        // The simulator plugs in its demo phone (made on a first run) in its own time, and a device that
        // arrives takes the page on show. The backup is opened once the phone is there.
        const auto phonePlugged = [&navigate] {
            for (TreeNode* node : navigate.Model()->Root()->Children())
                if (node->Kind() == NODE_DEVICE)
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(phonePlugged(), 90000);

        const int handle = CBackupOpener::Open(folder, &navigate);
        QVERIFY(IsBackupDeviceHandle(handle));
        QTRY_VERIFY_WITH_TIMEOUT(navigate.DeviceNode(handle), 10000);
        TreeNode* device = navigate.DeviceNode(handle);
        QVERIFY(device->Text().startsWith("Backed Up Phone, "));
        QList<int> kinds;
        for (TreeNode* child : device->Children())
            kinds << child->Kind();
        QCOMPARE(kinds, (QList<int>{SUB_ITEM_PHOTOS, SUB_ITEM_CONTACTS, SUB_ITEM_MESSAGES, SUB_ITEM_CALLS}));
        // Its information page shows what the backup says of the phone, and nothing a backup lacks: no
        // battery, no storage, no rename; the tools offer neither backup nor restore while it is chosen.
        auto* information = qobject_cast<QDeviceInformationWidget*>(device->Binding().view);
        QVERIFY(information && information->IsBackup());
        QCOMPARE(information->findChild<QLabel*>("m_name")->text(), QStringLiteral("Backed Up Phone"));
        QVERIFY(!information->findChild<QLabel*>("m_warranty")->text().isEmpty()); // the backup's date
        for (const char* name :
             {"m_modifyBtn", "m_battery", "m_dataContent", "m_systemContent", "m_btnRefresh"})
            QVERIFY2(information->findChild<QWidget*>(name)->isHidden(), name);
        auto* tools = navigate.findChild<QRightFuntionWidget*>();
        navigate.ClickTreeViewItem(navigate.Model()->IndexOf(device));
        QVERIFY(tools->Button("m_btnBackup")->isHidden() && tools->Button("m_btnRestore")->isHidden());
        for (TreeNode* node : navigate.Model()->Root()->Children())
            if (node->Kind() == NODE_DEVICE && !IsBackupDeviceHandle(node->DeviceHandle()))
                navigate.ClickTreeViewItem(navigate.Model()->IndexOf(node));
        QVERIFY(!tools->Button("m_btnBackup")->isHidden() && !tools->Button("m_btnRestore")->isHidden());
        // Opening it again shows the same device.
        QCOMPARE(CBackupOpener::Open(folder, &navigate), handle);
        QVERIFY(KnownBackupNode(navigate));

        TreeNode* contactsNode = device->FindChildOfKind(SUB_ITEM_CONTACTS);
        navigate.ClickTreeViewItem(navigate.Model()->IndexOf(contactsNode));
        auto* contacts = qobject_cast<QContactsView*>(contactsNode->Binding().view);
        QVERIFY(contacts);
        QTRY_COMPARE_WITH_TIMEOUT(contacts->RecordCount(), kContacts, 10000);
        auto* notice = contacts->findChild<ReadOnlyNotice*>();
        QVERIFY(notice && notice->isVisible());
        QVERIFY(notice->text().contains("backup"));
        for (const char* name : {"m_addBtn", "m_deleteBtn"})
            QVERIFY(!contacts->OperatePanel()->findChild<QWidget*>(name)->isVisible());
        // Nothing was found wrong with the backup (a build without its images may report those).
        const QString said = messages.Messages().join(QLatin1Char('\n'));
        QVERIFY2(!said.contains(QLatin1String("cannot be")), qPrintable(said));

        CSingleDetectiPhone::Instance()->CloseOpenedDevice(handle);
        QTRY_VERIFY(!navigate.DeviceNode(handle));
        QCOMPARE(CBackupOpener::OpenHandle(folder), 0);
    }

    void passwordDialogSaysWhenThePasswordIsWrong() {
        const QString folder = MakeBackup(m_dir, "locked", "s3cret");
        QVERIFY(!folder.isEmpty());
        BackupContent backup;
        QCOMPARE(backup.Open(folder.toUtf8().constData()), int(VEXA_OK));
        QVERIFY(backup.Encrypted());
        QBackupPasswordDlg dialog(backup, "Backed Up Phone");
        dialog.show();
        auto* password = dialog.findChild<QLineEdit*>("m_password");
        auto* status = dialog.findChild<QLabel*>("m_status");
        QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);

        password->setText("wrong");
        ok->click();
        QTRY_VERIFY_WITH_TIMEOUT(status->text().contains("wrong"), 10000);
        QVERIFY(dialog.isVisible());
        QVERIFY(password->text().isEmpty()); // the typed password is not kept in the widget

        password->setText("s3cret");
        ok->click();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 10000);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        ContactList* list = nullptr;
        QCOMPARE(backup.GetContacts(&list), int(VEXA_OK));
        QCOMPARE(list->recordCount, kContacts);
    }
};

QTEST_MAIN(tst_BackupNavigation)
#include "tst_BackupNavigation.moc"
