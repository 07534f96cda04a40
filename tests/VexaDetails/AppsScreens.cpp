// Renders the apps page (table with icons and row buttons) and the install dialog halfway through, in
// English and German, into PNG files, so their look can be checked by eye.
// Usage: apps_screens <output folder>
#include <atomic>
#include <filesystem>

#include <QApplication>
#include <QDir>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "LanguageService.h"
#include "QAppsView.h"
#include "QInstallDlg.h"
#include "QMySortModel.h"
#include "sim/ContentServices.h"

namespace {

const char* const kUdid = "00008101-00000000005A9901";
std::atomic<int> g_handle{0};

int OnDevice(int mode, int handle) {
    if (mode == VEXA_DEVICE_ARRIVED)
        g_handle = handle;
    return 0;
}

void Save(QWidget* widget, const QString& path) {
    QTest::qWait(80);
    if (!widget->grab().save(path))
        qWarning("can't save %s", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens");
    QDir().mkpath(output);
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("VEXA_SIM_ROOT", home.filePath(QStringLiteral("simulator")).toLocal8Bit());
    qputenv("VEXA_BACKEND", "sim");
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));

    const std::filesystem::path root = home.filePath(QStringLiteral("simulator")).toStdString();
    std::filesystem::create_directories(root);
    if (vexa::sim::GenerateDemoDevice(root, kUdid, "Screens Phone") != 0)
        return 1;
    IOSInitialize();
    IOSListener(OnDevice);
    if (!QTest::qWaitFor([] { return g_handle != 0; }, 10000))
        return 1;
    IVexaManager* manager = GetVexaManager();
    if (manager->SetDeviceHandle(g_handle) != 0)
        return 1;

    const struct {
        int code;
        const char* name;
    } languages[] = {{31, "en"}, {42, "de"}};
    for (const auto& language : languages) {
        SetLanguage(language.code);
        QAppsView view(manager, g_handle);
        view.resize(860, 480);
        view.show();
        view.refreshData();
        if (!QTest::qWaitFor([&] { return !view.IsRunning(); }, 10000))
            qWarning("the load did not end");
        QTest::qWait(100);
        view.TableView()->selectRow(2);
        Save(&view, QStringLiteral("%1/apps_table_%2.png").arg(output, language.name));

        // The dialog as it looks while the device installs: the view's timer is held, the stage and
        // the bar are set by hand.
        QInstallDlg dialog(QInstallDlg::Mode::Install, &view);
        dialog.SetStageText(QAppsView::tr("installing..."));
        dialog.setProValue(56);
        dialog.show();
        Save(&dialog, QStringLiteral("%1/apps_install_%2.png").arg(output, language.name));
        dialog.Finish();
        QInstallDlg uninstall(QInstallDlg::Mode::Uninstall, &view);
        uninstall.SetStageText(QAppsView::tr("Please wait for the refresh..."));
        uninstall.setProValue(93);
        uninstall.show();
        Save(&uninstall, QStringLiteral("%1/apps_uninstall_%2.png").arg(output, language.name));
        uninstall.Finish();
    }
    DeleteVexaManager(&manager);
    IOSListener(nullptr);
    return 0;
}
