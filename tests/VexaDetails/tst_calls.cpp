#include <cmath>
#include <filesystem>
#include <fstream>

#include <QFile>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "AppPaths.h"
#include "CCallChunk.h"
#include "CRecordFileExport.h"
#include "LanguageService.h"
#include "MessageCatcher.h"
#include "QCallsModel.h"
#include "QCallsView.h"
#include "QImageButton.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"
#include "SimPhone.h"
#include "TestFiles.h"
#include "sim/FaultInjector.h"
#include "sim/content/CallHistoryStore.h"

using vexa::sim::CallHistoryStore;

namespace {

const char* const kUdid = "00008101-00000000000CA115";
const QString kUnreadable = QStringLiteral("The call history could not be read from the device.");
constexpr int64_t kFirstCall = 1767261600; // 2026-01-01 10:00 UTC

// The calls of the tests, oldest first. The phone's contacts 1 and 2 are "Bea Brandt 1" at
// +1 555 1000001 and "Chen Costa 2" at +1 555 1000002; the calls write their numbers otherwise.
const std::vector<CallHistoryStore::Call> kCalls = {
    {"+15551000001", kFirstCall, 3725.4, true, true, CALL_PHONE},
    {"+1 202 555 0143", kFirstCall + 60, 0, false, false, CALL_FACETIME_VIDEO},
    {"(555) 100-0002", kFirstCall + 120, 0, true, false, CALL_FACETIME_AUDIO},
    {"", kFirstCall + 180, 59.5, false, true, CALL_PHONE},
    {"+1 555 1000001", kFirstCall + 240, 600, false, true, CALL_OTHER},
};

} // namespace

