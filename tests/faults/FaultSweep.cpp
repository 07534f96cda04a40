#include "FaultSweep.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <vexa/VexaResult.h>

#include "DialogAnswerer.h"
#include "PostedEvents.h"
#include "sim/FaultInjector.h"

namespace {

// The program sets no time limit on device calls: it waits as long as the device takes. "Beyond its
// patience" therefore means a delay far above a normal answer, during which the window must keep
// responding (calls on workers), and after which the result must arrive with no failure message.
// A sanitizer build runs the window's own work (a device's pages built on arrival) several times slower,
// so both figures grow there.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int kSlowBuild = 2;
#else
constexpr int kSlowBuild = 1;
#endif
constexpr int kDelayMs = 1500 * kSlowBuild;
// The longest pause of the event loop a worker-thread call may cause: below the delay, so a window that
// waited for the device shows, yet above the slow turns of a busy machine.
constexpr qint64 kWorkerStallLimitMs = 1000 * kSlowBuild;
// How long the call waits before the cable comes out during it.
constexpr int kUnplugAfterMs = 250;
// Any failure code the device library uses for "the device refused".
constexpr int kFailureCode = 7;
// How long a failed call may take to show its message after the action returned (a worker that was still
// ending, a removal that reached the program late).
constexpr int kMessageWaitMs = 5000 * kSlowBuild;

// The first line where two device snapshots part: which file changed, or which database row.
QString FirstDifference(const QString& before, const QString& after) {
    const QStringList a = before.split(QLatin1Char('\n'));
    const QStringList b = after.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < qMax(a.size(), b.size()); ++i) {
        if (a.value(i) != b.value(i))
            return QStringLiteral("\"%1\" became \"%2\"").arg(a.value(i).left(160), b.value(i).left(160));
    }
    return {};
}

// Measures the longest gap between two turns of the event loop while it lives.
class StallMeter : public QObject {
public:
    StallMeter() {
        m_clock.start();
        connect(&m_timer, &QTimer::timeout, this,
                [this] { m_longest = std::max(m_longest, m_clock.restart()); });
        m_timer.start(10);
    }
    qint64 Longest() { return std::max(m_longest, m_clock.elapsed()); }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

std::filesystem::path Path(const QString& path) {
    return std::filesystem::path(path.toStdString());
}

} // namespace

FaultSweep::FaultSweep(SweepDevice& device)
    : m_device(device) {}

QString FaultSweep::KindName(FaultKind kind) {
    switch (kind) {
    case FaultKind::ErrorCode:
        return QStringLiteral("error code");
    case FaultKind::Delay:
        return QStringLiteral("delay %1 ms").arg(kDelayMs);
    case FaultKind::UnplugDuring:
        return QStringLiteral("unplug during");
    case FaultKind::UnplugBefore:
        return QStringLiteral("unplug before");
    }
    return {};
}

int FaultSweep::ThreadCount() {
    // Qt's global pool keeps an idle thread for half a minute and then ends it by itself: not ours.
    int count = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile name(tasks.filePath(task + QStringLiteral("/comm")));
        if (!name.open(QIODevice::ReadOnly) || !name.readAll().startsWith("Thread (pooled)"))
            ++count;
    }
    return count;
}

bool FaultSweep::SawFailureMessage(const SweepOperation& operation) const {
    for (const QString& message : m_device.Dialogs()->Messages()) {
        if (message.startsWith(operation.call.message))
            return true;
    }
    return false;
}

bool FaultSweep::Reconnect() {
    vexa::sim::FaultInjector::Clear(Path(m_device.FaultsFile()));
    if (m_device.Handle() >= 0 && m_device.DeviceNode() && m_device.WaitShown(5000))
        return true;
    // Gone, or half-known (an arrival without a record): unplug, let the program forget it, plug again.
    m_device.SetPlugged(false);
    if (!m_device.WaitGone())
        return false;
    m_device.SetPlugged(true);
    return m_device.WaitShown();
}

