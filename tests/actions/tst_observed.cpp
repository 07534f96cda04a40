#include <atomic>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <vexa/VexaServices.h>

#include "IDlgProxyProcess.h"
#include "IObsever.h"
#include "LanguageService.h"
#include "QAddBookAction.h"
#include "QImageButton.h"
#include "QImageProgressBar.h"
#include "QObseverAdapter.h"
#include "QPhotoDeleteAction.h"
#include "QProgressDlg.h"
#include "TestFiles.h"
#include <QLabel>

namespace {

// Writes down every report in the order it arrived.
class RecordingObserver : public IObsever {
public:
    void OnLaunch() override { events << QStringLiteral("launch"); }
    void OnEnd() override { events << QStringLiteral("end"); }
    void OnProgress(int progress, int total) override {
        events << QStringLiteral("progress %1/%2").arg(progress).arg(total);
    }
    void OnMsg(const char* msg) override { events << QStringLiteral("msg ") + QString::fromUtf8(msg); }
    void OnNote(const char* note) override { events << QStringLiteral("note ") + QString::fromUtf8(note); }

    QStringList Matching(const QString& prefix) const {
        QStringList found;
        for (const QString& event : events)
            if (event.startsWith(prefix))
                found << event;
        return found;
    }

    QStringList events;
};

class FakeBooks : public IBookService {
public:
    int AddBook(const char16_t* localPath) override {
        std::lock_guard lock(mutex);
        added << QString::fromUtf16(localPath);
        return 0;
    }
    int DeleteBook(BookRecord) override { return 0; }
    int GetBooks(BookRecord**, int*) override { return 0; }

    std::mutex mutex;
    QStringList added;
};

// Deletes slowly, one photo every `stepMs`, so the progress timer has something to poll.
class FakePhotos : public IPhotoLibrary {
public:
    int PrepareList() override { return 0; }
    int GetPhotoList(PhotoRecord**, int*) override { return 0; }
    int LoadThumbnail(PhotoRecord*) override { return 0; }
    int DeletePhotos(const char* const* ids, int count, int kind, const char* text) override {
        {
            std::lock_guard lock(mutex);
            ++calls;
            for (int i = 0; i < count; ++i)
                deletedIds << QString::fromUtf8(ids[i]);
            deletedKind = kind;
            deletedText = QString::fromLatin1(text);
        }
        for (int i = 0; i < count; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(stepMs));
            handled = i + 1;
        }
        return 0;
    }
    int GetDeleteProgress() override { return handled; }

    std::mutex mutex;
    int calls = 0;
    QStringList deletedIds;
    int deletedKind = -1;
    QString deletedText;
    std::atomic<int> handled{0};
    int stepMs = 0;
};

class RecordingProxy : public IDlgProxyProcess {
public:
    bool StartProcess() override { return Note(QStringLiteral("start"), true); }
    bool OnCancel() override { return Note(QStringLiteral("cancel")); }
    bool OnClose() override { return Note(QStringLiteral("close")); }
    bool OnOk() override { return Note(QStringLiteral("ok")); }
    QStringList calls;

private:
    bool Note(const QString& call, bool answer = false) {
        calls << call;
        return answer;
    }
};

// Runs the calling order of the pages: attach the dialog, hand it the proxy, exec.
template <class Action> int RunInDialog(Action& action, QProgressDlg& dialog) {
    action.Attach(&dialog);
    dialog.SetProxy(&action);
    return dialog.exec();
}

} // namespace

