#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "CBlockingCall.h"
#include "QUtilThread.h"
#include "QWaitDlg.h"

using namespace std::chrono_literals;

namespace {

// Runs a body given by the test, counting its runs and whether each saw the stop event.
class ScriptedWorker : public QUtilThread {
public:
    explicit ScriptedWorker(std::function<void(ScriptedWorker&)> body)
        : m_body(std::move(body)) {}
    ~ScriptedWorker() override { StopAndWait(); }

    bool StopRequested() const { return IsStopRequested(); }
    bool SleepUnlessStopped(std::chrono::milliseconds time) const { return WaitForStop(time); }
    void Wait() { WaitForThread(); }

    std::atomic<int> started{0};
    std::atomic<int> finished{0};

protected:
    void Run() override {
        ++started;
        m_body(*this);
        ++finished;
    }

private:
    std::function<void(ScriptedWorker&)> m_body;
};

void runUntilStopped(ScriptedWorker& worker) {
    while (!worker.SleepUnlessStopped(5ms)) {
    }
}

} // namespace

namespace {

// A worker that hands every result to the interface thread and waits until it has been handled there,
// the way a loader reports progress.
class ReportingWorker : public QUtilThread {
public:
    explicit ReportingWorker(QObject* receiver)
        : m_receiver(receiver) {}
    ~ReportingWorker() override { StopAndWait(); }

    std::atomic<int> handled{0};

protected:
    void Run() override {
        while (!IsStopRequested()) {
            CBlockingCall::Run(
                m_receiver, [this] { ++handled; }, [this] { return IsStopRequested(); });
        }
    }

private:
    QObject* m_receiver;
};

} // namespace

class TestUtilThread : public QObject {
    Q_OBJECT
private slots:
    void startWhileRunningStopsAndWaitsForTheOldRun() {
        ScriptedWorker worker(runUntilStopped);
        QVERIFY(worker.Start());
        QTRY_COMPARE(worker.started.load(), 1);
        QVERIFY(worker.IsRunning());

        QVERIFY(worker.Start());
        // The first run must have returned before the second began.
        QCOMPARE(worker.finished.load(), 1);
        QTRY_COMPARE(worker.started.load(), 2);
        // The stop event is reset for the new run, so it keeps going.
        QVERIFY(!QTest::qWaitFor([&] { return !worker.IsRunning() || worker.StopRequested(); }, 50));
    }

    void runEndsByItselfAndCanBeStartedAgain() {
        ScriptedWorker worker([](ScriptedWorker&) {});
        QVERIFY(!worker.IsRunning());
        QVERIFY(worker.Start());
        QTRY_VERIFY(!worker.IsRunning());
        QVERIFY(worker.Start());
        QTRY_COMPARE(worker.finished.load(), 2);
    }

    void destructionWaitsForStubbornRunWhileEventsFlow() {
        QObject receiver;
        std::atomic<int> posted{0};
        int delivered = 0;
        int timerTicks = 0;
        connect(
            this, &TestUtilThread::resultReady, &receiver, [&] { ++delivered; }, Qt::QueuedConnection);
        QTimer repaint;
        connect(&repaint, &QTimer::timeout, &receiver, [&] { ++timerTicks; });
        repaint.start(10);

        std::atomic<bool> runReturned{false};
        auto* worker = new ScriptedWorker([&](ScriptedWorker&) {
            // Ignores the stop event on purpose, handing results over the whole time.
            for (int i = 0; i < 20; ++i) {
                std::this_thread::sleep_for(15ms);
                ++posted;
                emit resultReady();
            }
            runReturned = true;
        });
        QVERIFY(worker->Start());
        QTRY_COMPARE(worker->started.load(), 1);

        QElapsedTimer elapsed;
        elapsed.start();
        const int ticksBefore = timerTicks;
        delete worker;

        QVERIFY(runReturned);
        QVERIFY2(elapsed.elapsed() >= 200, "destruction returned before the run ended");
        // Queued results and timers were handled during the wait, not after it.
        QVERIFY2(delivered >= 10, qPrintable(QString::number(delivered)));
        QVERIFY(timerTicks - ticksBefore >= 5);
        QTRY_COMPARE(delivered, posted.load());
    }

    void destroyingNeverStartedObjectDoesNotWait() {
        bool delivered = false;
        QObject receiver;
        QElapsedTimer elapsed;
        elapsed.start();
        {
            ScriptedWorker worker(runUntilStopped);
            QMetaObject::invokeMethod(
                &receiver, [&] { delivered = true; }, Qt::QueuedConnection);
        }
        QVERIFY(elapsed.elapsed() < 100);
        // No event loop ran: the queued call is still pending.
        QVERIFY(!delivered);
        QCoreApplication::processEvents();
        QVERIFY(delivered);
    }

