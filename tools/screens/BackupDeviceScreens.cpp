// Renders a backup opened as a device (the tree with its information page, its contacts page with the
// read-only line, its messages page with a picture in a bubble), the messages' web page export as a
// browser draws it (when Chromium is installed) and the password dialog of an encrypted backup in
// English, German and Chinese into PNG files, so their look can be checked by eye.
// Usage: backup_device_screens <output folder>
#include <algorithm>
#include <filesystem>
#include <memory>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>
#include <QUrl>

#include <vexa/BackupDevice.h>
#include <vexa/VexaResult.h>

#include "CBackupOpener.h"
#include "CMessageChunk.h"
#include "CSingleDetectiPhone.h"
#include "DeviceSubItem.h"
#include "LanguageService.h"
#include "QBackupPasswordDlg.h"
#include "QBaseDetailsView.h"
#include "QFlowWidget.h"
#include "QMessageFlow.h"
#include "QNavigateWidget.h"
#include "QPagedFlowViewerWidget.h"
#include "ScreensSession.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "qmessageView.h"
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

// The conversations with attachments exported as web pages, and the first of them drawn by a headless
// browser.
void ShowWebExport(ScreensSession& session, qmessageView& view, const char* language) {
    const QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (browser.isEmpty()) {
        qWarning("chromium is not installed: no picture of the web page export");
        return;
    }
    for (int i = 0; i < view.GetChunkCount(); ++i) {
        const auto* conversation = static_cast<const CMessageChunk*>(view.GetChunk(i));
        view.GetChunk(i)->SetChecked(
            std::any_of(conversation->messages.begin(), conversation->messages.end(),
                        [](const auto& entry) { return !entry.attachments.empty(); }));
    }
    const QString index = session.Home().filePath(QStringLiteral("export-%1/messages.html").arg(language));
    if (view.ExportWithFiles(index.toStdString()) != CRecordFileExport::Result::Written) {
        qWarning("the web page export failed");
        return;
    }
    const QString page =
        session.Home().filePath(QStringLiteral("export-%1/messages pages/001.html").arg(language));
    QProcess chromium;
    chromium.start(
        browser,
        {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
         QStringLiteral("--hide-scrollbars"), QStringLiteral("--window-size=900,900"),
         QStringLiteral("--screenshot=") + session.Picture(QStringLiteral("messages_web_export"), language),
         QUrl::fromLocalFile(page).toString()});
    if (!chromium.waitForFinished(60000) || chromium.exitCode() != 0)
        qWarning("chromium did not draw the page: %s", chromium.readAllStandardError().constData());
}

void ShowMessages(ScreensSession& session, QNavigateWidget& navigate, int handle, const char* language) {
    TreeNode* messages = navigate.DeviceNode(handle)->FindChildOfKind(SUB_ITEM_MESSAGES);
    navigate.ClickTreeViewItem(navigate.Model()->IndexOf(messages));
    auto* view = qobject_cast<qmessageView*>(messages->Binding().view);
    if (!QTest::qWaitFor([&] { return view && view->GetChunkCount() > 0; }, 10000)) {
        qWarning("the messages did not load");
        return;
    }
    // The first conversation that holds a picture, with its bubbles drawn.
    for (int row = 0; row < view->GetChunkCount(); ++row) {
        auto* conversation = static_cast<CMessageChunk*>(view->GetChunk(row));
        const bool picture = std::any_of(conversation->messages.begin(), conversation->messages.end(),
                                         [](const auto& entry) { return !entry.attachments.empty(); });
        if (!picture)
            continue;
        view->Flow()->Table()->selectRow(row);
        view->Flow()->ShowConversation(conversation);
        break;
    }
    const QList<QFlowWidget*> bubbles = view->Flow()->PagedFlow()->PageWidgets();
    if (!QTest::qWaitFor(
            [&] {
                return std::any_of(bubbles.begin(), bubbles.end(),
                                   [](QFlowWidget* bubble) { return bubble->ShowsThumbnail(0); });
            },
            10000))
        qWarning("no thumbnail was drawn");
    ScreensSession::Save(&navigate, session.Picture(QStringLiteral("backup_device_messages"), language), 300);
    ShowWebExport(session, *view, language);
}

void ShowBackup(ScreensSession& session, const QString& folder, const char* language) {
    QNavigateWidget navigate;
    navigate.resize(1000, 640);
    navigate.show();
    // The simulator's demo phone plugs in in its own time and takes the page when it arrives: the
    // backup is opened once the phone is there.
    const auto phonePlugged = [&navigate] {
        for (TreeNode* node : navigate.Model()->Root()->Children())
            if (node->Kind() == NODE_DEVICE)
                return true;
        return false;
    };
    if (!QTest::qWaitFor(phonePlugged, 90000))
        qWarning("the demo phone did not arrive");
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
    if (!QTest::qWaitFor([&] { return view && view->RecordCount() > 0; }, 10000))
        qWarning("the contacts did not load");
    ScreensSession::Save(&navigate, session.Picture(QStringLiteral("backup_device_contacts"), language), 300);
    ShowMessages(session, navigate, handle, language);
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