FaultSweep::Cell FaultSweep::Healthy(const SweepOperation& operation) {
    Cell cell;
    if (!Reconnect()) {
        cell.text = QStringLiteral("FAIL: device not shown");
        return cell;
    }
    if (operation.prepare)
        operation.prepare(m_device);
    m_device.Dialogs()->Clear();
    const bool done = operation.act(m_device);
    // A message the end of the call posted shows before the cell looks.
    RunPostedEvents();
    const QStringList messages = m_device.Dialogs()->Messages();
    const bool verified = !operation.verify || operation.verify(m_device);
    m_device.Dialogs()->ForgetHandler();
    cell.ok = done && verified && !SawFailureMessage(operation);
    cell.text = cell.ok ? QStringLiteral("works")
                        : QStringLiteral("FAIL: healthy call (done %1, on device %2, messages %3)")
                              .arg(done)
                              .arg(verified)
                              .arg(messages.join(QLatin1String(" / ")));
    return cell;
}

FaultSweep::Cell FaultSweep::Faulty(const SweepOperation& operation, FaultKind kind) {
    Cell cell;
    if (!Reconnect()) {
        cell.text = QStringLiteral("FAIL: device not shown before the fault");
        return cell;
    }
    if (operation.prepare)
        operation.prepare(m_device);
    RunPostedEvents();
    const QString before = m_device.Snapshot();
    const int threadsBefore = ThreadCount();

    vexa::sim::FaultSpec fault;
    fault.operation = operation.call.operation.toStdString();
    switch (kind) {
    case FaultKind::ErrorCode:
        fault.code = kFailureCode;
        break;
    case FaultKind::Delay:
        fault.delayMs = kDelayMs;
        break;
    case FaultKind::UnplugDuring:
        fault.unplug = true;
        fault.delayMs = kUnplugAfterMs;
        break;
    case FaultKind::UnplugBefore:
        if (operation.unplugBeforeByFault)
            fault.unplug = true;
        else
            m_device.SetBeforeCall([this] { m_device.SetPlugged(false); });
        break;
    }
    if (operation.inject)
        operation.inject(m_device, kind); // in place of the simulator's faults, its own hook included
    else if (kind != FaultKind::UnplugBefore || operation.unplugBeforeByFault)
        vexa::sim::FaultInjector::Add(Path(m_device.FaultsFile()), fault);

    m_device.Dialogs()->Clear();
    const int handle = m_device.Handle();
    QElapsedTimer clock;
    clock.start();
    StallMeter stall;
    const bool done = operation.act(m_device);
    const qint64 stalled = stall.Longest();
    const qint64 took = clock.elapsed();
    m_device.SetBeforeCall(nullptr);
    const bool unplug = kind == FaultKind::UnplugDuring || kind == FaultKind::UnplugBefore;
    // The removal of the device reaches the program a moment later; it must survive that too.
    if (unplug)
        (void)QTest::qWaitFor([&] { return m_device.Handle() != handle || !m_device.DeviceNode(); }, 3000);
    const bool lateSuccess = kind == FaultKind::Delay && !operation.delayEndsInMessage;
    // A late success has shown all it will once its queued result ran; a failure shows its message, or
    // the device took the waiting view with it.
    RunPostedEvents();
    if (!lateSuccess) {
        (void)QTest::qWaitFor(
            [&] {
                return SawFailureMessage(operation) || (unplug && operation.worker && !m_device.DeviceNode());
            },
            kMessageWaitMs);
    }
    vexa::sim::FaultInjector::Clear(Path(m_device.FaultsFile()));
    if (operation.clearFaults)
        operation.clearFaults(m_device);
    m_device.Dialogs()->ForgetHandler();
    const QStringList messages = m_device.Dialogs()->Messages();
    const bool sawMessage = SawFailureMessage(operation);
    const bool deviceLeft = unplug && !m_device.DeviceNode();

    QStringList problems;
    QString outcome;
    if (lateSuccess) {
        // Slow but successful: the result arrives, no failure is reported.
        if (!done)
            problems << QStringLiteral("no result after the delay");
        if (sawMessage)
            problems << QStringLiteral("failure shown for a late success");
        if (operation.worker && stalled > kWorkerStallLimitMs)
            problems << QStringLiteral("window froze %1 ms").arg(stalled);
        outcome = operation.worker ? QStringLiteral("late result, window kept responding")
                                   : QStringLiteral("late result, window waited %1 ms").arg(stalled);
    } else {
        if (sawMessage)
            outcome = QStringLiteral("message shown");
        else if (deviceLeft && operation.worker)
            // The view that waited went with the device; the waiting screen says the phone is gone.
            outcome = QStringLiteral("device gone, its views closed");
        else
            problems << QStringLiteral("no message (saw: %1)")
                            .arg(messages.isEmpty() ? QStringLiteral("nothing")
                                                    : messages.join(QLatin1String(" / ")));
        if (done)
            problems << QStringLiteral("reported success");
        if (kind == FaultKind::Delay && operation.worker && stalled > kWorkerStallLimitMs)
            problems << QStringLiteral("window froze %1 ms").arg(stalled);
    }
    if (kind != FaultKind::Delay && operation.leftovers) {
        if (const QString left = operation.leftovers(m_device); !left.isEmpty())
            problems << QStringLiteral("left behind: ") + left;
    }
    if (took > 30000)
        problems << QStringLiteral("took %1 ms").arg(took);

    // Nothing changed on the device that the user did not ask for.
    if (kind != FaultKind::Delay && operation.earlierChange.isEmpty()) {
        vexa::sim::FaultInjector::Clear(Path(m_device.FaultsFile()));
        if (const QString after = m_device.Snapshot(); after != before)
            problems << QStringLiteral("device changed: ") + FirstDifference(before, after);
    }

    // The program goes on: the device comes back and the same action works.
    const Cell again = Healthy(operation);
    if (!again.ok)
        problems << QStringLiteral("next call: ") + again.text;

    // Every thread the action started has ended.
    // A worker ends soon after its device left, but a loaded machine may take seconds to schedule it.
    if (!QTest::qWaitFor([&] { return ThreadCount() <= threadsBefore; }, 15000))
        problems << QStringLiteral("%1 threads left").arg(ThreadCount() - threadsBefore);

    cell.ok = problems.isEmpty();
    cell.text = cell.ok ? outcome + QStringLiteral(", goes on")
                        : QStringLiteral("FAIL: ") + problems.join(QLatin1String("; "));
    return cell;
}