    void waitInsideAnotherWaitEndsBoth() {
        // The first run lasts until the second Start() stops it; the second ends by itself.
        ScriptedWorker worker([](ScriptedWorker& self) {
            if (self.started == 1)
                runUntilStopped(self);
            else
                self.SleepUnlessStopped(100ms);
        });
        QVERIFY(worker.Start());
        // While the outer wait runs, an event starts the job again (a second click): that Start() waits for
        // the first run inside the outer wait, then begins the next run.
        bool restarted = false;
        QTimer::singleShot(20, [&] { restarted = worker.Start(); });
        worker.Wait();
        QVERIFY(restarted);
        // The outer wait must end, and only once the run started inside it is over as well.
        QCOMPARE(worker.started.load(), 2);
        QCOMPARE(worker.finished.load(), 2);
        QVERIFY(!worker.IsRunning());
    }

    void nestedHaltsOfReportingWorkersEnd() {
        // Two devices go at once: both unplug reports are queued together, and the halt of the second is
        // handled while the interface thread waits for the first. Timing decides where the workers block,
        // so the race is run several times.
        for (int round = 0; round < 20; ++round) {
            QObject receiver;
            ReportingWorker first(&receiver);
            ReportingWorker second(&receiver);
            QVERIFY(first.Start());
            QVERIFY(second.Start());
            QTRY_VERIFY(first.handled > 0 && second.handled > 0);

            int halted = 0;
            QObject trigger;
            for (ReportingWorker* worker : {&first, &second}) {
                QMetaObject::invokeMethod(
                    &trigger,
                    [&halted, worker] {
                        worker->Halt();
                        ++halted;
                    },
                    Qt::QueuedConnection);
            }
            QTRY_COMPARE_WITH_TIMEOUT(halted, 2, 10000);
            QVERIFY(!first.IsRunning());
            QVERIFY(!second.IsRunning());
        }
    }

    void blockingCallRunsOnTheContextThreadOrIsGivenUp() {
        QObject receiver;
        // Handled: the worker waits until the call has run on this thread.
        std::atomic<bool> ranHere{false};
        std::atomic<bool> handedOver{false};
        std::thread caller([&] {
            handedOver = CBlockingCall::Run(
                &receiver, [&] { ranHere = QThread::currentThread() == receiver.thread(); },
                [] { return false; });
        });
        QTRY_VERIFY(handedOver);
        caller.join();
        QVERIFY(ranHere);

        // Given up: a stop request frees the worker, and the call never runs afterwards.
        std::atomic<bool> stop{false};
        std::atomic<bool> returned{false};
        bool ran = false;
        bool result = true;
        std::thread stopped([&] {
            result = CBlockingCall::Run(
                &receiver, [&] { ran = true; }, [&] { return stop.load(); });
            returned = true;
        });
        std::this_thread::sleep_for(50ms);
        QVERIFY(!returned);
        stop = true;
        stopped.join(); // no events flow here: the worker must leave by itself
        QVERIFY(!result);
        QVERIFY(!QTest::qWaitFor([&] { return ran; }, 50));
    }

    void ownerWithoutEventLoopJoinsPlainly() {
        std::atomic<bool> finished{false};
        std::thread owner([&] {
            ScriptedWorker worker(runUntilStopped);
            worker.Start();
            std::this_thread::sleep_for(20ms);
            finished = worker.started == 1;
        });
        owner.join();
        QVERIFY(finished);
    }

    void waitDialogClosesWhenWatchedWorkerEnds() {
        ScriptedWorker worker([](ScriptedWorker&) { std::this_thread::sleep_for(150ms); });
        QWaitDlg dialog;
        dialog.SetText(QStringLiteral("Restoring"));
        QVERIFY(worker.Start());
        dialog.Watch(&worker);
        // Escape must not close it while the work goes on.
        QTimer::singleShot(20, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
        QElapsedTimer elapsed;
        elapsed.start();
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(elapsed.elapsed() >= 100);
        QVERIFY(!worker.IsRunning());
        QVERIFY(dialog.IsFinished());
    }

    void waitDialogFinishedEarlyDoesNotBlock() {
        QWaitDlg dialog;
        dialog.Finish();
        QElapsedTimer elapsed;
        elapsed.start();
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(elapsed.elapsed() < 1000);
    }

signals:
    // A result the worker hands over; the connection, made here, outlives every emission.
    void resultReady();
};

int runUtilThreadTests(int argc, char** argv) {
    TestUtilThread test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_UtilThread.moc"
