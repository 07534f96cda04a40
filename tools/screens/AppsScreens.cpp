// Renders the apps page (table with icons and row buttons) and the install dialog halfway through, in
// English and German, into PNG files, so their look can be checked by eye.
// Usage: apps_screens <output folder>

#include <QApplication>
#include <QTableView>
#include <QTest>

#include "LanguageService.h"
#include "QAppsView.h"
#include "QInstallDlg.h"
#include "QMySortModel.h"
#include "ScreensSession.h"

namespace {

const char* const kUdid = "00008101-00000000005A9901";
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ScreensSession session(argc, argv);
    if (!session.GenerateDemo(kUdid, "Screens Phone") || !session.Connect({kUdid}) || !session.Manager(kUdid))
        return 1;
    IVexaManager* manager = session.Manager(kUdid);
    const int handle = session.Handle(kUdid);

    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        QAppsView view(manager, handle);
        view.resize(860, 480);
        view.show();
        view.refreshData();
        if (!QTest::qWaitFor([&] { return !view.IsRunning(); }, 10000))
            qWarning("the load did not end");
        QTest::qWait(100);
        view.TableView()->selectRow(2);
        ScreensSession::Save(&view, session.Picture(QStringLiteral("apps_table"), language.name));

        // The dialog as it looks while the device installs: the view's timer is held, the stage and
        // the bar are set by hand.
        QInstallDlg dialog(QInstallDlg::Mode::Install, &view);
        dialog.SetStageText(QAppsView::tr("installing..."));
        dialog.setProValue(56);
        dialog.show();
        ScreensSession::Save(&dialog, session.Picture(QStringLiteral("apps_install"), language.name));
        dialog.Finish();
        QInstallDlg uninstall(QInstallDlg::Mode::Uninstall, &view);
        uninstall.SetStageText(QAppsView::tr("Please wait for the refresh..."));
        uninstall.setProValue(93);
        uninstall.show();
        ScreensSession::Save(&uninstall, session.Picture(QStringLiteral("apps_uninstall"), language.name));
        uninstall.Finish();
    }
    return 0;
}
