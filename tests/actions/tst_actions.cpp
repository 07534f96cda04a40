#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QSemaphore>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "CActionStrategyCallbackAdapter.h"
#include "CActionStrategyDlg.h"
#include "CActionStrategyImpl.h"
#include "IActionStrategy.h"
#include "IActionStrategyCallback.h"
#include "IActionStrategyThread.h"
#include "IBaseChunk.h"
#include "LanguageService.h"
#include "MessageCatcher.h"
#include "QImageProgressBar.h"
#include "QMessageDlg.h"

namespace {

using Progress = std::pair<quint64, quint64>;
using RecordList = std::list<IBaseChunk*>;

// What happened to the fake records, shared by all records of one test. The worker writes, the test
// reads, so every access takes the lock.
struct DeviceLog {
    std::mutex mutex;
    std::vector<int> deleteCalls;
    std::set<int> destroyed;

    std::vector<int> DeleteCalls() {
        std::lock_guard lock(mutex);
        return deleteCalls;
    }
    std::set<int> Destroyed() {
        std::lock_guard lock(mutex);
        return destroyed;
    }
};

class FakeChunk : public IBaseChunk {
public:
    FakeChunk(DeviceLog& log, int id, bool checked)
        : m_log(log)
        , m_id(id) {
        SetChecked(checked);
    }
    ~FakeChunk() override {
        std::lock_guard lock(m_log.mutex);
        m_log.destroyed.insert(m_id);
    }

    int Id() const { return m_id; }
    void RefuseDelete() { m_accepts = false; }
    // DeleteFromDevice() releases `entered` and then waits for `release`.
    void BlockIn(QSemaphore* entered, QSemaphore* release) {
        m_entered = entered;
        m_release = release;
    }

    bool DeleteFromDevice() override {
        {
            std::lock_guard lock(m_log.mutex);
            m_log.deleteCalls.push_back(m_id);
        }
        if (m_entered != nullptr) {
            m_entered->release();
            m_release->acquire();
        }
        return m_accepts;
    }

private:
    DeviceLog& m_log;
    int m_id;
    bool m_accepts = true;
    QSemaphore* m_entered = nullptr;
    QSemaphore* m_release = nullptr;
};

// Records every notification and checks that it arrives on the widget thread.
class RecordingCallback : public IActionStrategyCallback {
public:
    void OnBegin() override { Note(QStringLiteral("begin")); }
    void OnEnd() override {
        Note(QStringLiteral("end"));
        ended = true;
    }
    void OnProgress(quint64 done, quint64 total) override {
        Note(QStringLiteral("progress"));
        progress.emplace_back(done, total);
    }
    void OnMsg(const char* text) override { Note(QStringLiteral("msg ") + QString::fromUtf8(text)); }
    void OnError(const char* text) override { Note(QStringLiteral("error ") + QString::fromUtf8(text)); }

    QStringList events;
    std::vector<Progress> progress;
    bool ended = false;
    bool offWidgetThread = false;

private:
    void Note(const QString& event) {
        events << event;
        offWidgetThread = offWidgetThread || QThread::currentThread() != qApp->thread();
    }
};

// Ten records 0..9 with the given ones checked. The list owns them until the test ends.
class Records {
public:
    explicit Records(const std::set<int>& checked, int count = 10) {
        for (int id = 0; id < count; ++id) {
            auto* record = new FakeChunk(log, id, checked.contains(id));
            byId.push_back(record);
            list.push_back(record);
        }
    }
    ~Records() {
        for (IBaseChunk* record : list) {
            delete record;
        }
    }

    std::vector<int> RemainingIds() const {
        std::vector<int> ids;
        for (IBaseChunk* record : list) {
            ids.push_back(record == nullptr ? -1 : static_cast<FakeChunk*>(record)->Id());
        }
        return ids;
    }