class tst_calls : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
        vexa::sim::LargeDeviceSpec spec;
        spec.udid = kUdid;
        spec.name = "Calls Phone";
        spec.contacts = 3;
        QVERIFY(m_phone.Plug(spec));
        m_manager = m_phone.Manager();
        m_messages = new MessageCatcher;
    }

    void cleanupTestCase() {
        delete m_messages;
        m_phone.Release();
    }

    void init() {
        m_messages->Clear();
        WriteCalls(kCalls);
    }

    void cleanup() { vexa::sim::FaultInjector::Clear(m_phone.FaultsFile()); }

    void pageShowsNamesDirectionsAndOutcomesNewestFirst() {
        QCallsView view(m_manager, m_phone.Handle());
        QSignalSpy node(&view, &QCallsView::refreshCallsNode);
        Load(view);
        QVERIFY(m_messages->Messages().isEmpty());
        QCOMPARE(view.RecordCount(), 5);
        QCOMPARE(node.count(), 1);
        QCOMPARE(view.State(), QBaseDetailsView::ContentState::Table);

        // A number the address book knows, however it is written, reads as the contact's name.
        QCOMPARE(Column(view, QCallsModel::NameColumn),
                 QStringList({"Bea Brandt 1", "", "Chen Costa 2", "+1 202 555 0143", "Bea Brandt 1"}));
        QCOMPARE(Column(view, QCallsModel::DirectionColumn),
                 QStringList({"Incoming", "Incoming", "Outgoing", "Incoming", "Outgoing"}));
        // A call nobody took is missed when it came in, and not answered when it went out.
        QCOMPARE(Column(view, QCallsModel::AnsweredColumn),
                 QStringList({"Yes", "Yes", "No", "Missed", "Yes"}));
        QCOMPARE(Column(view, QCallsModel::TypeColumn),
                 QStringList({"Other", "Phone", "FaceTime Audio", "FaceTime Video", "Phone"}));
        QCOMPARE(Column(view, QCallsModel::DurationColumn),
                 QStringList({"10:00", "0:59", "0:00", "0:00", "1:02:05"}));

        // Durations sort by time, not by their letters.
        view.TableView()->sortByColumn(QCallsModel::DurationColumn, Qt::DescendingOrder);
        QCOMPARE(Column(view, QCallsModel::DurationColumn).first(), QStringLiteral("1:02:05"));
        QCOMPARE(Column(view, QCallsModel::DurationColumn).at(1), QStringLiteral("10:00"));

        // Read only: nothing on the page adds or deletes.
        for (const char* name : {"m_addBtn", "m_deleteBtn"}) {
            const auto* button = view.OperatePanel()->findChild<QImageButton*>(QLatin1String(name));
            QVERIFY(button && !button->isVisibleTo(&view));
        }
        for (int i = 0; i < view.GetChunkCount(); ++i)
            QVERIFY(!view.GetChunk(i)->CanDelete());
    }

    void durationsReadAsClockTimes_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << 0.0 << "0:00";
        QTest::newRow("a fraction short of a minute") << 59.99 << "0:59";
        QTest::newRow("one minute") << 60.0 << "1:00";
        QTest::newRow("just under an hour") << 3599.0 << "59:59";
        QTest::newRow("one hour") << 3600.0 << "1:00:00";
        QTest::newRow("over a day") << 90061.0 << "25:01:01";
        QTest::newRow("negative") << -5.0 << "0:00";
        QTest::newRow("not a number") << std::nan("") << "0:00";
    }

    void durationsReadAsClockTimes() {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(CCallChunk::DurationText(seconds), text);
    }

    void searchLooksAtNamesAndNumbersOnly_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows");
        QTest::newRow("a contact's name") << "bea" << 2;
        QTest::newRow("a contact's number as the call wrote it") << "100-0002" << 1;
        QTest::newRow("a stranger's number") << "202 555" << 1;
        QTest::newRow("a word of another column") << "Missed" << 0;
        QTest::newRow("nothing typed") << "" << 5;
    }

    void searchLooksAtNamesAndNumbersOnly() {
        QFETCH(QString, text);
        QFETCH(int, rows);
        QCallsView view(m_manager, m_phone.Handle());
        Load(view);
        view.OnSearchString(text);
        QCOMPARE(view.SortModel()->rowCount(), rows);
    }

    void exportsReadBackInIndependentReaders();

    void unreadableCallHistory_data() {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("warned");
        QTest::newRow("a phone without call history shows none") << QByteArray() << QString() << false;
        QTest::newRow("not a database") << QByteArray(4096, 'x') << QString() << true;
        QTest::newRow("a database without the call table")
            << QByteArray("CREATE TABLE ZOTHER(Z_PK INTEGER);") << QString() << true;
        QTest::newRow("the device fails the listing")
            << QByteArray("keep") << QStringLiteral("GetCallHistory") << true;
    }

    void unreadableCallHistory() {
        QFETCH(QByteArray, content);
        QFETCH(QString, fault);
        QFETCH(bool, warned);
        if (content.startsWith("CREATE")) {
            std::filesystem::remove(CallFile());
            QCOMPARE(
                PythonLines("import sqlite3, sys; sqlite3.connect(sys.argv[1]).executescript(sys.argv[2])",
                            {QString::fromStdString(CallFile().string()), QString::fromUtf8(content)}),
                QStringList());
        } else if (content.isEmpty()) {
            std::filesystem::remove(CallFile());
        } else if (content != "keep") {
            std::ofstream(CallFile(), std::ios::binary | std::ios::trunc) << content.toStdString();
        }
        if (!fault.isEmpty())
            QCOMPARE(vexa::sim::FaultInjector::Add(m_phone.FaultsFile(),
                                                   {.operation = fault.toStdString(), .code = VEXA_E_IO}),
                     0);

        QCallsView view(m_manager, m_phone.Handle());
        QSignalSpy node(&view, &QCallsView::refreshCallsNode);
        Load(view);
        if (warned)
            QTRY_COMPARE(m_messages->Messages(), QStringList({kUnreadable}));
        else
            QVERIFY(m_messages->Messages().isEmpty());
        // The page stays usable and empty, and the tree's node stops waiting.
        QCOMPARE(view.GetChunkCount(), 0);
        QCOMPARE(view.State(), QBaseDetailsView::ContentState::Empty);
        QVERIFY(view.OperatePanel()->isEnabled());
        QCOMPARE(node.count(), 1);
    }

