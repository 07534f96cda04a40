#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <memory>
#include <vector>

#include "IBaseChunk.h"
#include "LanguageService.h"
#include "QAddDataWidget.h"
#include "QAnalysisCallbackAdapter.h"
#include "QBaseDetailsModel.h"
#include "QBaseDetailsView.h"
#include "QCheckHeaderView.h"
#include "QContactsView.h"
#include "QDBAnalysisThread.h"
#include "QMusicView.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"
#include "QSearchWidget.h"
#include "QVideoView.h"
#include "SimPhone.h"

namespace {

class TestChunk : public IBaseChunk {
public:
    explicit TestChunk(const std::string& name) { SetName(name); }
};

// Shows the name in column 0 and a second text in column 1.
class TestModel : public QBaseDetailsModel {
public:
    using QBaseDetailsModel::QBaseDetailsModel;
    QVariant data(const QModelIndex& index, int role) const override {
        if (index.isValid() && role == Qt::DisplayRole) {
            const std::string name = static_cast<IBaseChunk*>(index.internalPointer())->GetName();
            return index.column() == 0 ? QString::fromStdString(name)
                                       : QStringLiteral("n:") + QString::fromStdString(name);
        }
        return QBaseDetailsModel::data(index, role);
    }
};

class TestView : public QBaseDetailsView {
public:
    TestView()
        : QBaseDetailsView(nullptr, 1, nullptr) {
        SetChunkList(&m_records);
        m_model.SetHeaderLabels({QStringLiteral("Name"), QStringLiteral("Note")});
        CreateTableView(&m_model);
        clickList();
    }
    ~TestView() override { qDeleteAll(m_records); }
    void Fill(std::initializer_list<const char*> names) {
        qDeleteAll(m_records);
        m_records.clear();
        for (const char* name : names)
            m_records.push_back(new TestChunk(name));
        OnAnalysisEnd();
    }
    std::list<IBaseChunk*> m_records;
    TestModel m_model;
};

// Records what a loader reported, in order, on the interface thread.
struct Recorder : IAnalysisCallback {
    int begins = 0;
    int ends = 0;
    std::vector<std::pair<quint64, quint64>> progress;
    std::vector<bool> progressHadChunk;
    QStringList errors;
    bool onGuiThread = true;
    void Check() { onGuiThread = onGuiThread && QThread::currentThread() == qApp->thread(); }
    void OnAnalysisBegin() override { Check(), ++begins; }
    void OnAnalysisEnd() override { Check(), ++ends; }
    void OnAnalysisSize(quint64) override {}
    void OnAnalysisProgress(RecoverType, IBaseChunk* chunk, quint64 current, quint64 total) override {
        Check();
        progress.emplace_back(current, total);
        progressHadChunk.push_back(chunk != nullptr);
    }
    void OnAnalysisError(char* message) override { Check(), errors << QString::fromUtf8(message); }
};

// A loader over a fixed array; elements named "" count as invalid.
class TestLoader : public QDBAnalysisThread {
public:
    ~TestLoader() override { StopAndWait(); }
    std::vector<std::string> elements;
    int failCode = 0;
    std::atomic<int> delayMs{0};
    std::atomic<int> runs{0};
    RecoverType GetCategoryType() const override { return RECOVER_TYPE_BOOKS; }
    void Restart() { Start(); }
    void Wait() { WaitForThread(); }

protected:
    int QueryRecords(int& count) override {
        ++runs;
        if (delayMs)
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs.load()));
        count = int(elements.size());
        return failCode;
    }
    bool IsValidElement(int i) const override { return !elements[size_t(i)].empty(); }
    IBaseChunk* CreateChunk(int i) override { return new TestChunk(elements[size_t(i)]); }
};

// Waits for a loader's run to end while the interface thread keeps delivering its reports.
void RunAndWait(TestLoader& loader) {
    loader.Restart();
    loader.Wait();
    QCoreApplication::processEvents();
}

} // namespace

enum class Page { Contacts, Music, Video };