    DeviceLog log;
    RecordList list;
    // Valid only for records not destroyed.
    std::vector<FakeChunk*> byId;
};

// The batch worker with its adapter in reach of the test.
class WorkerWithVisibleAdapter : public CActionStrategyThread {
public:
    using CActionStrategyThread::Adapter;
    using CActionStrategyThread::CActionStrategyThread;
};

// Runs an action of that kind over the list to its end; the action is gone on return.
void runToEnd(int kind, RecordList* list, RecordingCallback& callback) {
    CActionStrategyImpl action(kind, list, &callback);
    QVERIFY(action.Start());
    QTRY_VERIFY_WITH_TIMEOUT(callback.ended, 5000);
}

// The end was reported once, last, and every report came on the widget thread.
void checkEndedOnceOnWidgetThread(const RecordingCallback& callback) {
    QCOMPARE(callback.events.back(), QStringLiteral("end"));
    QCOMPARE(callback.events.count(QStringLiteral("end")), 1);
    QVERIFY(!callback.offWidgetThread);
}

} // namespace

namespace {
// Runs `inside` once, from within the first progress report it hears.
class CallbackThatActsOnProgress : public RecordingCallback {
public:
    void OnProgress(quint64 done, quint64 total) override {
        RecordingCallback::OnProgress(done, total);
        if (inside)
            std::exchange(inside, nullptr)();
    }
    std::function<void()> inside;
};
} // namespace