private:
    std::filesystem::path CallFile() const { return CallHistoryStore::DatabasePath(m_phone.Folder()); }

    void WriteCalls(const std::vector<CallHistoryStore::Call>& calls) {
        std::filesystem::remove(CallFile());
        QCOMPARE(CallHistoryStore::Write(m_phone.Folder(), int(calls.size()),
                                         [&calls](int i) { return calls[size_t(i)]; }),
                 0);
    }

    void Load(QCallsView& view) {
        QSignalSpy finished(&view, &QBaseDetailsView::loadFinished);
        view.OnRefresh();
        QVERIFY(finished.wait(10000));
        QTRY_VERIFY(!view.IsRunning());
    }

    // The column's texts in the order the table shows them.
    QStringList Column(QCallsView& view, int column) const {
        QStringList texts;
        const QAbstractItemModel* shown = view.SortModel();
        for (int row = 0; row < shown->rowCount(); ++row)
            texts << shown->index(row, column).data().toString();
        return texts;
    }

    SimPhone m_phone;
    IVexaManager* m_manager = nullptr;
    MessageCatcher* m_messages = nullptr;
};

void tst_calls::exportsReadBackInIndependentReaders() {
    QCallsView view(m_manager, m_phone.Handle());
    Load(view);
    // The newest two and the withheld number are checked.
    for (int i : {0, 1, 2})
        view.GetChunk(i)->SetChecked(true);

    QTemporaryDir folder;
    const QString xml = folder.filePath(QStringLiteral("calls.xml"));
    const QString xls = folder.filePath(QStringLiteral("calls.xls"));
    const QString txt = folder.filePath(QStringLiteral("calls.txt"));
    for (const QString& path : {xml, xls, txt})
        QVERIFY(CRecordFileExport::Export(view, path.toStdString()));

    const QString fields =
        QStringLiteral("Name PhoneNumber Datetime Duration Seconds Direction Answered Type");
    const QStringList times = {QString::number(kFirstCall + 240), QString::number(kFirstCall + 180),
                               QString::number(kFirstCall + 120)};
    const QStringList xmlLines = PythonLines(R"(
import sys, datetime
from lxml import etree
root = etree.parse(sys.argv[1]).getroot()
print(root.tag)
for item in root.findall('Item'):
    print('|'.join(item.get(name) or '' for name in sys.argv[2].split()))
for time in sys.argv[3:]:
    print(datetime.datetime.fromtimestamp(int(time)).strftime('%Y-%m-%d %H:%M:%S'))
)",
                                             QStringList{xml, fields} + times);
    QCOMPARE(xmlLines.size(), 7);
    const QStringList records = {
        "Bea Brandt 1|+1 555 1000001|" + xmlLines.at(4) + "|10:00|600.000|Incoming|Yes|Other",
        "||" + xmlLines.at(5) + "|0:59|59.500|Incoming|Yes|Phone",
        "Chen Costa 2|(555) 100-0002|" + xmlLines.at(6) + "|0:00|0.000|Outgoing|No|FaceTime Audio"};
    QCOMPARE(xmlLines.mid(0, 4), QStringList{QStringLiteral("Calls")} + records);

    // The spreadsheet holds the same records below a header of the field names.
    QCOMPARE(PythonLines(R"(
import sys, xlrd
sheet = xlrd.open_workbook(sys.argv[1]).sheet_by_name('Sheet1')
for r in range(sheet.nrows):
    print('|'.join(str(v) for v in sheet.row_values(r)[1:]))
)",
                         {xls}),
             QStringList{fields.split(QLatin1Char(' ')).join(QLatin1Char('|'))} + records);
    const QString written = QString::fromUtf8(ReadFile(txt));
    for (const char* expected : {"Bea Brandt 1", "Chen Costa 2", "FaceTime Audio", "Outgoing"})
        QVERIFY2(written.contains(QLatin1String(expected)), expected);
    QVERIFY(!written.contains(QLatin1String("202 555 0143"))); // not checked
}

QTEST_MAIN(tst_calls)
#include "tst_calls.moc"
