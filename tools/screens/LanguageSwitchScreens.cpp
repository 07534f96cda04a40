// Opens the main window in English with a simulated phone, then switches the language live to German
// and to Chinese, saving a few pages after each switch, so that what follows the switch can be checked
// by eye. Usage: language_switch_screens <output folder>
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "LanguageService.h"
#include "MainWindow.h"
#include "QNavigateWidget.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "TreeView.h"

namespace {

int SimCtl(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(VEXA_BIN_DIR "/vexa-simctl"), arguments);
    return process.waitForFinished(30000) ? process.exitCode() : -1;
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("VEXA_SIM_ROOT", home.filePath(QStringLiteral("simulator")).toLocal8Bit());
    qputenv("VEXA_BACKEND", "sim");
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens");
    QDir().mkpath(output);
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
    SetLanguage(31);

    MainWindow window;
    window.resize(1100, 720);
    window.show();
    QNavigateWidget* navigate = window.NavigateWidget();
    if (SimCtl({"create", "--udid", "00008101-00000000000A0001", "--name", "Demo Phone", "--product-type",
                "iPhone8,1", "--songs", "3"}) != 0 ||
        !QTest::qWaitFor([&] { return !navigate->DeviceNodes().isEmpty(); }, 15000)) {
        qWarning("No simulated phone arrived");
        return 1;
    }
    TreeNode* device = navigate->DeviceNodes().first();
    const struct {
        int kind;
        const char* name;
    } pages[] = {{4, "contacts"}, {6, "apps"}, {3, "books"}};
    auto visit = [&](int kind) {
        navigate->ClickTreeViewItem(navigate->Model()->IndexOf(device->FindChildOfKind(kind)));
        QTest::qWait(1500);
    };
    // Each page loads once in English; the contacts node shows its groups.
    for (const auto& page : pages)
        visit(page.kind);
    navigate->Tree()->expand(navigate->Model()->IndexOf(device->FindChildOfKind(4)));
    int failures = 0;
    for (const auto& [code, name] : {std::pair{42, "de"}, std::pair{25, "zh"}, std::pair{31, "en"}}) {
        SetLanguage(code);
        for (const auto& page : pages) {
            visit(page.kind);
            const QString path =
                QStringLiteral("%1/%2_%3.png").arg(output, QLatin1String(page.name), QLatin1String(name));
            failures += window.grab().save(path) ? 0 : 1;
        }
    }
    SimCtl({"unplug", "00008101-00000000000A0001"});
    return failures;
}
