#include "XLSFile.h"

#include <string>

#include <unistd.h>

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using xlsFile::XLSFile;
using xlsFile::XLSResult;
using xlsFile::XLSSheet;

namespace {

struct Cell {
    int row;
    int column;
    int type;
    QString value;
    bool bold;
};

// What xlrd read: per sheet its name, size and cells (or their digest).
struct Workbook {
    bool ok = false;
    QString error;
    QJsonArray sheets;

    QJsonObject sheet(int index) const { return sheets.at(index).toObject(); }
    QList<Cell> cells(int index) const {
        QList<Cell> result;
        for (const QJsonValue& value : sheet(index).value("cells").toArray()) {
            const QJsonArray cell = value.toArray();
            result.append(
                {cell[0].toInt(), cell[1].toInt(), cell[2].toInt(), cell[3].toString(), cell[4].toBool()});
        }
        return result;
    }
    std::optional<Cell> cell(int index, int row, int column) const {
        for (const Cell& cell : cells(index)) {
            if (cell.row == row && cell.column == column)
                return cell;
        }
        return std::nullopt;
    }
};

constexpr int kXlrdText = 1;
constexpr int kXlrdBlank = 6;

// Saves the workbook and reads the file back with xlrd; a failed save, a failed read or a complaint xlrd
// logged leaves `ok` false with the reason in `error`.
Workbook saveAndRead(XLSFile& file, const QString& path, bool digest = false) {
    Workbook workbook;
    if (const XLSResult saved = file.save(); saved != XLSResult::Ok) {
        workbook.error = QStringLiteral("saving failed with %1").arg(int(saved));
        return workbook;
    }
    QProcess python;
    QStringList arguments{QStringLiteral(VEXA_SOURCE_DIR "/tests/platform/xls/read_xls.py"), path};
    if (digest)
        arguments << "--digest";
    python.start("/usr/bin/python3", arguments);
    if (!python.waitForFinished(240000) || python.exitCode() != 0) {
        workbook.error = QString::fromUtf8(python.readAllStandardError());
        return workbook;
    }
    const QJsonObject root = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    for (const QJsonValue& problem : root.value("problems").toArray())
        workbook.error += problem.toString() + '\n';
    workbook.sheets = root.value("sheets").toArray();
    workbook.ok = workbook.error.isEmpty();
    return workbook;
}

// 7-Zip reads Compound Files with its own code; its test walks every sector chain.
bool sevenZipAccepts(const QString& path) {
    QProcess sevenZip;
    sevenZip.start("7z", {"t", path});
    return sevenZip.waitForFinished(120000) && sevenZip.exitCode() == 0 &&
           sevenZip.readAllStandardOutput().contains("Everything is Ok");
}

std::string utf8(const QString& text) {
    return text.toStdString();
}

} // namespace

