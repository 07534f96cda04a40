// Session figures: process start to main window shown, plug of the demo device to its information page,
// and the memory of the running program with that device shown.

#include <algorithm>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "BenchReport.h"
#include "CSingleDetectiPhone.h"
#include "LanguageConfig.h"
#include "LanguageService.h"
#include "MainWindow.h"
#include "QDeviceInformationWidget.h"
#include "QNavigateWidget.h"
#include "TreeNode.h"

namespace {

constexpr int kStartRuns = 7;
constexpr int kPlugRuns = 7;
const char* const kChildArgument = "--window-child";

// Prints one line once the watched window is first exposed on screen.
class ShownWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose || event->type() == QEvent::Paint) {
            std::printf("shown\n");
            std::fflush(stdout);
            QCoreApplication::exit(0);
            watched->removeEventFilter(this);
        }
        return false;
    }
};

// The start-up the program runs once its environment checks passed: language, style, main window.
int RunWindowChild(int argc, char* argv[]) {
    QApplication app(argc, argv);
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
    LanguageConfig config;
    SetLanguage(config.Current());
    app.setStyleSheet(QStringLiteral(
        "QToolTip {border-width: 1px;background-color:rgb(215,238,242);color:rgb(70,128,142);}"));
    MainWindow window;
    ShownWatcher watcher;
    window.installEventFilter(&watcher);
    window.show();
    return app.exec();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int SimCtl(const QStringList& arguments, QString* output = nullptr) {
    QProcess process;
    process.start(QStringLiteral(VEXA_BIN_DIR "/vexa-simctl"), arguments);
    process.waitForFinished(60000);
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool MeasureStart(const char* program, std::vector<double>& times) {
    for (int run = 0; run < kStartRuns; ++run) {
        QElapsedTimer timer;
        QProcess child;
        timer.start();
        child.start(QString::fromLocal8Bit(program), {QString::fromLatin1(kChildArgument)});
        if (!child.waitForReadyRead(10000))
            return false;
        times.push_back(timer.nsecsElapsed() / 1e6);
        child.waitForFinished(10000);
    }
    return true;
}

long StatusKilobytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLong();
    }
    return -1;
}

QDeviceInformationWidget* ShownPage(QNavigateWidget* navigate) {
    auto* page = qobject_cast<QDeviceInformationWidget*>(navigate->CurrentView());
    return page && page->isVisible() ? page : nullptr;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && qstrcmp(argv[1], kChildArgument) == 0)
        return RunWindowChild(argc, argv);

    QTemporaryDir simRoot;
    QTemporaryDir home;
    qputenv("VEXA_BACKEND", "sim");
    qputenv("VEXA_SIM_ROOT", simRoot.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Debug messages cost time; QT_LOGGING_RULES set by hand still shows them.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        qputenv("QT_LOGGING_RULES", "*.debug=false");

    // The demo device exists, unplugged, before the first start: an empty simulator root would make each
    // measured start generate a demo device of its own, which stays plugged in for the runs below.
    QString udid;
    if (SimCtl({"create-demo"}, &udid) != 0) {
        std::fprintf(stderr, "bench_session: vexa-simctl create-demo failed\n");
        return 1;
    }
    udid = udid.trimmed().section('\n', -1);
    SimCtl({"unplug", udid});

    // Start-up, with no device connected.
    std::vector<double> startTimes;
    if (!MeasureStart(argv[0], startTimes)) {
        std::fprintf(stderr, "bench_session: the window child did not report its window\n");
        return 1;
    }

    QApplication app(argc, argv);
    // The bench lives beside the program folder; images and translations are read from there.
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));

    MainWindow window;
    auto* navigate = window.findChild<QNavigateWidget*>();
    std::unique_ptr<QNavigateWidget> standalone;
    if (!navigate) {
        // A main window without the navigation widget yet: measure the widget on its own.
        standalone = std::make_unique<QNavigateWidget>();
        navigate = standalone.get();
        navigate->resize(1000, 640);
        navigate->show();
    } else {
        window.show();
    }
    QTest::qWait(300);

    // An unplug while a category still loads ends in that load's failure message; the benchmark answers
    // such messages so that a modal dialog cannot hold the runs.
    int messagesAnswered = 0;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&messagesAnswered] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ++messagesAnswered;
            modal->close();
        }
    });
    answerer.start(50);

    std::vector<double> pageTimes;
    std::vector<double> storageTimes;
    long rssWithDevice = -1;
    for (int run = 0; run < kPlugRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (SimCtl({"plug", udid}) != 0) {
            std::fprintf(stderr, "bench_session: vexa-simctl plug failed\n");
            return 1;
        }
        if (!QTest::qWaitFor([&] { return ShownPage(navigate) != nullptr; }, 10000)) {
            std::fprintf(stderr, "bench_session: no information page after plug\n");
            return 1;
        }
        pageTimes.push_back(timer.nsecsElapsed() / 1e6);
        QDeviceInformationWidget* page = ShownPage(navigate);
        auto* refresh = page->findChild<QWidget*>(QStringLiteral("m_btnRefresh"));
        if (refresh && QTest::qWaitFor([&] { return refresh->isEnabled(); }, 10000))
            storageTimes.push_back(timer.nsecsElapsed() / 1e6);
        if (run == kPlugRuns - 1) {
            QTest::qWait(500);
            rssWithDevice = StatusKilobytes("VmRSS:");
            break;
        }
        SimCtl({"unplug", udid});
        if (!QTest::qWaitFor([&] { return navigate->DeviceNodes().isEmpty(); }, 10000)) {
            std::fprintf(stderr, "bench_session: the device node stayed after unplug\n");
            return 1;
        }
    }

    std::printf("session: start to main window shown (median of %d): %.1f ms (min %.1f, max %.1f)\n",
                kStartRuns, Median(startTimes), *std::min_element(startTimes.begin(), startTimes.end()),
                *std::max_element(startTimes.begin(), startTimes.end()));
    std::printf("session: plug to information page (median of %d): %.1f ms (min %.1f, max %.1f)%s\n",
                kPlugRuns, Median(pageTimes), *std::min_element(pageTimes.begin(), pageTimes.end()),
                *std::max_element(pageTimes.begin(), pageTimes.end()),
                standalone ? " [navigation widget on its own]" : "");
    if (!storageTimes.empty())
        std::printf("session: plug to storage figures shown (median): %.1f ms\n", Median(storageTimes));
    std::printf("session: memory with the demo device shown: VmRSS %ld kB, VmHWM %ld kB\n", rssWithDevice,
                StatusKilobytes("VmHWM:"));
    if (messagesAnswered > 0)
        std::printf("session: %d failure message(s) of unplugged loads answered\n", messagesAnswered);
    BenchWatch("session.start_to_window", Median(startTimes), "ms");
    BenchWatch("session.plug_to_information_page", Median(pageTimes), "ms");
    if (!storageTimes.empty())
        BenchWatch("session.plug_to_storage_figures", Median(storageTimes), "ms");
    BenchWatch("session.rss_with_device", double(rssWithDevice), "kB");
    return 0;
}
