// The apps page with 500 apps, each with its icon, on a simulated device: the load from the refresh
// button to the filled table with its icons drawn, and the longest time the GUI thread went without
// handling a timer meanwhile. Prints one line per figure with its limit, and the same as
// "BENCH <name> <value> <unit> <limit>".

#include <cstdio>

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTest>

#include <vexa/vexa.h>

#include "BenchHeartbeat.h"
#include "BenchReport.h"
#include "BenchSimApplication.h"
#include "QAppsChunk.h"
#include "QAppsView.h"
#include "QAppsViewModel.h"
#include "QImageButton.h"
#include "QOperatePanel.h"
#include "SimPhone.h"
#include "sim/ContentServices.h"

namespace {

constexpr int kApps = 500;
// Every app of the table holds a decoded icon.
int AppsWithIcons(const QAppsView& view) {
    int count = 0;
    for (int row = 0; row < view.AppsModel()->rowCount(); ++row)
        count += view.AppsModel()->AppAt(row)->Icon().isNull() ? 0 : 1;
    return count;
}

} // namespace

int main(int argc, char** argv) {
    const BenchSimApplication application(argc, argv);

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
            bool filled = false;
            const auto connection =
                QObject::connect(&view, &QAppsView::emitRefreshAppNode, [&] { filled = true; });
            auto* refresh = view.OperatePanel()->findChild<QImageButton*>(QStringLiteral("m_refreshBtn"));
            BenchHeartbeat heartbeat;
            const double loadMs =
                TimeLoad([&] { QTest::mouseClick(refresh, Qt::LeftButton); }, [&] { return filled; },
                         [&] {
                             // The rows on screen get their buttons and the icons are painted.
                             QCoreApplication::processEvents();
                             view.repaint();
                         });
            const qint64 longestGap = heartbeat.Stop(true);
            QObject::disconnect(connection);
            const int icons = AppsWithIcons(view);
            if (view.AppsModel()->rowCount() != kApps || icons != kApps) {
                std::fprintf(stderr, "the table shows %d rows, %d with icons\n", view.AppsModel()->rowCount(),
                             icons);
                result = 1;
            }
            const bool first = round == 0;
            result |= !BenchReportMs(first ? "apps_load" : "apps_reload",
                                     first ? "refresh press to filled table with icons"
                                           : "second refresh to filled table",
                                     loadMs, 1000);
            result |= !BenchReportMs(first ? "apps_load_gui_pause" : "apps_reload_gui_pause",
                                     first ? "longest GUI pause during the load"
                                           : "longest GUI pause during the reload",
                                     double(longestGap), 100);
        }
    }
    return result;
}