class TestActions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // The program's images, when the language folders have been built.
        SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
    }

    // The worker walk

    void deletingCheckedRecordsDeletesExactlyThoseLastToFirst() {
        Records records({2, 5, 8});
        // A null record in the middle is skipped, not dereferenced, and stays.
        records.list.insert(std::next(records.list.begin(), 4), nullptr);
        RecordingCallback callback;
        runToEnd(kActionStrategyDelete, &records.list, callback);
        QCOMPARE(records.log.DeleteCalls(), (std::vector<int>{8, 5, 2}));
        QCOMPARE(records.log.Destroyed(), (std::set<int>{2, 5, 8}));
        QCOMPARE(records.RemainingIds(), (std::vector<int>{0, 1, 3, -1, 4, 6, 7, 9}));
        QCOMPARE(callback.progress, (std::vector<Progress>{{0, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 3}}));
        QCOMPARE(callback.events.front(), QStringLiteral("begin"));
        checkEndedOnceOnWidgetThread(callback);
    }

    void walkWithNothingToDoOnlyBeginsAndEnds_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("checked");
        QTest::newRow("nothing checked") << int(kActionStrategyDelete) << false;
        QTest::newRow("unknown kind") << 1 << true;
    }

    void walkWithNothingToDoOnlyBeginsAndEnds() {
        QFETCH(int, kind);
        QFETCH(bool, checked);
        Records records(checked ? std::set<int>{0, 1} : std::set<int>{});
        RecordingCallback callback;
        runToEnd(kind, &records.list, callback);
        QCOMPARE(callback.events, (QStringList{"begin", "end"}));
        QVERIFY(records.log.DeleteCalls().empty());
        QCOMPARE(records.list.size(), std::size_t(10));
        QVERIFY(CreateActionStrategy(-1) == nullptr);
    }

    void refusedRecordStaysInTheListAliveAndTheNextRunTriesItAgain() {
        Records records({1, 4, 7});
        records.byId[4]->RefuseDelete();
        RecordingCallback first;
        RecordingCallback second;
        runToEnd(kActionStrategyDelete, &records.list, first);
        QCOMPARE(records.log.DeleteCalls(), (std::vector<int>{7, 4, 1}));
        QCOMPARE(records.log.Destroyed(), (std::set<int>{1, 7}));
        QCOMPARE(records.RemainingIds(), (std::vector<int>{0, 2, 3, 4, 5, 6, 8, 9}));
        // The refused record still counts as handled: the bar ends full.
        QCOMPARE(first.progress.back(), Progress(3, 3));
        // A second run over the same list finds only the refused record checked.
        runToEnd(kActionStrategyDelete, &records.list, second);
        QCOMPARE(records.log.DeleteCalls(), (std::vector<int>{7, 4, 1, 4}));
        QCOMPARE(second.progress, (std::vector<Progress>{{0, 1}, {0, 1}, {1, 1}}));
    }

    void stopDuringTheWalkEndsAfterTheCurrentRecordWithAFullBar() {
        Records records({1, 3, 5, 7, 9});
        QSemaphore entered;
        QSemaphore release;
        records.byId[9]->BlockIn(&entered, &release);
        RecordingCallback callback;
        auto action = std::make_unique<CActionStrategyImpl>(kActionStrategyDelete, &records.list, &callback);
        QVERIFY(action->Start());
        // The worker's first report waits for this thread, so keep events flowing while waiting for it.
        QTRY_COMPARE_WITH_TIMEOUT(entered.available(), 1, 5000);
        // Destroying the action requests the stop and waits; the device call in progress finishes later.
        QTimer::singleShot(100, [&release] { release.release(); });
        QElapsedTimer clock;
        clock.start();
        action.reset();
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(callback.ended);
        QCOMPARE(records.log.DeleteCalls(), (std::vector<int>{9}));
        QCOMPARE(records.log.Destroyed(), (std::set<int>{9}));
        // The report after the record may be given up to the stop; the bar still ends full.
        QCOMPARE(callback.progress.front(), Progress(0, 5));
        QCOMPARE(callback.progress.back(), Progress(5, 5));
        QVERIFY(callback.progress.size() <= 3);
        QVERIFY(!callback.offWidgetThread);
    }

    // The adapter

    void adapterOnTheWidgetThreadCallsTheTargetAndDropsProgressBeyondTotal() {
        // Blocking signals to itself would never return here; the adapter must call the target instead.
        RecordingCallback callback;
        auto adapter = std::make_unique<CActionStrategyCallbackAdapter>(&callback);
        QCOMPARE(callback.events, QStringList{"begin"});
        adapter->EmitProgress(4, 3);
        adapter->EmitProgress(3, 3);
        adapter->EmitProgress(0, 0);
        adapter->EmitMsg("working");
        adapter->EmitError("failed");
        adapter.reset();
        QCOMPARE(callback.progress, (std::vector<Progress>{{3, 3}, {0, 0}}));
        QCOMPARE(callback.events,
                 (QStringList{"begin", "progress", "progress", "msg working", "error failed", "end"}));

        CActionStrategyCallbackAdapter withoutTarget(nullptr);
        withoutTarget.EmitProgress(1, 2);
        withoutTarget.EmitError("ignored");
    }

    void adapterFromWorkerWaitsUntilTheWidgetThreadHandledIt() {
        RecordingCallback callback;
        auto* adapter = new CActionStrategyCallbackAdapter(&callback);
        std::atomic<bool> progressSeenOnReturn = false;
        std::atomic<bool> done = false;
        std::thread worker([&] {
            adapter->EmitProgress(2, 5);
            progressSeenOnReturn = callback.progress.size() == 1;
            adapter->EmitMsg("halfway");
            adapter->EmitEnd();
            done = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(done, 5000);
        worker.join();
        QVERIFY(progressSeenOnReturn);
        // The adapter goes on its own thread; its end was reported already and is not repeated.
        delete adapter;
        QCOMPARE(callback.events, (QStringList{"begin", "progress", "msg halfway", "end"}));
        QVERIFY(!callback.offWidgetThread);
    }

    void workerLeavesItsAdapterToTheWidgetThread() {
        // A QObject destroyed by the worker while the widget thread still delivers its queued report is a
        // data race; the adapter must die on its own thread, after the end it reported.
        Records records({1, 2, 3});
        RecordingCallback callback;
        QThread* destroyedOn = nullptr;
        bool endedBeforeDestroyed = false;
        {
            WorkerWithVisibleAdapter worker(kActionStrategyDelete, &records.list, &callback);
            QObject::connect(
                worker.Adapter(), &QObject::destroyed, qApp,
                [&] {
                    destroyedOn = QThread::currentThread();
                    endedBeforeDestroyed = callback.ended;
                },
                Qt::DirectConnection);
            QVERIFY(worker.Start());
            QTRY_VERIFY_WITH_TIMEOUT(callback.ended, 5000);
            QTRY_VERIFY_WITH_TIMEOUT(!worker.IsRunning(), 5000);
            // The finished worker left the adapter alone.
            QVERIFY(destroyedOn == nullptr);
        }
        QCOMPARE(destroyedOn, qApp->thread());
        QVERIFY(endedBeforeDestroyed);
        QCOMPARE(callback.events.count(QStringLiteral("end")), 1);
        QCOMPARE(records.log.Destroyed(), (std::set<int>{1, 2, 3}));
    }

    void ownerGoneInsideAReportEndsTheActionAsStopped() {
        // The worker waits for this report while the thread handling it destroys the action, which waits
        // for the worker in turn: the worker must give the report up, and nothing may wait forever.
        Records records({1, 3, 5});
        CallbackThatActsOnProgress callback;
        auto action = std::make_unique<CActionStrategyImpl>(kActionStrategyDelete, &records.list, &callback);
        bool destroyed = false;
        callback.inside = [&] {
            action.reset();
            destroyed = true;
        };
        QVERIFY(action->Start());
        QTRY_VERIFY_WITH_TIMEOUT(destroyed, 10000);
        // Stopped before the first record: nothing deleted, the bar ends full and the end is reported once.
        QVERIFY(records.log.DeleteCalls().empty());
        QCOMPARE(records.list.size(), std::size_t(10));
        QCOMPARE(callback.progress, (std::vector<Progress>{{0, 3}, {3, 3}}));
        checkEndedOnceOnWidgetThread(callback);
    }

    // The dialog and what views call

    void dialogShowsFullBarAndClosesItselfWhenDone() {
        Records records({3, 4, 9});
        CActionStrategyDlg dialog;
        CActionStrategyImpl action(kActionStrategyDelete, &records.list, &dialog);
        dialog.SetStrategy(&action);
        // Escape before the end must not close it: the records are still being changed.
        QTimer::singleShot(0, &dialog, &CActionStrategyDlg::reject);
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(dialog.IsEnded());
        QCOMPARE(records.log.Destroyed(), (std::set<int>{3, 4, 9}));
        auto* bar = dialog.findChild<QImageProgressBar*>(QStringLiteral("m_progressBar"));
        QVERIFY(bar != nullptr);
        QCOMPARE(bar->Maximum(), qint64(3));
        QCOMPARE(bar->Value(), qint64(3));
    }

    void dialogWithNothingCheckedClosesAtOnce() {
        Records records({});
        QElapsedTimer clock;
        clock.start();
        CActionStrategyDlg::DeleteRecords(&records.list);
        // The start delay plus a thread start, far from any wait on a user.
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(records.list.size(), std::size_t(10));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void deleteRecordDeletesOneRowOrPutsItBack() {
        Records records({});
        records.byId[8]->SetChecked(true);
        // The clicked row goes even though it was not checked; other checked rows are left alone.
        QVERIFY(CActionStrategyDlg::DeleteRecord(&records.list, std::next(records.list.begin(), 2)));
        QCOMPARE(records.log.DeleteCalls(), (std::vector<int>{2}));
        QCOMPARE(records.RemainingIds(), (std::vector<int>{0, 1, 3, 4, 5, 6, 7, 8, 9}));

        records.byId[5]->RefuseDelete();
        QVERIFY(!CActionStrategyDlg::DeleteRecord(&records.list, std::next(records.list.begin(), 4)));
        QCOMPARE(records.RemainingIds(), (std::vector<int>{0, 1, 3, 4, 5, 6, 7, 8, 9}));
        QVERIFY(!records.log.Destroyed().contains(5));

        QVERIFY(!CActionStrategyDlg::DeleteRecord(&records.list, records.list.end()));
    }

    void confirmationAsksOnlyWhenSomethingIsChecked() {
        Records records({});
        MessageCatcher answers;
        answers.SetAnswerYes(true);
        QVERIFY(!CActionStrategyDlg::ConfirmDeleteChecked(records.list));
        QCOMPARE(answers.Messages(), QStringList{"Please choose any of items to delete!"});
        records.byId[1]->SetChecked(true);
        QVERIFY(CActionStrategyDlg::ConfirmDeleteChecked(records.list));
        QCOMPARE(answers.Messages().last(), QStringLiteral("Are you sure to delete the selected item(s)?"));
        answers.SetAnswerYes(false);
        QVERIFY(!CActionStrategyDlg::ConfirmDelete());
        QVERIFY(records.log.DeleteCalls().empty());
    }
};

int runObservedActionTests(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestActions batch;
    int failures = QTest::qExec(&batch, argc, argv);
    failures += runObservedActionTests(argc, argv);
    return failures;
}
#include "tst_actions.moc"
