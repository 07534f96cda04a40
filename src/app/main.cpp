#include <memory>

#include <QApplication>

#include "ApplicationLook.h"
#include "CCrashGuard.h"
#include "CMessagePrompt.h"
#include "CheckDownloadDlg.h"
#include "CrashReport.h"
#include "LanguageConfig.h"
#include "LanguageService.h"
#include "MainWindow.h"
#include "QMessageDlg.h"
#include "StartupChecks.h"

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

    if (!IsAppleSupportInstalled()) {
        CMessagePrompt::Show(
            QCoreApplication::translate(
                "main",
                "No iTunes is installed on this computer. Please install it first. The drive containing the "
                "installation package of iTunes will be used when scanning your device. Go to Apple official "
                "website to download iTunes."),
            QString(), MSG_WARNING);
        return 0;
    }

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
    window->show();
    ScheduleCrashSelfTest();
    const int exitCode = app.exec();

    window.reset();
    config.reset();
    crashGuard.reset();
    downloadDlg.reset();
    return exitCode;
}
