// The books page with 5,000 books on a simulated device: from the refresh press to the filled table,
// a first load and a reload, and the longest time the GUI thread went without handling a timer
// meanwhile. Prints one line per figure with its limit, and the same as "BENCH <name> <value> <unit>
// <limit>".

#include <cstdio>

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTest>

#include <vexa/vexa.h>

#include "BenchHeartbeat.h"
#include "BenchReport.h"
#include "BenchSimApplication.h"
#include "QImageButton.h"
#include "QOperatePanel.h"
#include "QiBookAnalysisThread.h"
#include "QiBookView.h"
#include "SimPhone.h"
#include "sim/ContentServices.h"

namespace {

constexpr int kBooks = 5000;
} // namespace

int main(int argc, char** argv) {
    const BenchSimApplication application(argc, argv);

    QElapsedTimer clock;
    clock.start();
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = "00008101-0000000000B0B00C";
    spec.name = "Bench Pad";
    spec.books = kBooks;
    SimPhone phone;
    if (!phone.Plug(spec))
        return 1;
    std::printf("made and plugged in %d books in %.1f s\n", kBooks, double(clock.elapsed()) / 1000.0);
    IVexaManager* manager = phone.Manager();

    int result = 0;
    {
        // Wired as the navigation tree wires the page and its loader.
        QiBookView view(manager, phone.Handle());
        QiBookAnalysisThread loader(manager);
        loader.SetCallback(&view);
        view.SetChunkList(loader.Records());
        QObject::connect(&loader, &QiBookAnalysisThread::loadStarting, &view, &QiBookView::OnLoadStarting);
        QObject::connect(&view, &QiBookView::clickRefresh, &loader, &QiBookAnalysisThread::refresh);
        bool filled = false;
        QObject::connect(&loader, &QiBookAnalysisThread::emitRefreshiBookNode, &view, [&](int) {
            view.ShowBookCount(loader.RecordCount(), loader.LastLoadListed());
            filled = true;
        });
        view.resize(1000, 700);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            std::fprintf(stderr, "the view was not shown\n");
        auto* refresh = view.OperatePanel()->findChild<QImageButton*>(QStringLiteral("m_refreshBtn"));

        for (int round = 0; round < 2; ++round) {
            filled = false;
            BenchHeartbeat heartbeat;
            const double loadMs = TimeLoad([&] { QTest::mouseClick(refresh, Qt::LeftButton); },
                                           [&] { return filled; }, [&] { view.TableView()->repaint(); });
            const qint64 longestGap = heartbeat.Stop(false);
            const int rows = view.TableView()->model()->rowCount();
            if (rows != kBooks || view.State() != QBaseDetailsView::ContentState::Table) {
                std::fprintf(stderr, "the table shows %d rows\n", rows);
                result = 1;
            }
            const bool first = round == 0;
            result |= !BenchReportMs(
                first ? "books_load" : "books_reload",
                first ? "refresh press to filled table" : "second refresh to filled table", loadMs, 300);
            result |= !BenchReportMs(first ? "books_load_gui_pause" : "books_reload_gui_pause",
                                     "longest GUI pause during the load", double(longestGap), 100);
        }
    }
    return result;
}