class TestObservedActions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR)); }

    // Observers and their relays

    void progressBeyondTotalNeverReachesTheDialog() {
        QProgressDlg dialog(QStringLiteral("Add"));
        QObseverAdapter adapter(&dialog);
        // Sent from a worker, as the actions do.
        std::thread worker([&] {
            adapter.Progress(2, 5);
            adapter.Progress(6, 5);
        });
        worker.join();
        QCoreApplication::processEvents();
        QCOMPARE(dialog.Bar()->Maximum(), 5);
        QCOMPARE(dialog.Bar()->Value(), 2);
        // The dialog itself takes any pair it is given; only the relay filters.
        dialog.OnProgress(7, 9);
        QCOMPARE(dialog.Bar()->Maximum(), 9);
        QCOMPARE(dialog.Bar()->Value(), 7);
    }

    void reportsQueuedForADetachedObserverReachNobody() {
        RecordingObserver observer;
        QAddBookAction action;
        action.Attach(&observer);
        QStringList files;
        action.SetFileList(&files);
        // The empty run queues its end; the observer is detached before the widget thread sees it.
        QVERIFY(action.StartProcess());
        // Waiting without handling events keeps the end queued.
        while (action.IsRunning())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        QVERIFY(action.Detach(&observer));
        QCoreApplication::processEvents();
        QVERIFY(observer.events.isEmpty());

        // Texts in flight when their relay goes are freed with it (run under a leak checker to see).
        QObseverAdapter* adapter = new QObseverAdapter(&observer);
        std::thread worker([&] {
            for (int i = 0; i < 100; ++i)
                adapter->Msg("a message nobody reads");
        });
        worker.join();
        delete adapter;
        QCoreApplication::processEvents();
        QVERIFY(observer.events.isEmpty());
    }

    // Adding books

    // Observers attach once each and all hear the same reports; the missing second of three books gives
    // three messages and two adds.
    void threeBooksWithTheSecondMissingReachEveryObserverOnce() {
        QTemporaryDir dir;
        QStringList files;
        for (const char* name : {"Alpha.pdf", "Beta.v2.epub", "Gamma.pdf"})
            files << dir.filePath(QString::fromLatin1(name));
        for (int i : {0, 2})
            QVERIFY(WriteFile(files[i], QByteArray()));
        FakeBooks books;
        RecordingObserver first;
        RecordingObserver second;
        RecordingObserver stranger;
        QProgressDlg dialog(QStringLiteral("Add"));
        QAddBookAction action;
        action.SetBookService(&books);
        action.SetFileList(&files);
        action.Attach(&first);
        action.Attach(&first);
        action.Attach(&second);
        QCOMPARE(action.ObserverCount(), 2);
        QVERIFY(!action.Detach(&stranger));
        QCOMPARE(action.ObserverCount(), 2);

        QCOMPARE(RunInDialog(action, dialog), int(QProgressDlg::ResultEnd));
        // The dialog's end closes it at once; the observers' ends may still be queued behind it.
        QTRY_VERIFY(first.events.contains(QStringLiteral("end")) &&
                    second.events.contains(QStringLiteral("end")));
        QCOMPARE(first.events,
                 QStringList({"msg add book(0/3):Alpha", "progress 0/3", "msg add book(1/3):Beta",
                              "msg add book(2/3):Gamma", "progress 2/3", "end"}));
        QCOMPARE(second.events, first.events);
        QCOMPARE(books.added, QStringList({files[0], files[2]}));
        QCOMPARE(dialog.Bar()->Maximum(), 3);
        QCOMPARE(dialog.Bar()->Value(), 2);
        QCOMPARE(dialog.MessageLabel()->text(), QStringLiteral("add book(2/3):Gamma"));

        QVERIFY(action.Detach(&first));
        QVERIFY(!action.Detach(&first));
        QCOMPARE(action.ObserverCount(), 2); // the second and the dialog
    }

    void emptyListsEndTheDialogAtOnceWithoutTouchingTheDevice() {
        QStringList files;
        FakeBooks books;
        for (QStringList* list : {&files, static_cast<QStringList*>(nullptr)}) {
            QProgressDlg dialog(QStringLiteral("Add"));
            QAddBookAction action;
            action.SetBookService(&books);
            action.SetFileList(list);
            QElapsedTimer clock;
            clock.start();
            QCOMPARE(RunInDialog(action, dialog), int(QProgressDlg::ResultEnd));
            QVERIFY(clock.elapsed() < 2000);
        }
        QVERIFY(books.added.isEmpty());

        FakePhotos photos;
        QProgressDlg dialog(QStringLiteral("Delete"));
        QPhotoDeleteAction action(&photos);
        action.SetDeleteItems({}, "Camera Roll", 1);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(RunInDialog(action, dialog), int(QProgressDlg::ResultEnd));
        QVERIFY(clock.elapsed() < 400);
        QCOMPARE(photos.calls, 0);
    }

    // Deleting photos

    void photoDeletionPassesIdsKindAndTextAndPollsProgress() {
        std::vector<PhotoRecord> records(4);
        const char* ids[] = {"p1", "p2", "p3", "p4"};
        for (int i = 0; i < 4; ++i)
            records[i].id = ids[i];
        QList<const PhotoRecord*> items;
        for (const PhotoRecord& record : records)
            items << &record;
        FakePhotos photos;
        photos.stepMs = 400;
        RecordingObserver observer;
        QProgressDlg dialog(QStringLiteral("Delete"));
        QPhotoDeleteAction action(&photos);
        action.SetDeleteItems(items, "Synced \xe9", 2);
        action.Attach(&observer);

        QCOMPARE(RunInDialog(action, dialog), int(QProgressDlg::ResultEnd));
        QCOMPARE(photos.calls, 1);
        QCOMPARE(photos.deletedIds, QStringList({"p1", "p2", "p3", "p4"}));
        QCOMPARE(photos.deletedKind, 2);
        QCOMPARE(photos.deletedText, QStringLiteral("Synced \u00e9"));
        // Polled every half second during the 1.6 s call: a few counts of 4, never above it.
        const QStringList progress = observer.Matching(QStringLiteral("progress"));
        QVERIFY2(progress.size() >= 2, qPrintable(progress.join(',')));
        for (const QString& event : progress)
            QVERIFY(event.endsWith(QStringLiteral("/4")));
        QVERIFY(observer.events.contains(QStringLiteral("msg Deleting...")));
        // The dialog's end closes it at once; this observer's end may still be queued behind it.
        QTRY_COMPARE(observer.events.last(), QStringLiteral("end"));
    }

    // The dialog's buttons

    void everyButtonClosesWithItsCodeWithOrWithoutAProxy() {
        const std::vector<std::pair<void (QProgressDlg::*)(), int>> buttons = {
            {&QProgressDlg::OnBtnOk, QProgressDlg::ResultOk},
            {&QProgressDlg::OnBtnCancel, QProgressDlg::ResultCancel},
            {&QProgressDlg::OnBtnClose, QProgressDlg::ResultClose},
        };
        for (const auto& [press, code] : buttons) {
            QProgressDlg dialog(QStringLiteral("Add"));
            QTimer::singleShot(50, &dialog, [&dialog, press = press] { (dialog.*press)(); });
            QCOMPARE(dialog.exec(), code);

            RecordingProxy proxy;
            QProgressDlg proxied(QStringLiteral("Add"));
            proxied.SetProxy(&proxy);
            QTimer::singleShot(50, &proxied, [&proxied, press = press] { (proxied.*press)(); });
            // The proxy's "false" changes nothing: the dialog closes with the button's code.
            QCOMPARE(proxied.exec(), code);
            QCOMPARE(proxy.calls.size(), 2);
            QCOMPARE(proxy.calls.first(), QStringLiteral("start"));
        }
    }
};

int runObservedActionTests(int argc, char** argv) {
    TestObservedActions tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_observed.moc"
