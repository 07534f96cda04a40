#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QThread>

#include <malloc.h>
#include <unistd.h>

#include "ApplicationLook.h"
#include "CSingleDetectiPhone.h"
#include "MessageCatcher.h"
#include "QBaseDetailsView.h"
#include "QDeviceInformationWidget.h"
#include "QNavigateWidget.h"
#include "QPlayAnalysisTread.h"
#include "QiBookAnalysisThread.h"
#include "SimCtl.h"
#include "TreeModel.h"
#include "TreeNode.h"

// Live heap of a sanitizer runtime, when one is linked in: its quarantine and shadow memory make the
// resident size grow for reasons of its own.
extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

// Plugs and unplugs two simulated devices many times while their category views load (and, every fifth
// cycle, while the information page still reads the storage figures), and checks that the program ends
// each cycle with nothing of the devices left and its memory flat. The figures
// go to standard output directly: the program's debug lines exhaust Qt Test's message limit long
// before the soak ends.

namespace {
const char* const kUdids[] = {"00008101-0000000000000F41", "00008101-0000000000000F42"};
const char* const kNames[] = {"Soak Phone", "Soak Pad"};
constexpr int kDefaultCycles = 200;
constexpr int kWarmUpCycles = 10;
constexpr double kAllowedGrowth = 0.10;
constexpr int kTimeout = 15000;

int Cycles() {
    bool ok = false;
    const int cycles = qEnvironmentVariableIntValue("VEXA_SOAK_CYCLES", &ok);
    return ok && cycles > kWarmUpCycles ? cycles : kDefaultCycles;
}

qint64 ResidentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}
} // namespace

class tst_soak : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // Created before the program starts, so that it makes no demo device of its own.
        for (int i = 0; i < 2; ++i) {
            if (Sim({"plug", kUdids[i]}) == 0)
                continue;
            QCOMPARE(Sim({"create",    "--udid",     kUdids[i], "--name",     kNames[i], "--product-type",
                          "iPhone8,1", "--contacts", "20",      "--messages", "10",      "--photos",
                          "4",         "--songs",    "3",       "--videos",   "1",       "--apps",
                          "2",         "--books",    "1"}),
                     0);
        }
        // The program's own look: how widgets are styled decides what Qt caches for each of them.
        ApplyApplicationLook();
        m_navigate = new QNavigateWidget;
        m_navigate->resize(960, 600);
        m_navigate->show();
        QVERIFY(QTest::qWaitFor([this] { return m_navigate->DeviceNodes().size() == 2; }, kTimeout));
        QVERIFY(UnplugBoth());
    }

    void cleanupTestCase() {
        delete m_navigate;
        m_navigate = nullptr;
        QVERIFY(CSingleDetectiPhone::Instance()->Managers().isEmpty());
    }

    void plugAndUnplugTwoDevicesWhileTheViewsLoad() {
        const int cycles = Cycles();
        const int treeRows = m_navigate->Model()->rowCount();
        Footprint warm;
        QElapsedTimer clock;
        clock.start();
        for (int cycle = 1; cycle <= cycles; ++cycle) {
            const QByteArray where = "cycle " + QByteArray::number(cycle);
            // The storage read of the first device's information page answers late, so that the cables
            // are pulled while it runs.
            const bool slowStorage = cycle % 5 == 0;
            if (slowStorage)
                QCOMPARE(Sim({"fault", kUdids[0], "GetDiskInfo", "0", "--delay-ms", "400"}), 0);
            QVERIFY2(PlugBoth(), where.constData());
            for (const char* name : kNames)
                PressCategories(Node(QLatin1String(name)));
            // Every other cycle lets the loads finish; the others pull both cables while they run.
            if (cycle % 2 == 0) {
                QVERIFY2(QTest::qWaitFor([this] { return AllLoaded(); }, kTimeout), where.constData());
            } else {
                QTest::qWait(cycle % 3 * 20);
            }
            QVERIFY2(UnplugBoth(), where.constData());
            if (slowStorage)
                QCOMPARE(Sim({"clear-faults", kUdids[0]}), 0);
            if (cycle == kWarmUpCycles)
                warm = Measure();
        }
        const Footprint end = Measure();
        std::printf("soak: %d cycles of two devices in %.1f s\n", cycles, clock.elapsed() / 1000.0);
        std::printf("soak: resident memory after %d cycles %.1f MB, after %d cycles %.1f MB (%+.1f %%, limit "
                    "+%.0f %%)\n",
                    kWarmUpCycles, warm.residentBytes / 1048576.0, cycles, end.residentBytes / 1048576.0,
                    100.0 * (end.residentBytes - warm.residentBytes) / warm.residentBytes,
                    100 * kAllowedGrowth);
        std::printf("soak: allocated heap after %d cycles %.1f MB, after %d cycles %.1f MB\n", kWarmUpCycles,
                    warm.mallocInUse / 1048576.0, cycles, end.mallocInUse / 1048576.0);
        if (warm.heapBytes >= 0)
            std::printf(
                "soak: sanitizer live heap after %d cycles %.1f MB, after %d cycles %.1f MB (%+.1f %%)\n",
                kWarmUpCycles, warm.heapBytes / 1048576.0, cycles, end.heapBytes / 1048576.0,
                100.0 * (end.heapBytes - warm.heapBytes) / warm.heapBytes);
        std::printf("soak: objects under the navigation %d -> %d, threads %d -> %d\n", warm.objects,
                    end.objects, warm.threads, end.threads);

        std::fflush(stdout);

        // Nothing of the devices is left, and nothing else piles up.
        QCOMPARE(DeviceObjectsLeft(), 0);
        QCOMPARE(m_navigate->Model()->rowCount(), treeRows);
        QVERIFY(CSingleDetectiPhone::Instance()->Records().isEmpty());
        QCOMPARE(end.objects, warm.objects);
        // Idle threads of Qt's own pools may come and go; leaked workers would pile up by the hundred.
        QVERIFY2(end.threads <= warm.threads + 2, "threads were left running");
        // Under a sanitizer the figures are only shown: its quarantine keeps freed memory resident on
        // purpose, and its leak check at exit and the counts above stand in for the limit.
        if (end.heapBytes < 0) {
            QVERIFY2(end.residentBytes <= warm.residentBytes * (1 + kAllowedGrowth),
                     "resident memory grew by more than 10 %");
        }
    }