class TestXls : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void exportLayoutReadsBackWithBoldHeaderAndEmptyFirstColumn() {
        const QString file = path("contacts.xls");
        XLSFile workbook(file.toUtf8().constData(), 0);
        XLSSheet sheet = workbook.newSheet("Sheet1");
        const char* header[] = {"id", "Name", "Type", "PhoneNumber"};
        for (unsigned column = 0; column < 4; ++column) {
            QCOMPARE(sheet.setText(0, column + 1, header[column]), XLSResult::Ok);
            QCOMPARE(sheet.setFontBold(0, column + 1, xlsFile::kBold), XLSResult::Ok);
        }
        sheet.setText(1, 1, "12");
        sheet.setText(1, 2, "Ann");
        sheet.setText(1, 3, "mobile");
        sheet.setText(1, 4, "555");
        sheet.setText(2, 1, "13");
        const Workbook read = saveAndRead(workbook, file);
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.sheets.size(), 1);
        QCOMPARE(read.sheet(0).value("name").toString(), QString("Sheet1"));
        QCOMPARE(read.sheet(0).value("nrows").toInt(), 3);
        QCOMPARE(read.sheet(0).value("ncols").toInt(), 5);
        const QList<Cell> cells = read.cells(0);
        QCOMPARE(cells.size(), 9);
        for (const Cell& cell : cells) {
            QVERIFY(cell.column != 0);
            QCOMPARE(cell.type, kXlrdText);
            QCOMPARE(cell.bold, cell.row == 0);
        }
        QCOMPARE(read.cell(0, 0, 4)->value, QString("PhoneNumber"));
        QCOMPARE(read.cell(0, 1, 3)->value, QString("mobile"));
        QCOMPARE(read.cell(0, 2, 1)->value, QString("13"));
        QVERIFY(sevenZipAccepts(file));
    }

    void sheetCopiesWriteIntoTheSameWorkbook() {
        const QString file = path("copy.xls");
        XLSFile workbook(file.toUtf8().constData());
        XLSSheet copy;
        QVERIFY(!copy.isValid());
        copy = workbook.newSheet("Sheet1");
        XLSSheet other = copy;
        copy.setText(0, 0, "from the copy");
        other.setText(1, 0, "from the other");
        const Workbook read = saveAndRead(workbook, file);
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.cells(0).size(), 2);
        QCOMPARE(read.cell(0, 1, 0)->value, QString("from the other"));
    }

    void trickyTextsRoundTrip() {
        const QStringList texts{
            QString(),
            QString::fromUtf8(
                "Ann \xF0\x9F\x98\x80 \xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9"), // emoji and a ZWJ
                                                                                      // sequence
            QString::fromUtf8(
                "\xE4\xB8\xAD\xE6\x96\x87\xE5\x90\x8D\xE5\xAD\x97 \xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4"),
            QString::fromUtf8("M\xC3\xBCller \xC3\x9F \xC2\xA9"), // fits in single bytes, stored compressed
            "say \"hi\" and 'bye', <tag> & ;",
            "line one\nline two\r\nline three\ttabbed",
            "  leading and trailing spaces  ",
            "=1+1",
        };
        const QString file = path("tricky.xls");
        XLSFile workbook(file.toUtf8().constData());
        XLSSheet sheet = workbook.newSheet("Sheet1");
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(sheet.setText(i, 1, utf8(texts[i])), XLSResult::Ok);
            sheet.setText(i, 2, utf8(texts[i])); // repeated texts share one table entry
        }
        const Workbook read = saveAndRead(workbook, file);
        QVERIFY2(read.ok, qPrintable(read.error));
        for (int i = 0; i < texts.size(); ++i) {
            for (int column = 1; column <= 2; ++column) {
                const std::optional<Cell> cell = read.cell(0, i, column);
                QVERIFY2(cell.has_value(), qPrintable(QString("row %1").arg(i)));
                QCOMPARE(cell->type, kXlrdText);
                QCOMPARE(cell->value, texts[i]);
            }
        }
    }

    // Strings longer than a record continue in CONTINUE records. Varying prefixes move the record
    // boundaries to every position within the characters, including between the halves of an emoji.
    void longStringsSpanningContinueRecordsRoundTrip() {
        QStringList texts;
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        for (int shift = 0; shift < 6; ++shift) {
            QString mixed = QString(shift, QChar(0x4E2D));
            for (int i = 0; mixed.size() < 10000; ++i)
                mixed += (i % 3 == 0) ? emoji : QString("x");
            texts << mixed;
            texts << QString(10000 - shift, QChar('a' + shift)); // compressed, split on any byte
        }
        for (int i = 0; i < 2000; ++i)
            texts << QString("short %1").arg(i); // many small strings, several buckets
        texts << QString(10000, QChar(0x00FC));

        const QString file = path("long.xls");
        XLSFile workbook(file.toUtf8().constData());
        XLSSheet sheet = workbook.newSheet("Sheet1");
        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(sheet.setText(i, 0, utf8(texts[i])), XLSResult::Ok);
        const Workbook read = saveAndRead(workbook, file);
        QVERIFY2(read.ok, qPrintable(read.error));
        const QList<Cell> cells = read.cells(0);
        QCOMPARE(cells.size(), texts.size());
        for (const Cell& cell : cells)
            QCOMPARE(cell.value, texts[cell.row]);
    }

    void boldnessAndTextCanBeSetInAnyOrder() {
        const QString file = path("bold.xls");
        XLSFile workbook(file.toUtf8().constData());
        XLSSheet sheet = workbook.newSheet("Sheet1");
        sheet.setFontBold(0, 0, xlsFile::kBold); // bold before the text
        sheet.setText(0, 0, "bold first");
        sheet.setText(0, 1, "text first");
        sheet.setFontBold(0, 1, xlsFile::kBold);
        sheet.setText(0, 1, "replaced"); // replacing text keeps the font
        sheet.setText(0, 2, "made regular again");
        sheet.setFontBold(0, 2, xlsFile::kBold);
        sheet.setFontBold(0, 2, xlsFile::kNotBold);
        sheet.setFontBold(1, 0, xlsFile::kBold); // bold without text: a formatted blank cell
        sheet.setFontBold(1, 1, xlsFile::kBold);
        sheet.setFontBold(1, 1, xlsFile::kNotBold); // and undone: no cell at all
        QCOMPARE(sheet.setFontBold(0, 0, 7), XLSResult::InvalidArgument);
        const Workbook read = saveAndRead(workbook, file);
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.cells(0).size(), 4);
        QVERIFY(read.cell(0, 0, 0)->bold);
        QCOMPARE(read.cell(0, 0, 1)->value, QString("replaced"));
        QVERIFY(read.cell(0, 0, 1)->bold);
        QVERIFY(!read.cell(0, 0, 2)->bold);
        QCOMPARE(read.cell(0, 1, 0)->type, kXlrdBlank);
        QVERIFY(read.cell(0, 1, 0)->bold);
        QVERIFY(!read.cell(0, 1, 1).has_value());
    }

    void severalSheetsKeepTheirNamesAndCells() {
        const QString file = path("sheets.xls");
        XLSFile workbook(file.toUtf8().constData());
        const QStringList names{"Sheet1",
                                QString::fromUtf8("\xC3\x9C"
                                                  "bersicht"),
                                QString::fromUtf8("\xE8\x81\x94\xE7\xB3\xBB\xE4\xBA\xBA"), "Empty"};
        for (int i = 0; i < names.size(); ++i) {
            XLSSheet sheet = workbook.newSheet(utf8(names[i]).c_str());
            QCOMPARE(QString::fromStdString(sheet.name()), names[i]);
            if (i < 3)
                sheet.setText(i, i, utf8(names[i]));
        }
        QCOMPARE(workbook.sheetCount(), std::size_t(4));
        const Workbook read = saveAndRead(workbook, file);
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.sheets.size(), names.size());
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(read.sheet(i).value("name").toString(), names[i]);
            QCOMPARE(read.cells(i).size(), i < 3 ? 1 : 0);
            if (i < 3)
                QCOMPARE(read.cell(i, i, i)->value, names[i]);
        }
    }

    void lastRowAndColumnAreWrittenAndBeyondIsRefused() {
        const QString file = path("limits.xls");
        XLSFile workbook(file.toUtf8().constData());
        XLSSheet sheet = workbook.newSheet("Sheet1");
        QCOMPARE(sheet.setText(65535, 255, "corner"), XLSResult::Ok);
        QCOMPARE(sheet.setFontBold(65535, 255, xlsFile::kBold), XLSResult::Ok);
        QCOMPARE(sheet.setText(65536, 0, "below"), XLSResult::RowOutOfRange);
        QCOMPARE(sheet.setText(0, 256, "right"), XLSResult::ColumnOutOfRange);
        QCOMPARE(sheet.setFontBold(70000, 0, xlsFile::kBold), XLSResult::RowOutOfRange);
        QCOMPARE(sheet.setFontBold(0, 4096, xlsFile::kBold), XLSResult::ColumnOutOfRange);
        const Workbook read = saveAndRead(workbook, file);
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.sheet(0).value("nrows").toInt(), 65536);
        QCOMPARE(read.sheet(0).value("ncols").toInt(), 256);
        QCOMPARE(read.cells(0).size(), 1);
        QCOMPARE(read.cell(0, 65535, 255)->value, QString("corner"));
        QVERIFY(read.cell(0, 65535, 255)->bold);
    }

    void overlongTextIsCutToACellsCapacity() {
        const QString file = path("overlong.xls");
        XLSFile workbook(file.toUtf8().constData());
        XLSSheet sheet = workbook.newSheet("Sheet1");
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        QCOMPARE(sheet.setText(0, 0, std::string(32767, 'a')), XLSResult::Ok);
        QCOMPARE(sheet.setText(1, 0, std::string(40000, 'b')), XLSResult::TextTruncated);
        // 32766 units plus an emoji would end in half a pair; the whole emoji goes instead.
        QCOMPARE(sheet.setText(2, 0, std::string(32766, 'c') + utf8(emoji)), XLSResult::TextTruncated);
        QCOMPARE(sheet.setText(3, 0, nullptr), XLSResult::InvalidArgument);
        const Workbook read = saveAndRead(workbook, file);
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.cell(0, 0, 0)->value, QString(32767, 'a'));
        QCOMPARE(read.cell(0, 1, 0)->value, QString(32767, 'b'));
        QCOMPARE(read.cell(0, 2, 0)->value, QString(32766, 'c'));
        QVERIFY(!read.cell(0, 3, 0).has_value());
    }

    void invalidSheetNamesAndHandlesAreRefused() {
        XLSFile workbook(path("names.xls").toUtf8().constData());
        XLSResult result = XLSResult::Ok;
        for (const char* name : {"", "a:b", "a/b", "a\\b", "a?b", "a*b", "[a]", "'quoted'",
                                 "a name longer than thirty-one ch"}) {
            const XLSSheet sheet = workbook.newSheet(name, &result);
            QVERIFY2(!sheet.isValid(), name);
            QCOMPARE(result, XLSResult::InvalidSheetName);
        }
        QVERIFY(!workbook.newSheet(nullptr).isValid());
        QVERIFY(workbook.newSheet("a name of exactly thirty-one c", &result).isValid());
        QVERIFY(workbook.newSheet("Sheet1", &result).isValid());
        QVERIFY(!workbook.newSheet("SHEET1", &result).isValid());
        QCOMPARE(result, XLSResult::DuplicateSheetName);
        QCOMPARE(workbook.sheetCount(), std::size_t(2));

        XLSSheet unbound;
        QCOMPARE(unbound.setText(0, 0, "x"), XLSResult::InvalidSheet);
        QCOMPARE(unbound.setFontBold(0, 0, xlsFile::kBold), XLSResult::InvalidSheet);

        XLSFile empty(path("empty.xls").toUtf8().constData());
        QCOMPARE(empty.save(), XLSResult::NoSheets);
        XLSFile otherMode(path("mode.xls").toUtf8().constData(), 3);
        otherMode.newSheet("Sheet1");
        QCOMPARE(otherMode.save(), XLSResult::UnsupportedMode);
        QVERIFY(!QFile::exists(path("empty.xls")));
        QVERIFY(!QFile::exists(path("mode.xls")));
    }

    // Over 7 MB the FAT needs more sectors than the header lists, so DIFAT sectors carry the rest.
    void largeWorkbookUsesDifatAndReadsBackIntact() {
        const QString file = path("large.xls");
        XLSFile workbook(file.toUtf8().constData());
        XLSSheet sheet = workbook.newSheet("Sheet1");
        QCryptographicHash expected(QCryptographicHash::Sha1);
        int count = 0;
        for (unsigned row = 0; row < 65536; ++row) {
            for (unsigned column = 0; column < 4; ++column) {
                const std::string text =
                    "row " + std::to_string(row) + " column " + std::to_string(column) + " \xC3\xA9";
                QCOMPARE(sheet.setText(row, column, text), XLSResult::Ok);
                expected.addData(QByteArray::fromStdString(text).append('\0'));
                ++count;
            }
        }
        const Workbook read = saveAndRead(workbook, file, true);
        QVERIFY2(read.ok, qPrintable(read.error));
        QFile raw(file);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QVERIFY(raw.size() > 7 * 1024 * 1024);
        QCOMPARE(raw.size() % 512, 0);
        const QByteArray header = raw.read(512);
        const auto difatSectors = qFromLittleEndian<quint32>(header.constData() + 72);
        QVERIFY(difatSectors >= 1);

        QCOMPARE(read.sheet(0).value("count").toInt(), count);
        QCOMPARE(read.sheet(0).value("sha1").toString(), QString(expected.result().toHex()));
        QVERIFY(sevenZipAccepts(file));
    }

    void unwritablePathsReportAnErrorAndLeaveNoFile() {
        XLSFile missingFolder(path("no/such/folder/out.xls").toUtf8().constData());
        missingFolder.newSheet("Sheet1").setText(0, 0, "x");
        QCOMPARE(missingFolder.save(), XLSResult::FileNotWritable);
        QVERIFY(!QFile::exists(path("no")));

        XLSFile folder(m_dir->path().toUtf8().constData());
        folder.newSheet("Sheet1");
        QCOMPARE(folder.save(), XLSResult::FileNotWritable);

        XLSFile noPath(nullptr);
        noPath.newSheet("Sheet1");
        QCOMPARE(noPath.save(), XLSResult::FileNotWritable);

        if (::geteuid() != 0) {
            const QString locked = path("locked");
            QVERIFY(QDir().mkdir(locked));
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
            XLSFile readOnly((locked + "/out.xls").toUtf8().constData());
            readOnly.newSheet("Sheet1");
            QCOMPARE(readOnly.save(), XLSResult::FileNotWritable);
            QCOMPARE(QDir(locked).entryList(QDir::Files | QDir::Hidden).size(), 0);
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    }

    void savingAgainReplacesTheFile() {
        const QString file = path("again.xls");
        XLSFile workbook(file.toUtf8().constData());
        XLSSheet sheet = workbook.newSheet("Sheet1");
        sheet.setText(0, 0, std::string(20000, 'x'));
        QCOMPARE(workbook.save(), XLSResult::Ok);
        const qint64 firstSize = QFileInfo(file).size();
        sheet.setText(0, 0, "short now");
        sheet.setText(1, 0, "added");
        const Workbook read = saveAndRead(workbook, file);
        QVERIFY2(read.ok, qPrintable(read.error));
        QVERIFY(QFileInfo(file).size() < firstSize);
        QCOMPARE(read.cells(0).size(), 2);
        QCOMPARE(read.cell(0, 0, 0)->value, QString("short now"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"again.xls"});
    }

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestXls)
#include "tst_xls.moc"