bool FaultSweep::Skipped(const QString& cell) {
    // For working on one row: "SaveContact/unplug,GetPlaylists" skips the cells whose names contain a part.
    const QStringList parts =
        qEnvironmentVariable("VEXA_SWEEP_SKIP").split(QLatin1Char(','), Qt::SkipEmptyParts);
    return std::any_of(parts.begin(), parts.end(), [&](const QString& part) { return cell.contains(part); });
}

bool FaultSweep::Run(const std::vector<SweepOperation>& operations, QStringList* report) {
    const FaultKind kinds[] = {FaultKind::ErrorCode, FaultKind::Delay, FaultKind::UnplugDuring,
                               FaultKind::UnplugBefore};
    bool allOk = true;
    report->clear();
    for (const SweepOperation& operation : operations) {
        const QString row = QStringLiteral("%1 [%2]").arg(operation.call.operation, operation.call.path);
        // A cell's line is printed as soon as it ran, so a crash still shows how far the table got.
        const auto note = [&](const QString& fault, const Cell& cell) {
            allOk = allOk && cell.ok;
            *report << QStringLiteral("%1 | %2 | %3").arg(row, fault, cell.text);
            qInfo().noquote() << report->last();
        };
        note(QStringLiteral("no fault"), Healthy(operation));
        for (FaultKind kind : kinds) {
            if (Skipped(operation.call.operation + QLatin1Char('/') + KindName(kind))) {
                note(KindName(kind), {false, QStringLiteral("skipped by VEXA_SWEEP_SKIP")});
                continue;
            }
            const bool noAnswer = kind == FaultKind::Delay && operation.delayEndsInMessage;
            note(noAnswer ? QStringLiteral("no answer") : KindName(kind), Faulty(operation, kind));
        }
        if (operation.finish) {
            Reconnect();
            operation.finish(m_device);
        }
    }
    return allOk;
}
