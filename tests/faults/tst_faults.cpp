#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QTest>

#include "CSingleDetectiPhone.h"
#include "DialogAnswerer.h"
#include "FaultSweep.h"
#include "LanguageService.h"
#include "QNavigateWidget.h"
#include "SimDevices.h"

namespace {
const char* const kUdid = "00008101-00000000000FA017";
// The table is long: CTest runs it as several programs side by side. VEXA_SWEEP_PART="k/n" keeps every
// n-th operation starting at the k-th; without it the whole table runs.
// VEXA_SWEEP_ONLY="InstallApp,GetVideos" keeps only the named operations (for working on a few rows).
std::vector<SweepOperation> OperationsOfThisPart() {
    std::vector<SweepOperation> all = SweepOperations();
    const QStringList only =
        qEnvironmentVariable("VEXA_SWEEP_ONLY").split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (!only.isEmpty())
        std::erase_if(
            all, [&](const SweepOperation& operation) { return !only.contains(operation.call.operation); });
    const QStringList part = qEnvironmentVariable("VEXA_SWEEP_PART").split(QLatin1Char('/'));
    bool okIndex = false, okCount = false;
    const int index = part.size() == 2 ? part[0].toInt(&okIndex) : 0;
    const int count = part.size() == 2 ? part[1].toInt(&okCount) : 1;
    if (!okIndex || !okCount || count < 1 || index < 0 || index >= count)
        return all;
    std::vector<SweepOperation> mine;
    for (size_t i = 0; i < all.size(); ++i) {
        if (int(i % size_t(count)) == index)
            mine.push_back(std::move(all[i]));
    }
    return mine;
}
} // namespace

// Every device operation the program calls, under every fault the simulator can make, through the views
// the user works with.
class tst_faults : public QObject {
    Q_OBJECT
public slots:
    // A finished export opens its folder; here nothing is opened.
    void OnOpenUrl(const QUrl&) {}

private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyOperationSurvivesEveryFault();

private:
    QString m_root;
    DialogAnswerer* m_dialogs = nullptr;
    QNavigateWidget* m_navigate = nullptr;
    std::unique_ptr<SweepDevice> m_device;
};

void tst_faults::initTestCase() {
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
    m_root = qEnvironmentVariable("VEXA_SIM_ROOT");
    QVERIFY(!m_root.isEmpty());
    QDir(m_root).removeRecursively();
    QVERIFY(QDir().mkpath(m_root));
    QCOMPARE(SimCtl({"create", "--udid", kUdid, "--name", "Fault Phone", "--product-type", "iPhone8,1",
                     "--contacts", "3", "--messages", "6", "--songs", "2"}),
             0);
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "OnOpenUrl");
    m_dialogs = new DialogAnswerer;
    m_navigate = new QNavigateWidget;
    m_navigate->resize(960, 600);
    m_navigate->show();
    m_device = std::make_unique<SweepDevice>(m_navigate, m_dialogs, m_root, kUdid);
    QVERIFY(m_device->WaitShown());
}

void tst_faults::cleanupTestCase() {
    m_device.reset();
    delete m_navigate;
    delete m_dialogs;
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QVERIFY(CSingleDetectiPhone::Instance()->Managers().isEmpty());
}

void tst_faults::everyOperationSurvivesEveryFault() {
    FaultSweep sweep(*m_device);
    QStringList table;
    // The table is printed line by line as the cells run, so a crash still shows how far it got.
    qInfo().noquote() << "Fault sweep: operation [how it is reached] | fault | result";
    const bool ok = sweep.Run(OperationsOfThisPart(), &table);
    QVERIFY2(ok, "a cell of the fault sweep failed; see the table above");
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    tst_faults test;
    // The table is long and the offscreen platform warns about every dialog it shows: without this, Qt Test
    // stops printing after its default number of messages and cuts the table.
    QStringList arguments = app.arguments();
    arguments << QStringLiteral("-maxwarnings") << QStringLiteral("0");
    return QTest::qExec(&test, arguments);
}

#include "tst_faults.moc"
