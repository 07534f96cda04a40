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
        for (const Cell& cell : cells(index))
            if (cell.row == row && cell.column == column)
                return cell;
        return std::nullopt;
    }
    // A sheet as one line: its name and size, then every cell as "row,column=text", with "*" after the
    // place of a bold one and "(blank)" for a formatted cell without text.
    QString text(int index) const;
};

constexpr int kXlrdText = 1;
constexpr int kXlrdBlank = 6;

QString Workbook::text(int index) const {
    QString line = QStringLiteral("%1 %2x%3:")
                       .arg(sheet(index).value("name").toString())
                       .arg(sheet(index).value("nrows").toInt())
                       .arg(sheet(index).value("ncols").toInt());
    for (const Cell& cell : cells(index)) {
        const QString value = cell.type == kXlrdText    ? cell.value
                              : cell.type == kXlrdBlank ? QStringLiteral("(blank)")
                                                        : QStringLiteral("(type %1)").arg(cell.type);
        line += QStringLiteral(" %1,%2%3=%4").arg(cell.row).arg(cell.column).arg(cell.bold ? "*" : "", value);
    }
    return line;
}

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
    // Each test has a workbook of its own with one sheet, "Sheet1", to fill and save.
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_file = path("book.xls");
        m_workbook = std::make_unique<XLSFile>(m_file.toUtf8().constData());
        m_sheet = m_workbook->newSheet("Sheet1");
        QVERIFY(m_sheet.isValid());
    }

    void exportLayoutReadsBackWithBoldHeaderAndEmptyFirstColumn() {
        const char* header[] = {"id", "Name", "Type", "PhoneNumber"};
        for (unsigned column = 0; column < 4; ++column) {
            QCOMPARE(m_sheet.setText(0, column + 1, header[column]), XLSResult::Ok);
            QCOMPARE(m_sheet.setFontBold(0, column + 1, xlsFile::kBold), XLSResult::Ok);
        }
        m_sheet.setText(1, 1, "12");
        m_sheet.setText(1, 2, "Ann");
        m_sheet.setText(1, 3, "mobile");
        m_sheet.setText(1, 4, "555");
        m_sheet.setText(2, 1, "13");
        const Workbook read = saved();
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.sheets.size(), 1);
        QCOMPARE(read.text(0),
                 "Sheet1 3x5: 0,1*=id 0,2*=Name 0,3*=Type 0,4*=PhoneNumber 1,1=12 1,2=Ann 1,3=mobile "
                 "1,4=555 2,1=13");
        QVERIFY(sevenZipAccepts(m_file));
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
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(m_sheet.setText(i, 1, utf8(texts[i])), XLSResult::Ok);
            m_sheet.setText(i, 2, utf8(texts[i])); // repeated texts share one table entry
        }
        const Workbook read = saved();
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

        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(m_sheet.setText(i, 0, utf8(texts[i])), XLSResult::Ok);
        const Workbook read = saved();
        QVERIFY2(read.ok, qPrintable(read.error));
        const QList<Cell> cells = read.cells(0);
        QCOMPARE(cells.size(), texts.size());
        for (const Cell& cell : cells)
            QCOMPARE(cell.value, texts[cell.row]);
    }

    // Bold before or after the text, replaced text keeping the font, bold undone, bold without text (a
    // formatted blank cell; undone, no cell at all), copies of the sheet writing into the same one, the last
    // row and column, and texts at a cell's capacity.
    void cellsTakeTextAndBoldnessInAnyOrderUpToTheirLimits() {
        XLSSheet copy;
        QVERIFY(!copy.isValid());
        copy = m_sheet;
        XLSSheet other = copy;
        m_sheet.setFontBold(0, 0, xlsFile::kBold);
        m_sheet.setText(0, 0, "bold first");
        m_sheet.setText(0, 1, "text first");
        m_sheet.setFontBold(0, 1, xlsFile::kBold);
        m_sheet.setText(0, 1, "replaced");
        m_sheet.setText(0, 2, "made regular again");
        m_sheet.setFontBold(0, 2, xlsFile::kBold);
        m_sheet.setFontBold(0, 2, xlsFile::kNotBold);
        m_sheet.setFontBold(1, 0, xlsFile::kBold);
        m_sheet.setFontBold(1, 1, xlsFile::kBold);
        m_sheet.setFontBold(1, 1, xlsFile::kNotBold);
        QCOMPARE(m_sheet.setFontBold(0, 0, 7), XLSResult::InvalidArgument);
        copy.setText(2, 0, "from the copy");
        other.setText(3, 0, "from the other");
        QCOMPARE(m_sheet.setText(65535, 255, "corner"), XLSResult::Ok);
        QCOMPARE(m_sheet.setFontBold(65535, 255, xlsFile::kBold), XLSResult::Ok);
        QCOMPARE(m_sheet.setText(65536, 0, "below"), XLSResult::RowOutOfRange);
        QCOMPARE(m_sheet.setText(0, 256, "right"), XLSResult::ColumnOutOfRange);
        QCOMPARE(m_sheet.setFontBold(70000, 0, xlsFile::kBold), XLSResult::RowOutOfRange);
        QCOMPARE(m_sheet.setFontBold(0, 4096, xlsFile::kBold), XLSResult::ColumnOutOfRange);
        QCOMPARE(m_sheet.setText(4, 0, std::string(32767, 'a')), XLSResult::Ok);
        QCOMPARE(m_sheet.setText(5, 0, std::string(40000, 'b')), XLSResult::TextTruncated);
        // 32766 units and an emoji would end in half a pair; the whole emoji goes instead.
        QCOMPARE(m_sheet.setText(6, 0, std::string(32766, 'c') + "\xF0\x9F\x98\x80"),
                 XLSResult::TextTruncated);
        QCOMPARE(m_sheet.setText(7, 0, nullptr), XLSResult::InvalidArgument);
        const Workbook read = saved();
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.text(0),
                 QStringLiteral("Sheet1 65536x256: 0,0*=bold first 0,1*=replaced 0,2=made regular "
                                "again 1,0*=(blank) 2,0=from the copy 3,0=from the other 4,0=%1 "
                                "5,0=%2 6,0=%3 65535,255*=corner")
                     .arg(QString(32767, 'a'), QString(32767, 'b'), QString(32766, 'c')));
    }

    void severalSheetsKeepTheirNamesAndCells() {
        const QStringList names{"Sheet1",
                                QString::fromUtf8("\xC3\x9C"
                                                  "bersicht"),
                                QString::fromUtf8("\xE8\x81\x94\xE7\xB3\xBB\xE4\xBA\xBA"), "Empty"};
        for (int i = 0; i < names.size(); ++i) {
            XLSSheet sheet = i ? m_workbook->newSheet(utf8(names[i]).c_str()) : m_sheet;
            QCOMPARE(QString::fromStdString(sheet.name()), names[i]);
            if (i < 3)
                sheet.setText(i, i, utf8(names[i]));
        }
        QCOMPARE(m_workbook->sheetCount(), std::size_t(4));
        const Workbook read = saved();
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.sheets.size(), names.size());
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(read.text(i),
                     i < 3 ? QString("%1 %2x%2: %3,%3=%1").arg(names[i]).arg(i + 1).arg(i) : "Empty 0x0:");
    }

    void invalidSheetNamesAndHandlesAreRefused() {
        XLSResult result = XLSResult::Ok;
        for (const char* name : {"", "a:b", "a/b", "a\\b", "a?b", "a*b", "[a]", "'quoted'",
                                 "a name longer than thirty-one ch"}) {
            const XLSSheet sheet = m_workbook->newSheet(name, &result);
            QVERIFY2(!sheet.isValid(), name);
            QCOMPARE(result, XLSResult::InvalidSheetName);
        }
        QVERIFY(!m_workbook->newSheet(nullptr).isValid());
        QVERIFY(m_workbook->newSheet("a name of exactly thirty-one c", &result).isValid());
        QVERIFY(!m_workbook->newSheet("SHEET1", &result).isValid());
        QCOMPARE(result, XLSResult::DuplicateSheetName);
        QCOMPARE(m_workbook->sheetCount(), std::size_t(2));

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
        QCryptographicHash expected(QCryptographicHash::Sha1);
        int count = 0;
        for (unsigned row = 0; row < 65536; ++row) {
            for (unsigned column = 0; column < 4; ++column) {
                const std::string text =
                    "row " + std::to_string(row) + " column " + std::to_string(column) + " \xC3\xA9";
                QCOMPARE(m_sheet.setText(row, column, text), XLSResult::Ok);
                expected.addData(QByteArray::fromStdString(text).append('\0'));
                ++count;
            }
        }
        const Workbook read = saved(true);
        QVERIFY2(read.ok, qPrintable(read.error));
        QFile raw(m_file);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QVERIFY(raw.size() > 7 * 1024 * 1024);
        QCOMPARE(raw.size() % 512, 0);
        const QByteArray header = raw.read(512);
        const auto difatSectors = qFromLittleEndian<quint32>(header.constData() + 72);
        QVERIFY(difatSectors >= 1);

        QCOMPARE(read.sheet(0).value("count").toInt(), count);
        QCOMPARE(read.sheet(0).value("sha1").toString(), QString(expected.result().toHex()));
        QVERIFY(sevenZipAccepts(m_file));
    }

    void unwritablePathsReportAnErrorAndLeaveNoFile() {
        // A missing folder, a folder itself, no path at all.
        const QByteArray missing = path("no/such/folder/out.xls").toUtf8();
        const QByteArray folder = m_dir->path().toUtf8();
        for (const char* target :
             {missing.constData(), folder.constData(), static_cast<const char*>(nullptr)}) {
            XLSFile file(target);
            file.newSheet("Sheet1").setText(0, 0, "x");
            QCOMPARE(file.save(), XLSResult::FileNotWritable);
        }
        QVERIFY(!QFile::exists(path("no")));

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
        m_sheet.setText(0, 0, std::string(20000, 'x'));
        QCOMPARE(m_workbook->save(), XLSResult::Ok);
        const qint64 firstSize = QFileInfo(m_file).size();
        m_sheet.setText(0, 0, "short now");
        m_sheet.setText(1, 0, "added");
        const Workbook read = saved();
        QVERIFY2(read.ok, qPrintable(read.error));
        QVERIFY(QFileInfo(m_file).size() < firstSize);
        QCOMPARE(read.text(0), "Sheet1 2x1: 0,0=short now 1,0=added");
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"book.xls"});
    }

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    Workbook saved(bool digest = false) { return saveAndRead(*m_workbook, m_file, digest); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
    std::unique_ptr<XLSFile> m_workbook;
    XLSSheet m_sheet;
};

QTEST_GUILESS_MAIN(TestXls)
#include "tst_xls.moc"
