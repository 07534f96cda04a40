// The messages page with 200,000 messages in 2,000 conversations on a simulated device: the load from
// the refresh button to the filled table (and the longest time the GUI thread went without handling a
// timer meanwhile), switching conversations, paging, and the export of every conversation. Prints one
// line per figure with its limit, and the same as "BENCH <name> <value> <unit> <limit>".

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTest>

#include <vexa/vexa.h>

#include "BenchHeartbeat.h"
#include "BenchSimApplication.h"
#include "CRecordFileExport.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QMessageFlow.h"
#include "QMessageModel.h"
#include "QOperatePanel.h"
#include "QPagedFlowViewerWidget.h"
#include "SimPhone.h"
#include "qmessageView.h"
#include "sim/ContentServices.h"

namespace {

constexpr int kMessages = 200000; // the generator makes one conversation per 100 messages
bool Report(const char* name, const char* what, double ms, double limitMs) {
    std::printf("%-44s %9.1f ms  (limit %6.0f ms)  %s\n", what, ms, limitMs, ms <= limitMs ? "ok" : "OVER");
    std::printf("BENCH %s %.1f ms %.0f\n", name, ms, limitMs);
    std::fflush(stdout);
    return ms <= limitMs;
}

// Lets the page settle as the event loop would: layout, deferred deletes of the last page, paint.
void Settle(QWidget* widget) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    widget->repaint();
}

} // namespace

int main(int argc, char** argv) {
    const BenchSimApplication home(argc, argv);

    QElapsedTimer clock;
    clock.start();
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = "00008101-0000000000B0C0A8";
    spec.name = "Bench Phone";
    spec.messages = kMessages;
    SimPhone phone;
    if (!phone.Plug(spec))
        return 1;
    std::printf("made and plugged in %d messages in %.1f s\n", kMessages, double(clock.elapsed()) / 1000.0);
    IVexaManager* manager = phone.Manager();

    int result = 0;
    {
        qmessageView view(manager, phone.Handle());
        view.resize(1000, 700);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            std::fprintf(stderr, "the view was not shown\n");
        QMessageFlow* flow = view.Flow();
        QPagedFlowViewerWidget* paged = flow->PagedFlow();

        for (int round = 0; round < 2; ++round) {
            bool filled = false;
            const auto connection =
                QObject::connect(&view, &qmessageView::refreshMSGNode, [&] { filled = true; });
            auto* refresh = view.OperatePanel()->findChild<QImageButton*>(QStringLiteral("m_refreshBtn"));
            BenchHeartbeat heartbeat;
            const double loadMs = TimeLoad([&] { QTest::mouseClick(refresh, Qt::LeftButton); },
                                           [&] { return filled; }, [&] { Settle(&view); });
            const qint64 longestGap = heartbeat.Stop(true);
            QObject::disconnect(connection);
            if (view.MessageModel()->rowCount() != kMessages / 100 || paged->PageWidgets().isEmpty()) {
                std::fprintf(stderr, "the table shows %d rows, the page %d bubbles\n",
                             view.MessageModel()->rowCount(), int(paged->PageWidgets().size()));
                result = 1;
            }
            const bool first = round == 0;
            result |= !Report(first ? "messages_load" : "messages_reload",
                              first ? "refresh press to filled table" : "second refresh to filled table",
                              loadMs, 1500);
            result |= !Report(first ? "messages_load_gui_pause" : "messages_reload_gui_pause",
                              "longest GUI pause during the load", double(longestGap), 100);
        }

        // Switching between conversations, as a user clicks down the table.
        QTableView* table = flow->Table();
        double worst = 0;
        double total = 0;
        constexpr int kSwitches = 60;
        for (int i = 1; i <= kSwitches; ++i) {
            const QModelIndex row = table->model()->index((i * 37) % table->model()->rowCount(), 0);
            clock.restart();
            table->setCurrentIndex(row);
            emit table->clicked(row);
            Settle(&view);
            const double ms = double(clock.nsecsElapsed()) / 1e6;
            worst = std::max(worst, ms);
            total += ms;
        }
        result |= !Report("messages_switch_worst", "switch conversation (worst)", worst, 50);
        result |= !Report("messages_switch_mean", "switch conversation (mean)", total / kSwitches, 50);

        // Paging through a conversation of 100 messages (5 pages), forwards and back.
        worst = 0;
        total = 0;
        int pages = 0;
        for (int pass = 0; pass < 4; ++pass) {
            for (int step = 0; step < 4; ++step) {
                clock.restart();
                if (pass % 2 == 0)
                    paged->OnClickBtnNext();
                else
                    paged->OnClickBtnPrev();
                Settle(&view);
                const double ms = double(clock.nsecsElapsed()) / 1e6;
                worst = std::max(worst, ms);
                total += ms;
                ++pages;
            }
        }
        result |= !Report("messages_page_worst", "page turn (worst)", worst, 50);
        result |= !Report("messages_page_mean", "page turn (mean)", total / pages, 50);

        view.OnHeaderCheckChange(true);
        const std::string txt = home.FilePath(QStringLiteral("all.txt")).toStdString();
        clock.restart();
        CRecordFileExport::Export(view, txt);
        const double textMs = double(clock.nsecsElapsed()) / 1e6;
        result |= !Report("messages_export_txt", "export 2,000 conversations to txt", textMs, 1000);
        std::printf("%46s %lld bytes\n", "", (long long)std::filesystem::file_size(txt));
        // Not limited; for comparison.
        for (const char* name : {"all.xml", "all.xls"}) {
            const std::string path = home.FilePath(QString::fromLatin1(name)).toStdString();
            clock.restart();
            CRecordFileExport::Export(view, path);
            std::printf("%-44s %9.1f ms  (%lld bytes, no limit)\n", name, double(clock.nsecsElapsed()) / 1e6,
                        (long long)std::filesystem::file_size(path));
        }
    }
    return result;
}
