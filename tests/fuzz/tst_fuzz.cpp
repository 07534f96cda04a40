// Replays every seed and every past finding through its fuzz target. A crash here is a regression of a
// fixed parser fault; the sanitizer builds turn silent memory faults into failures too.
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include "FuzzRegistry.h"

namespace {

QStringList inputsOf(const QString& target) {
    QStringList files;
    for (const char* kind : {"corpus", "regressions"}) {
        const QDir folder(QStringLiteral(VEXA_FUZZ_DIR "/%1/%2").arg(QLatin1String(kind), target));
        for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
            files << folder.filePath(name);
    }
    return files;
}

} // namespace

class TestFuzz : public QObject {
    Q_OBJECT
private slots:
    void everyTargetHasSeeds();
    void replaysEveryInput_data();
    void replaysEveryInput();
};

void TestFuzz::everyTargetHasSeeds() {
    QVERIFY(fuzz::Targets().size() >= 15);
    for (const auto& [name, entry] : fuzz::Targets()) {
        const QString target = QString::fromStdString(name);
        QVERIFY2(!QDir(QStringLiteral(VEXA_FUZZ_DIR "/corpus/") + target).isEmpty(QDir::Files),
                 qPrintable(target + QStringLiteral(" has no seed corpus")));
    }
}

void TestFuzz::replaysEveryInput_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("file");
    for (const auto& [name, entry] : fuzz::Targets()) {
        const QString target = QString::fromStdString(name);
        for (const QString& file : inputsOf(target)) {
            const QString row = target + QLatin1Char('/') + QFileInfo(file).dir().dirName().left(1) +
                                QLatin1Char(':') + QFileInfo(file).fileName();
            QTest::newRow(qPrintable(row)) << target << file;
        }
    }
}

void TestFuzz::replaysEveryInput() {
    QFETCH(QString, target);
    QFETCH(QString, file);
    QFile input(file);
    QVERIFY(input.open(QIODevice::ReadOnly));
    const QByteArray data = input.readAll();
    const fuzz::Entry entry = fuzz::Targets().at(target.toStdString());
    QCOMPARE(entry(reinterpret_cast<const uint8_t*>(data.constData()), static_cast<size_t>(data.size())), 0);
}

QTEST_GUILESS_MAIN(TestFuzz)
#include "tst_fuzz.moc"
