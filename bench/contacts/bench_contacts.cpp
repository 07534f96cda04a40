// The contacts page with 20,000 contacts on a simulated device: the load from the refresh button to
// the filled table (and how long the GUI thread went without handling a timer meanwhile), the search
// per keystroke, and the export of all contacts to each record format. Prints one line per figure
// with its limit.

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTest>

#include <vexa/vexa.h>

#include "BenchHeartbeat.h"
#include "BenchReport.h"
#include "BenchSimApplication.h"
#include "CRecordFileExport.h"
#include "QContactsModel.h"
#include "QContactsView.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"
#include "SimPhone.h"
#include "sim/ContentServices.h"

namespace {

constexpr int kContacts = 20000;
} // namespace

int main(int argc, char** argv) {
    const BenchSimApplication home(argc, argv);

    QElapsedTimer clock;
    clock.start();
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = "00008101-0000000000B0C0A7";
    spec.name = "Bench Phone";
    spec.contacts = kContacts;
    SimPhone phone;
    if (!phone.Plug(spec))
        return 1;
    std::printf("made and plugged in %d contacts in %.1f s\n", kContacts, double(clock.elapsed()) / 1000.0);
    IVexaManager* manager = phone.Manager();

    int result = 0;
    {
        QContactsView view(manager, phone.Handle());
        view.resize(1000, 700);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            std::fprintf(stderr, "the view was not shown\n");

        bool filled = false;
        QObject::connect(&view, &QContactsView::emitRefreshContactsNode, [&] { filled = true; });
        auto* refresh = view.OperatePanel()->findChild<QImageButton*>(QStringLiteral("m_refreshBtn"));
        BenchHeartbeat heartbeat;
        const double loadMs =
            TimeLoad([&] { QTest::mouseClick(refresh, Qt::LeftButton); }, [&] { return filled; },
                     [&] { view.TableView()->viewport()->repaint(); });
        const qint64 longestGap = heartbeat.Stop(true);
        if (view.ContactsModel()->rowCount() != kContacts) {
            std::fprintf(stderr, "the table shows %d rows\n", view.ContactsModel()->rowCount());
            result = 1;
        }
        BenchReportMs("contacts.refresh_to_filled_table", "refresh press to filled table", loadMs, 1000);
        BenchReportMs("contacts.longest_gui_pause", "longest GUI pause during the load", double(longestGap),
                      16);

        // One keystroke after another, as a user types a name and then a number.
        const char* typed[] = {"M", "Mü", "Mül", "Müll", "Mülle", "Müller",  "Müller 1", "Müller 19",
                               "5", "55", "555", "",     "[",     "Ann|Bob", ""};
        double worst = 0;
        double total = 0;
        for (const char* text : typed) {
            clock.restart();
            view.OnSearchString(QString::fromUtf8(text));
            view.TableView()->viewport()->repaint();
            const double ms = double(clock.nsecsElapsed()) / 1e6;
            worst = std::max(worst, ms);
            total += ms;
        }
        BenchReportMs("contacts.search_keystroke_worst", "search per keystroke (worst)", worst, 100);
        BenchReportMs("contacts.search_keystroke_mean", "search per keystroke (mean)",
                      total / double(std::size(typed)), 100);

        view.OnHeaderCheckChange(true);
        const struct {
            const char* name;
            const char* label;
            const char* file;
            double limitMs;
        } exports[] = {{"contacts.view_export_vcf", "export 20,000 contacts to vcf", "all.vcf", 300},
                       {"contacts.view_export_xml", "export 20,000 contacts to xml", "all.xml", 500},
                       {"contacts.view_export_txt", "export 20,000 contacts to txt", "all.txt", 500},
                       {"contacts.view_export_xls", "export 20,000 contacts to xls", "all.xls", 1000}};
        for (const auto& format : exports) {
            const std::string path = home.FilePath(QString::fromLatin1(format.file)).toStdString();
            clock.restart();
            CRecordFileExport::Export(view, path);
            const double ms = double(clock.nsecsElapsed()) / 1e6;
            BenchReportMs(format.name, format.label, ms, format.limitMs);
            std::printf("%46s %lld bytes\n", "", (long long)std::filesystem::file_size(path));
        }
    }
    return result;
}
