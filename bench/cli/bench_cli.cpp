// The command-line program against a simulated phone: how soon `vexa devices` answers from process
// start, and `vexa export contacts` of 20,000 contacts beside the contacts page's own load and export of
// the same device. Prints one line per figure with its limit.

#include <algorithm>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <vexa/vexa.h>

#include "BenchMessageCloser.h"
#include "BenchReport.h"
#include "CRecordFileExport.h"
#include "QContactsView.h"
#include "SimPhone.h"

namespace {

constexpr int kContacts = 20000;
constexpr int kRuns = 11;

// Wall time of one run of vexa, from the start of the process to its end; negative when it failed.
double RunVexa(const QStringList& arguments) {
    QElapsedTimer clock;
    QProcess process;
    clock.start();
    process.start(QStringLiteral(VEXA_BIN_DIR "/vexa"), arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        std::fprintf(stderr, "vexa %s: %s\n", qPrintable(arguments.join(QLatin1Char(' '))),
                     process.readAllStandardError().constData());
        return -1;
    }
    return double(clock.nsecsElapsed()) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("VEXA_SIM_ROOT", QFile::encodeName(home.filePath(QStringLiteral("simulator"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    qputenv("VEXA_BACKEND", "sim");
    qputenv("LANG", "C");
    QApplication app(argc, argv);
    const BenchMessageCloser messageCloser;

    vexa::sim::LargeDeviceSpec spec;
    spec.udid = "00008101-0000000000B0C0A8";
    spec.name = "Bench Phone";
    spec.contacts = kContacts;
    SimPhone phone;
    if (!phone.Plug(spec))
        return 1;

    int result = 0;
    std::vector<double> devices;
    for (int run = 0; run < kRuns; ++run)
        devices.push_back(RunVexa({QStringLiteral("devices")}));
    if (*std::min_element(devices.begin(), devices.end()) < 0)
        return 1;
    std::printf("%-44s %9.1f ms  (limit %6.0f ms)\n", "vexa devices, process start to end (median)",
                Median(devices), 150.0);
    if (!BenchFigure("cli.devices_median", Median(devices), "ms", 150))
        result = 1;
    BenchWatch("cli.devices_worst", *std::max_element(devices.begin(), devices.end()), "ms");

    // The window: the contacts page reads the device and writes the file.
    double windowMs = 0;
    {
        QContactsView view(phone.Manager(), phone.Handle());
        QSignalSpy loaded(&view, &QBaseDetailsView::loadFinished);
        QElapsedTimer clock;
        clock.start();
        view.OnRefreshContacts();
        if (!loaded.wait(60000))
            return 1;
        view.OnHeaderCheckChange(true);
        if (!CRecordFileExport::Export(view,
                                       home.filePath(QStringLiteral("window/contacts.vcf")).toStdString()))
            return 1;
        windowMs = double(clock.nsecsElapsed()) / 1e6;
    }
    std::vector<double> exports;
    for (int run = 0; run < 3; ++run)
        exports.push_back(RunVexa({QStringLiteral("export"), QStringLiteral("contacts"),
                                   QStringLiteral("--to"), home.filePath(QStringLiteral("cli"))}));
    const double cliMs = Median(exports);
    if (cliMs < 0)
        return 1;
    std::printf("%-44s %9.1f ms\n", "window: read and export 20,000 contacts", windowMs);
    std::printf("%-44s %9.1f ms\n", "vexa export contacts (whole process)", cliMs);
    std::printf("%-44s %9.2f     (limit %6.2f)\n", "vexa / window", cliMs / windowMs, 1.2);
    BenchWatch("cli.window_contacts_export", windowMs, "ms");
    BenchWatch("cli.export_contacts", cliMs, "ms");
    if (!BenchFigure("cli.export_contacts_ratio", cliMs / windowMs, "x", 1.2, 2))
        result = 1;
    return result;
}