class tst_vexadetails : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // Missing images are reported in a modal message; close any that appear so no test waits on it.
        SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
        auto* closer = new QTimer(this);
        connect(closer, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        closer->start(20);
    }

    void recordListBounds() {
        TestView view;
        view.Fill({"a", "b"});
        TestChunk extra("x");
        QVERIFY(!view.InsertChunk(&extra, 2)); // at the size: nothing inserted
        QVERIFY(!view.InsertChunk(&extra, -1));
        QCOMPARE(view.GetChunkCount(), 2);
        QVERIFY(view.InsertChunk(&extra, 1));
        QCOMPARE(view.GetChunk(1), &extra);
        QVERIFY(!view.GetChunk(3));
        QVERIFY(!view.GetChunk(-1));
        QVERIFY(view.RemoveChunk(1)); // the chunk survives: it is a stack object here
        QVERIFY(!view.RemoveChunk(2));
        QCOMPARE(extra.GetName(), std::string("x"));
        QVERIFY(!view.HasCheckedChunk());
        view.GetChunk(0)->SetChecked(true);
        QVERIFY(view.HasCheckedChunk());
    }

    void modelChecksAndFlags() {
        std::list<IBaseChunk*> list{new TestChunk("a")};
        TestModel model;
        model.SetHeaderLabels({QStringLiteral("Name"), QStringLiteral("Note")});
        QCOMPARE(model.rowCount(), 0); // no list yet
        model.SetChunkList(&list);
        QSignalSpy changed(&model, &QBaseDetailsModel::itemCehckChange);
        const QModelIndex cell = model.index(0, 0);
        // Whatever the proposed value, the mark flips.
        QVERIFY(model.setData(cell, Qt::Unchecked, Qt::CheckStateRole));
        QVERIFY(list.front()->IsChecked());
        QVERIFY(model.setData(cell, Qt::Unchecked, Qt::CheckStateRole));
        QVERIFY(!list.front()->IsChecked());
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(0).at(0).toBool(), true);
        QVERIFY(!model.index(1, 0).isValid());
        QVERIFY(!model.index(0, 0, cell).isValid());
        qDeleteAll(list);
    }

    // The header box sums up the rows' marks; clicking it while partial checks every row, again clears them.
    void headerFollowsSingleChecksAndAClickChecksAll() {
        TestView view;
        view.Fill({"a", "b", "c"});
        QBaseDetailsModel* model = view.Model();
        QCheckHeaderView* header = view.Header();
        for (int row = 0; row < 3; ++row) {
            model->setData(model->index(row, 0), Qt::Checked, Qt::CheckStateRole);
            QCOMPARE(header->CheckState(), row < 2 ? Qt::PartiallyChecked : Qt::Checked);
        }
        model->setData(model->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
        model->setData(model->index(2, 0), Qt::Unchecked, Qt::CheckStateRole);
        QCOMPARE(header->CheckState(), Qt::PartiallyChecked);
        QSignalSpy spy(header, &QCheckHeaderView::checkChange);
        header->CheckBox()->click();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toBool(), true);
        QCOMPARE(header->CheckState(), Qt::Checked);
        for (IBaseChunk* chunk : view.m_records)
            QVERIFY(chunk->IsChecked());
        header->CheckBox()->click();
        QCOMPARE(spy.at(1).at(0).toBool(), false);
        QCOMPARE(header->CheckState(), Qt::Unchecked);
        for (IBaseChunk* chunk : view.m_records)
            QVERIFY(!chunk->IsChecked());
    }

    void sortsInNaturalOrder() {
        TestView view;
        view.Fill({"Song 18", "song 2", "b", "Song 2", "10", "B", "9", "a1", "a01"});
        QSignalSpy sorted(view.SortModel(), &QMySortModel::emitSort);
        view.SortModel()->sort(0, Qt::AscendingOrder);
        QStringList order;
        for (int row = 0; row < view.SortModel()->rowCount(); ++row)
            order << view.SortModel()->index(row, 0).data().toString();
        // Numbers by value, letters without regard to case; ties in a fixed order.
        QCOMPARE(order, (QStringList{"9", "10", "a01", "a1", "B", "b", "Song 2", "song 2", "Song 18"}));
        QCOMPARE(sorted.count(), 1);
        QCOMPARE(sorted.at(0).at(0).toInt(), 0);
    }

    void searchIgnoresCaseAndStillReadsPatterns() {
        TestView view;
        view.Fill({"Anna", "anna", "Bob", "a[b"});
        QMySortModel* proxy = view.SortModel();
        view.OnSearchString(QStringLiteral("^A"));
        QCOMPARE(proxy->rowCount(), 3);
        view.OnSearchString(QStringLiteral("N:b")); // matches through the second column only
        QCOMPARE(proxy->rowCount(), 1);
        view.OnSearchString(QStringLiteral("a[b")); // unbalanced bracket: a pattern that matches nothing
        QCOMPARE(proxy->rowCount(), 0);
        view.OnSearchString(QStringLiteral("A\\[B"));
        QCOMPARE(proxy->rowCount(), 1);
        view.OnSearchString(QString());
        QCOMPARE(proxy->rowCount(), 4);
    }

    void everyPageSearchesAsYouTypeAndSortsNaturally_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("first"); // sorts before `second` by the number in it
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("typed"); // lower case, as people type
        QTest::addColumn<int>("found");
        auto row = [](const char* name, Page page, int records, const char* first, const char* second,
                      const char* typed, int found) {
            QTest::newRow(name) << int(page) << records << QString::fromUtf8(first)
                                << QString::fromUtf8(second) << QString::fromUtf8(typed) << found;
        };
        // The phone's contacts are "<first> <last> <n>"; n = 2, 42, 82 and 122 share both names.
        row("contacts", Page::Contacts, 122, "Chen Costa 2", "Chen Costa 122", "chen costa 1", 1);
        row("music", Page::Music, 20, "Track 2", "Track 18", "track 1", 11);
        row("video", Page::Video, 20, "Video 2", "Video 18", "video 1", 11);
    }

    void everyPageSearchesAsYouTypeAndSortsNaturally() {
        QFETCH(int, page);
        QFETCH(int, records);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, typed);
        QFETCH(int, found);
        if (!m_phone.Manager()) {
            vexa::sim::LargeDeviceSpec spec;
            spec.udid = "00008101-000000000000SE21";
            spec.name = "Search Phone";
            spec.contacts = 122;
            spec.songs = 20;
            spec.videos = 20;
            QVERIFY(m_phone.Plug(spec));
        }
        std::unique_ptr<QBaseDetailsView> view;
        if (page == int(Page::Contacts))
            view = std::make_unique<QContactsView>(m_phone.Manager(), m_phone.Handle());
        else if (page == int(Page::Music))
            view = std::make_unique<QMusicView>(m_phone.Manager(), m_phone.Handle());
        else
            view = std::make_unique<QVideoView>(m_phone.Manager(), m_phone.Handle());
        view->show();
        QMySortModel* proxy = view->SearchModel();
        QVERIFY(view->Start());
        QTRY_COMPARE_WITH_TIMEOUT(proxy->rowCount(), records, 15000);

        proxy->sort(0, Qt::AscendingOrder);
        auto rowOf = [proxy](const QString& name) {
            for (int row = 0; row < proxy->rowCount(); ++row)
                if (proxy->index(row, 0).data().toString() == name)
                    return row;
            return -1;
        };
        QVERIFY(rowOf(first) >= 0);
        QVERIFY(rowOf(first) < rowOf(second));

        // The search follows the typing once it pauses, whatever the letter case.
        QLineEdit* edit = view->OperatePanel()->SearchWidget()->LineEdit();
        QTest::keyClicks(edit, typed);
        QCOMPARE(proxy->rowCount(), records);
        QTRY_COMPARE(proxy->rowCount(), found);
        QVERIFY(!view->NoMatchLabel()->isVisible());

        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("zz#"));
        QTRY_VERIFY(view->NoMatchLabel()->isVisible());
        QVERIFY(view->NoMatchLabel()->text().contains(QStringLiteral("\"zz#\"")));
        edit->clear();
        QTRY_COMPARE(proxy->rowCount(), records);
        QVERIFY(!view->NoMatchLabel()->isVisible());
    }

    void checkCounts() {
        TestLoader loader;
        QCOMPARE(loader.GetCheckState(), int(Qt::Checked)); // empty set reads as all checked
        const bool on = true, off = false;
        loader.CountAdded(&off);
        loader.CountAdded(&off);
        QCOMPARE(loader.GetCheckState(), int(Qt::Unchecked));
        loader.CountToggled(&on);
        QCOMPARE(loader.GetCheckState(), int(Qt::PartiallyChecked));
        loader.CountToggled(&on);
        QCOMPARE(loader.GetCheckState(), int(Qt::Checked));
        loader.CountRemoved(&on);
        QCOMPARE(loader.CheckedCount(), quint64(1));
        loader.ResetCheckCounts();
        QCOMPARE(loader.CheckedCount() + loader.UncheckedCount(), quint64(0));
    }

    void loadReportsInOrderSkipsInvalidAndFailsCleanly() {
        TestLoader loader;
        Recorder recorder;
        loader.elements = {"a", "b", "c"};
        loader.SetCallback(&recorder);
        RunAndWait(loader);
        QCOMPARE(recorder.begins, 1);
        QCOMPARE(recorder.ends, 1);
        QVERIFY(recorder.onGuiThread);
        // First and last reports carry no chunk; the records in between do.
        const std::vector<std::pair<quint64, quint64>> expected{{0, 3}, {0, 3}, {1, 3}, {2, 3}, {2, 3}};
        QCOMPARE(recorder.progress, expected);
        QCOMPARE(recorder.progressHadChunk, (std::vector<bool>{false, true, true, true, false}));
        QCOMPARE(loader.GetCount(), 3);
        QCOMPARE(loader.GetAt(2)->GetName(), std::string("c"));
        QCOMPARE(loader.GetAt(2)->GetOwner(), reinterpret_cast<quintptr>(&loader));
        QVERIFY(!loader.GetAt(3));
        QVERIFY(!loader.IsBusy());

        // Invalid elements are skipped, and still counted; a failed query ends without a record.
        loader.elements = {"", ""};
        recorder = Recorder();
        RunAndWait(loader);
        QCOMPARE(loader.GetCount(), 0);
        QCOMPARE(loader.GetCurrent(), 2); // invalid elements still counted
        QCOMPARE(recorder.progress.back(), (std::pair<quint64, quint64>{1, 2}));

        loader.elements = {"a"};
        loader.failCode = 5;
        recorder = Recorder();
        RunAndWait(loader);
        QCOMPARE(loader.GetCount(), 0);
        QCOMPARE(recorder.begins, 1);
        QCOMPARE(recorder.ends, 1);
        QVERIFY(recorder.progress.empty());

        // Without a callback the loader never asks the device.
        TestLoader silent;
        silent.Restart();
        silent.Wait();
        QCOMPARE(silent.runs.load(), 0);
    }

    void zeroRecordsShowEmptyPanel() {
        TestLoader loader;
        TestView view;
        view.SetChunkList(loader.Records());
        loader.SetCallback(&view);
        view.show();
        RunAndWait(loader);
        QCOMPARE(view.State(), QBaseDetailsView::ContentState::Empty);
        QVERIFY(view.AddWidget()->isVisible());
        QVERIFY(!view.TableView()->isVisible());
        QVERIFY(!view.OperatePanel()->IsListBtnEnabled());
        QVERIFY(!view.OperatePanel()->IsThumbBtnEnabled());

        loader.elements = {"a"};
        RunAndWait(loader);
        QCOMPARE(view.State(), QBaseDetailsView::ContentState::Table);
        QVERIFY(view.TableView()->isVisible());
        QVERIFY(!view.AddWidget()->isVisible());
        QVERIFY(view.OperatePanel()->isEnabled());
        QCOMPARE(view.Model()->rowCount(), 1);
        loader.SetCallback(nullptr); // the view goes first
    }

    void restartRebuildsFromScratch() {
        TestLoader loader;
        Recorder recorder;
        loader.SetCallback(&recorder);
        loader.elements = {"a", "b"};
        loader.delayMs = 150;
        loader.Restart();
        QTRY_VERIFY(loader.IsBusy());
        // Restarting waits for the running load, then loads again from an empty list.
        loader.Restart();
        loader.Wait();
        QCoreApplication::processEvents();
        QCOMPARE(loader.runs.load(), 2);
        QCOMPARE(loader.GetCount(), 2);
        QCOMPARE(recorder.begins, 2);
        QCOMPARE(recorder.ends, 2);
    }

    void errorTextOutlivesSender() {
        Recorder recorder;
        QAnalysisCallbackAdapter adapter(&recorder);
        std::thread worker([&adapter] {
            auto text = std::make_unique<char[]>(32);
            std::strcpy(text.get(), "device gone <&>");
            adapter.EmitError(text.get());
            text.reset(); // the worker's buffer is gone before the interface thread reads it
        });
        worker.join();
        QTRY_COMPARE(recorder.errors.size(), 1);
        QCOMPARE(recorder.errors.front(), QStringLiteral("device gone <&>"));
    }

    void switchingDisplays() {
        TestView view;
        view.show();
        auto* thumbs = new QWidget(&view);
        view.SetThumbWidget(thumbs);
        QVERIFY(view.OperatePanel()->IsThumbBtnEnabled());
        QVERIFY(view.TableView()->isVisible());
        view.clickThumb();
        QVERIFY(thumbs->isVisible());
        QVERIFY(!view.TableView()->isVisible());
        QCOMPARE(view.CurrentWidget(), thumbs);
        view.clickThumb(); // already shown: nothing changes
        QCOMPARE(view.CurrentWidget(), thumbs);
        view.clickList();
        QCOMPARE(view.CurrentWidget(), static_cast<QWidget*>(view.TableView()));
    }

    void cleanupTestCase() { m_phone.Release(); }

private:
    // The pages read a phone of the simulator, plugged in by their first test.
    SimPhone m_phone;
};

QTEST_MAIN(tst_vexadetails)
#include "tst_vexadetails.moc"
