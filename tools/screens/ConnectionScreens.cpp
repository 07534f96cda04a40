// Renders the waiting (usbmuxd not started, not installed), connecting and failed screens in every
// language into PNG files, so their look can be checked by eye. Usage: connection_screens <output folder>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "ConnectWidget.h"
#include "LanguageService.h"
#include "ScreensSession.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString output = ScreensOutput(argc, argv);
    QDir().mkpath(output);
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
    // The installed program on a computer where usbmuxd has not started yet.
    qputenv("VEXA_BACKEND", "auto");
    qputenv("USBMUXD_SOCKET_ADDRESS", "UNIX:" + home.filePath(QStringLiteral("usbmuxd")).toLocal8Bit());
    IOSInitialize();

    int failures = 0;
    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        const char* names[] = {"waiting", "connecting", "failed", "not-installed"};
        for (int state : {0, 1, 2, 3}) {
            ConnectWidget page;
            page.resize(620, 650);
            page.setConnectState(state == 3 ? 0 : state);
            page.show();
            if (state == 3)
                page.ShowTransport(VEXA_TRANSPORT_NOT_INSTALLED); // usbmuxd is installed here
            QTest::qWait(200);
            const QString path = QStringLiteral("%1/%2_%3.png")
                                     .arg(output, QLatin1String(names[state]), QLatin1String(language.name));
            failures += page.grab().save(path) ? 0 : 1;
        }
    }
    return failures;
}
