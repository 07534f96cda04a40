#include <memory>

#include <QApplication>

#include "ApplicationLook.h"
#include "CCrashGuard.h"
#include "CheckDownloadDlg.h"
#include "CrashReport.h"
#include "LanguageConfig.h"
#include "LanguageService.h"
#include "MainWindow.h"
#include "StartupChecks.h"
#include "WindowPlacement.h"

namespace {

void ApplySavedLanguage() {
    const LanguageConfig config;
    SetLanguage(config.Current());
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    // The checks before the main window already talk to the user: they speak the saved language too, and
    // their images come from its folder.
    ApplySavedLanguage();

    // Started by the crash handler: show the report for the crashed run in its language, then end.
    if (qEnvironmentVariableIsSet(kCrashReportVariable)) {
        RunPendingCrashReport();
        return 0;
    }

    // No transport check here: without usbmuxd the waiting page says what to plug in or install, and
    // devices appear once the daemon starts.
    auto downloadDlg = std::make_unique<CheckDownloadDlg>();
    if (!CheckDriverFiles()) {
        downloadDlg->StartDownload(QString::fromLatin1(kITunesLibrary));
        if (downloadDlg->exec() == 0)
            return 0;
    }

    auto crashGuard = std::make_unique<CCrashGuard>();
    auto config = std::make_unique<LanguageConfig>();
    SetLanguage(config->Current());
    ApplyApplicationLook();

    auto window = std::make_unique<MainWindow>();
    // In the middle of the screen rather than at its corner.
    CentreOn(window.get(), nullptr);
    window->show();
    ScheduleCrashSelfTest();
    const int exitCode = app.exec();

    window.reset();
    config.reset();
    crashGuard.reset();
    downloadDlg.reset();
    return exitCode;
}
