// The apps page with 500 apps, each with its icon, on a simulated device: the load from the refresh
// button to the filled table with its icons drawn, and the longest time the GUI thread went without
// handling a timer meanwhile. Prints one line per figure with its limit, and the same as
// "BENCH <name> <value> <unit> <limit>".

#include <algorithm>
#include <cstdio>
#include <functional>

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <vexa/vexa.h>

#include "BenchMessageCloser.h"
#include "BenchReport.h"
#include "LanguageService.h"
#include "QAppsChunk.h"
#include "QAppsView.h"
#include "QAppsViewModel.h"
#include "QImageButton.h"
#include "QOperatePanel.h"
#include "SimPhone.h"
#include "sim/ContentServices.h"

namespace {

constexpr int kApps = 500;
bool Report(const char* name, const char* what, double ms, double limitMs) {
    std::printf("%-44s %9.1f ms  (limit %6.0f ms)  %s\n", what, ms, limitMs, ms <= limitMs ? "ok" : "OVER");
    return BenchFigure(name, ms, "ms", limitMs);
}

void ProcessUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Every app of the table holds a decoded icon.
int AppsWithIcons(const QAppsView& view) {
    int count = 0;
    for (int row = 0; row < view.AppsModel()->rowCount(); ++row)
        count += view.AppsModel()->AppAt(row)->Icon().isNull() ? 0 : 1;
    return count;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("VEXA_SIM_ROOT", QFile::encodeName(home.filePath(QStringLiteral("simulator"))));
    qputenv("VEXA_BACKEND", "sim");
    QApplication app(argc, argv);
    SetAppDirPathForTesting(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
    const BenchMessageCloser messageCloser;

    QElapsedTimer clock;
    clock.start();
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = "00008101-0000000000A0B0A8";
    spec.name = "Bench Phone";
    spec.apps = kApps;
    SimPhone phone;
    if (!phone.Plug(spec))
        return 1;
    std::printf("made and plugged in %d apps in %.1f s\n", kApps, double(clock.elapsed()) / 1000.0);
    IVexaManager* manager = phone.Manager();

    int result = 0;
    {
        QAppsView view(manager, phone.Handle());
        view.resize(1000, 700);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            std::fprintf(stderr, "the view was not shown\n");
        for (int round = 0; round < 2; ++round) {
            // The GUI thread's heartbeat: the longest gap between two ticks while the load runs.
            QElapsedTimer beat;
            qint64 longestGap = 0;
            QTimer ticker;
            ticker.setInterval(2);
            QObject::connect(&ticker, &QTimer::timeout,
                             [&] { longestGap = std::max(longestGap, beat.restart()); });
            bool filled = false;
            const auto connection =
                QObject::connect(&view, &QAppsView::emitRefreshAppNode, [&] { filled = true; });
            auto* refresh = view.OperatePanel()->findChild<QImageButton*>(QStringLiteral("m_refreshBtn"));
            beat.start();
            ticker.start();
            clock.restart();
            QTest::mouseClick(refresh, Qt::LeftButton);
            ProcessUntil([&] { return filled; }, 60000);
            // The rows on screen get their buttons and the icons are painted.
            QCoreApplication::processEvents();
            view.repaint();
            const double loadMs = double(clock.nsecsElapsed()) / 1e6;
            const qint64 ticksFrom = beat.elapsed();
            ProcessUntil([&] { return beat.elapsed() < ticksFrom; }, 1000);
            ticker.stop();
            QObject::disconnect(connection);
            const int icons = AppsWithIcons(view);
            if (view.AppsModel()->rowCount() != kApps || icons != kApps) {
                std::fprintf(stderr, "the table shows %d rows, %d with icons\n", view.AppsModel()->rowCount(),
                             icons);
                result = 1;
            }
            const bool first = round == 0;
            result |=
                !Report(first ? "apps_load" : "apps_reload",
                        first ? "refresh press to filled table with icons" : "second refresh to filled table",
                        loadMs, 1000);
            result |=
                !Report(first ? "apps_load_gui_pause" : "apps_reload_gui_pause",
                        first ? "longest GUI pause during the load" : "longest GUI pause during the reload",
                        double(longestGap), 100);
        }
    }
    return result;
}
