// Renders a backup opened as a device (the tree with its information page, its contacts page with the
// read-only line) and the password dialog of an encrypted backup in English, German and Chinese into PNG
// files, so their look can be checked by eye.
// Usage: backup_device_screens <output folder>
#include <filesystem>
#include <memory>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <vexa/BackupDevice.h>
#include <vexa/VexaResult.h>

#include "CBackupOpener.h"
#include "CSingleDetectiPhone.h"
#include "DeviceSubItem.h"
#include "LanguageService.h"
#include "QBackupPasswordDlg.h"
#include "QBaseDetailsView.h"
#include "QNavigateWidget.h"
#include "ScreensSession.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "sim/DeviceBackup.h"
#include "sim/DeviceInfoFile.h"
#include "sim/SimDevice.h"

namespace fs = std::filesystem;

namespace {

const char* const kUdid = "00008101-0000000000BAC0FF";
const char* const kPassword = "screens";

// The demo phone, made outside the simulator's folder so only its backups show, backed up into `folder`.
bool MakeBackup(const ScreensSession& session, const QString& folder, const std::string& password) {
    const fs::path root = session.Home().filePath(QStringLiteral("phones")).toStdString();
    if (!fs::exists(root / kUdid) && vexa::sim::GenerateDemoDevice(root, kUdid, "Anna's iPhone") != 0)
        return false;
    auto device = std::make_shared<vexa::sim::SimDevice>(root / kUdid);
    device->UpdateInfo([&password](vexa::sim::DeviceInfoFile& info) {
        info.backupPassword = password;
        info.backupSha256Rounds = 20000;
        info.backupSha1Rounds = 100;
    });
    return vexa::sim::DeviceBackup(device).Backup(folder.toStdString()) == VEXA_OK;
}

void ShowBackup(ScreensSession& session, const QString& folder, const char* language) {
    QNavigateWidget navigate;
    navigate.resize(1000, 640);
    navigate.show();
    const int handle = CBackupOpener::Open(folder, &navigate);
    if (!QTest::qWaitFor([&] { return navigate.DeviceNode(handle) != nullptr; }, 10000)) {
        qWarning("the backup did not open");
        return;
    }
    QTest::qWait(300);
    ScreensSession::Save(&navigate, session.Picture(QStringLiteral("backup_device_information"), language));
    TreeNode* contacts = navigate.DeviceNode(handle)->FindChildOfKind(SUB_ITEM_CONTACTS);
    navigate.ClickTreeViewItem(navigate.Model()->IndexOf(contacts));
    auto* view = qobject_cast<QBaseDetailsView*>(contacts->Binding().view);
    if (!QTest::qWaitFor([&] { return view && view->HasLoaded(); }, 10000))
        qWarning("the contacts did not load");
    ScreensSession::Save(&navigate, session.Picture(QStringLiteral("backup_device_contacts"), language), 300);
    CSingleDetectiPhone::Instance()->CloseOpenedDevice(handle);
    if (!QTest::qWaitFor([&] { return navigate.DeviceNode(handle) == nullptr; }, 10000))
        qWarning("the backup did not close");
}

void ShowPassword(ScreensSession& session, const QString& folder, const char* language) {
    BackupContent backup;
    if (backup.Open(folder.toUtf8().constData()) != VEXA_OK)
        return;
    QBackupPasswordDlg dialog(backup, QStringLiteral("Anna's iPhone"));
    dialog.show();
    ScreensSession::Save(&dialog, session.Picture(QStringLiteral("backup_password"), language));
    dialog.findChild<QLineEdit*>(QStringLiteral("m_password"))->setText(QStringLiteral("wrong"));
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    if (!QTest::qWaitFor(
            [&] { return dialog.findChild<QLineEdit*>(QStringLiteral("m_password"))->isEnabled(); }, 20000))
        qWarning("the password was not checked");
    ScreensSession::Save(&dialog, session.Picture(QStringLiteral("backup_password_wrong"), language));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ScreensSession session(argc, argv);
    const QString plain = session.Home().filePath(QStringLiteral("backups/plain"));
    const QString locked = session.Home().filePath(QStringLiteral("backups/locked"));
    if (!MakeBackup(session, plain, "") || !MakeBackup(session, locked, kPassword))
        return 1;
    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        ShowBackup(session, plain, language.name);
        ShowPassword(session, locked, language.name);
    }
    return 0;
}