private:
    struct Footprint {
        qint64 residentBytes = 0;
        qint64 heapBytes = -1;  // -1 without a sanitizer runtime
        qint64 mallocInUse = 0; // what the C library's allocator holds for the program
        int objects = 0;
        int threads = 0;
    };

    int Sim(const std::vector<std::string>& arguments) {
        // In-process: the same files vexa-simctl writes, without a process start per step.
        vexa::sim::SimCtl control(qEnvironmentVariable("VEXA_SIM_ROOT").toStdString());
        const std::string command = arguments.front();
        return control.Run(command, std::vector<std::string>(arguments.begin() + 1, arguments.end()));
    }

    TreeNode* Node(const QString& name) const {
        for (TreeNode* node : m_navigate->DeviceNodes()) {
            if (node->Text() == name)
                return node;
        }
        return nullptr;
    }

    bool PlugBoth() {
        for (const char* udid : kUdids) {
            if (Sim({"plug", udid}) != 0)
                return false;
        }
        return QTest::qWaitFor(
            [this] { return Node(QLatin1String(kNames[0])) && Node(QLatin1String(kNames[1])); }, kTimeout);
    }

    bool UnplugBoth() {
        for (const char* udid : kUdids) {
            if (Sim({"unplug", udid}) != 0)
                return false;
        }
        // Deferred deletions run inside the wait as well.
        return QTest::qWaitFor(
            [this] {
                return m_navigate->DeviceNodes().isEmpty() &&
                       CSingleDetectiPhone::Instance()->Managers().isEmpty() && DeviceObjectsLeft() == 0;
            },
            kTimeout);
    }

    // Presses every category node of the device, so that each view or loader starts its load.

    void PressCategories(TreeNode* device) {
        for (int kind = 0; kind < SUB_ITEM_COUNT; ++kind) {
            if (TreeNode* node = device->FindChildOfKind(kind))
                m_navigate->ClickTreeViewItem(m_navigate->Model()->IndexOf(node));
        }
    }

    // Every view and loader of the devices is done with its job.

    bool AllLoaded() const {
        QList<QObject*> jobs;
        for (QBaseDetailsView* view : m_navigate->findChildren<QBaseDetailsView*>())
            jobs << view;
        for (QPlayAnalysisTread* loader : m_navigate->findChildren<QPlayAnalysisTread*>())
            jobs << loader;
        for (QiBookAnalysisThread* loader : m_navigate->findChildren<QiBookAnalysisThread*>())
            jobs << loader;
        for (QObject* object : jobs) {
            auto* job = dynamic_cast<QUtilThread*>(object);
            if (job && job->IsRunning())
                return false;
        }
        return !jobs.isEmpty();
    }

    int DeviceObjectsLeft() const {
        return int(m_navigate->findChildren<QBaseDetailsView*>().size() +
                   m_navigate->findChildren<QPlayAnalysisTread*>().size() +
                   m_navigate->findChildren<QiBookAnalysisThread*>().size() +
                   m_navigate->findChildren<QDeviceInformationWidget*>().size());
    }

    Footprint Measure() const;

    // A message (a missing picture, say) must not stop the soak in a modal loop.
    MessageCatcher m_messages;
    QNavigateWidget* m_navigate = nullptr;
};

tst_soak::Footprint tst_soak::Measure() const {
    Footprint footprint;
    // Freed memory that the allocator keeps in its per-thread arenas is not held by the program; hand it
    // back first, so that the figure shows what the program still holds.
    malloc_trim(0);
    footprint.residentBytes = ResidentBytes();
    footprint.mallocInUse = qint64(mallinfo2().uordblks);
    if (__sanitizer_get_current_allocated_bytes)
        footprint.heapBytes = qint64(__sanitizer_get_current_allocated_bytes());
    footprint.objects = int(m_navigate->findChildren<QObject*>().size());
    footprint.threads =
        int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
    return footprint;
}

QTEST_MAIN(tst_soak)
#include "tst_soak.moc"
