// Renders the connecting and failed screens in every language into PNG files, so their look can be
// checked by eye. Usage: connection_screens <output folder>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "ConnectWidget.h"
#include "LanguageService.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens");
    QDir().mkpath(output);
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));

    const struct {
        int code;
        const char* name;
    } languages[] = {{31, "en"}, {42, "de"}, {25, "zh"}};
    int failures = 0;
    for (const auto& language : languages) {
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
