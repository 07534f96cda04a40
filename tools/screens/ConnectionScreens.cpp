// Renders the connecting and failed screens in every language into PNG files, so their look can be
// checked by eye. Usage: connection_screens <output folder>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

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

    int failures = 0;
    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        for (int state : {1, 2}) {
            ConnectWidget page;
            page.resize(620, 650);
            page.setConnectState(state);
            page.show();
            QTest::qWait(200);
            const QString path =
                QStringLiteral("%1/%2_%3.png")
                    .arg(output, state == 1 ? QStringLiteral("connecting") : QStringLiteral("failed"),
                         QLatin1String(language.name));
            failures += page.grab().save(path) ? 0 : 1;
        }
    }
    return failures;
}
