// The program `vexa` as scripts use it: run as a process against a simulated phone (and, for a few
// commands, the usb backend against the device emulator). Its exit codes and complaints, its JSON read by
// Python, its exports compared byte for byte with the window's views, and its backups restored by the
// window's code and the other way round.

#include <csignal>
#include <utility>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "AppPaths.h"
#include "BackupDataThread.h"
#include "CCheckedRecords.h"
#include "CDeviceLease.h"
#include "CPhotoSerialThread.h"
#include "CRecordFileExport.h"
#include "CiBookChunk.h"
#include "EmulatorProcess.h"
#include "IDeviceDirectory.h"
#include "QCallsView.h"
#include "QContactsView.h"
#include "QFileFolderExport.h"
#include "QMusicPlayListChunk.h"
#include "RestoreThread.h"
#include "SimPhone.h"
#include "TestFiles.h"
#include "formats/HeicFile.h"
#include "formats/ImageFile.h"
#include "qmessageView.h"
#include "sim/content/PhotoFixtures.h"

namespace {

const QString kUdid = "00008101-000C11C11C11C111";
const QString kOtherUdid = "00008101-000C11C11C11C222";

struct Result {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

QProcessEnvironment English() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LANG", "C");
    environment.remove("LC_ALL");
    environment.remove("VEXA_BACKUP_PASSWORD");
    return environment;
}

Result Vexa(const QStringList& arguments, const QProcessEnvironment& environment = English()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VEXA_BIN_DIR "/vexa"), arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

// `vexa backup` into `chosen`: the files copied, from the result line "N files copied (B bytes)" after
// the folder; -1 when it failed.
int BackupCopies(const QString& chosen, const QStringList& options = {},
                 const QProcessEnvironment& environment = English()) {
    const Result result = Vexa(QStringList{"backup"} + options + QStringList{chosen}, environment);
    const QRegularExpressionMatch line =
        QRegularExpression("^(\\d+) files? copied \\(\\d+ bytes\\)$")
            .match(QString::fromUtf8(result.out.trimmed().split('\n').value(1)));
    if (result.exitCode != 0 || !line.hasMatch())
        qWarning("vexa backup: %d %s %s", result.exitCode, result.out.constData(), result.err.constData());
    return line.hasMatch() ? line.captured(1).toInt() : -1;
}

int SimCtl(const QStringList& arguments) {
    return EmulatorProcess::SimCtl(qEnvironmentVariable("VEXA_SIM_ROOT"), arguments);
}

QString Python(const QString& script, const QByteArray& input, const QStringList& arguments = {}) {
    QProcess python;
    python.start("/usr/bin/python3", QStringList{"-c", script} + arguments);
    python.write(input);
    python.closeWriteChannel();
    python.waitForFinished(60000);
    return QString::fromUtf8(python.readAllStandardOutput() + python.readAllStandardError()).trimmed();
}

// What Python's `expression` makes of the JSON `json`, which it knows as `v`.
QString FromJson(const QByteArray& json, const QString& expression) {
    return Python("import json, sys\nv = json.loads(sys.stdin.buffer.read().decode('utf-8'))\nprint(" +
                      expression + ")",
                  json);
}

// Every file below `folder` with its checksum, so a folder can be compared before and after.
QMap<QString, QByteArray> Fingerprint(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            files.insert(QDir(folder).relativeFilePath(path),
                         QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
    }
    return files;
}

// Whether the process has its own handler for `signal` yet; under a sanitizer the program takes a while
// to reach the point where it installs one, and until then the signal would kill it.
bool CatchesSignal(qint64 pid, int signal) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}

// What ImageMagick says of a picture: its format, size and any orientation left in it.
QByteArray Identify(const QString& path) {
    return RunProgram("identify", {"-format", "%m %w %h [%[EXIF:Orientation]]", path}).toUtf8();
}

// The usb backend's environment, reaching `emulator`'s devices.
QProcessEnvironment Usb(const EmulatorProcess& emulator) {
    QProcessEnvironment usb = English();
    usb.insert("VEXA_BACKEND", "usb");
    usb.insert("USBMUXD_SOCKET_ADDRESS", "UNIX:" + emulator.SocketPath());
    return usb;
}

// The window's restore of `folder` onto `manager`: its result, 0 when it succeeded.
int WindowRestore(IVexaManager* manager, const QString& folder) {
    RestoreThread restore;
    restore.SetRestoreInfo(manager->GetDeviceService(), std::make_unique<CDeviceLease>(manager), folder,
                           QString());
    restore.start();
    return restore.wait(60000) ? restore.LastResult() : -1;
}

// A details view with its records loaded; null when they did not load.
template <typename View, typename Refresh>
std::unique_ptr<QBaseDetailsView> Loaded(SimPhone& phone, Refresh refresh) {
    auto view = std::make_unique<View>(phone.Manager(), phone.Handle());
    QSignalSpy loaded(view.get(), &QBaseDetailsView::loadFinished);
    (view.get()->*refresh)();
    if (!loaded.wait(10000))
        return nullptr;
    return view;
}

// The one device the window's backup thread is given.
class OneDevice : public IDeviceDirectory {
public:
    explicit OneDevice(IVexaManager* manager)
        : m_manager(manager) {}
    QList<CConnectedDevice> ConnectedDevices() const override {
        CConnectedDevice device;
        device.manager = m_manager;
        device.udid = kUdid;
        return {device};
    }
    bool IsConnected(IVexaManager* manager) const override { return manager == m_manager; }

private:
    IVexaManager* m_manager;
};

} // namespace

class tst_cli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
        vexa::sim::LargeDeviceSpec spec;
        spec.udid = kUdid.toStdString();
        spec.name = "Cli Phone";
        spec.contacts = 40;
        spec.messages = 1500; // fifteen conversations
        spec.photos = 4;
        spec.songs = 3;
        spec.apps = 3;
        spec.books = 2;
        QVERIFY(m_phone.Plug(spec));
        QVERIFY(m_work.isValid());
    }
    void cleanupTestCase() { m_phone.Release(); }

    void exitCodesAndOneLineComplaints_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("complaint");
        const QString folder = m_work.filePath("codes");
        QTest::newRow("help") << QStringList{"--help"} << 0 << QString();
        QTest::newRow("command help") << QStringList{"backup", "--help"} << 0 << QString();
        QTest::newRow("no command") << QStringList{} << 2 << QString();
        QTest::newRow("unknown command") << QStringList{"fly"} << 2 << "unknown command";
        QTest::newRow("unknown option") << QStringList{"info", "--fly"} << 2 << "fly";
        QTest::newRow("missing argument") << QStringList{"rename"} << 2 << "usage: vexa rename";
        QTest::newRow("unknown category") << QStringList{"export", "cats", "--to", folder} << 2 << "cats";
        QTest::newRow("format not offered")
            << QStringList{"export", "contacts", "--to", folder, "--format", "pdf"} << 2 << "pdf";
        QTest::newRow("no folder") << QStringList{"export", "contacts"} << 2 << "--to";
        QTest::newRow("unknown udid") << QStringList{"info", "-u", "nope"} << 3 << "nope";
        // Two device folders with a Manifest.db each, as two phones' backups sit side by side.
        const QString two = m_work.filePath("two-backups");
        for (const QString& udid : {kUdid, kOtherUdid})
            QVERIFY(WriteFile(two + QLatin1Char('/') + udid + "/Manifest.db", {}));
        QTest::newRow("several backups")
            << QStringList{"export", "contacts", "--to", folder, "--backup", two} << 2 << kOtherUdid;
        QTest::newRow("no backup") << QStringList{"export", "contacts", "--to", folder, "--backup", folder}
                                   << 1 << "no backup";
        for (const char* media : {"music", "videos", "books"})
            QTest::newRow(media) << QStringList{"export", media, "--to", folder, "--backup", two} << 1
                                 << "not kept in a backup: a phone leaves";
        QTest::newRow("no such device file") << QStringList{"pull", "/no/such", folder} << 1 << "/no/such";
        QTest::newRow("not a backup") << QStringList{"restore", m_work.path()} << 1 << "no readable backup";
    }
    void exitCodesAndOneLineComplaints() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, complaint);
        const Result result = Vexa(arguments);
        QCOMPARE(result.exitCode, exitCode);
        if (exitCode == 0 || complaint.isEmpty()) {
            QVERIFY(result.out.contains("Usage: vexa"));
            return;
        }
        QVERIFY2(result.err.startsWith("vexa: ") && result.err.count('\n') == 1, result.err.constData());
        QVERIFY2(result.err.contains(complaint.toUtf8()), result.err.constData());
    }
    void severalDevicesNeedAUdidAndAreNamed() {
        QCOMPARE(
            SimCtl({"create", "--udid", kOtherUdid, "--name", "Second Phone", "--product-type", "iPad13,18"}),
            0);
        const Result several = Vexa({"info"});
        const Result named = Vexa({"info", "-u", kOtherUdid});
        const Result listed = Vexa({"devices"});
        QCOMPARE(SimCtl({"unplug", kOtherUdid}), 0);
        QTRY_VERIFY(!Vexa({"devices"}).out.contains(kOtherUdid.toUtf8()));

        QCOMPARE(several.exitCode, 3);
        QVERIFY2(several.err.contains(kUdid.toUtf8()) && several.err.contains(kOtherUdid.toUtf8()),
                 several.err.constData());
        QVERIFY(several.out.isEmpty());
        QCOMPARE(named.exitCode, 0);
        QVERIFY(named.out.contains("DeviceName: Second Phone"));
        QCOMPARE(listed.out.count('\n'), 2);
        QCOMPARE(Vexa({"info"}).exitCode, 0);
    }
    void jsonParsesWithPython_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("expected");
        QTest::newRow("devices") << QStringList{"devices", "--json"}
                                 << "[(d['udid'], d['name'], d['backend']) for d in v]"
                                 << "[('" + kUdid + "', 'Cli Phone', 'sim')]";
        QTest::newRow("info") << QStringList{"info", "--json"}
                              << "(v['properties']['UniqueDeviceID'], v['storage']['dataCapacity'] > 0)"
                              << "('" + kUdid + "', True)";
        QTest::newRow("apps") << QStringList{"apps", "--json"} << "sorted(v[0].keys())"
                              << "['appSize', 'bundleId', 'name', 'size', 'version']";
        QTest::newRow("ls") << QStringList{"ls", "--json", "/"}
                            << "'DCIM' in [e['name'] for e in v if e['type'] == 'folder']"
                            << "True";
        QTest::newRow("backups") << QStringList{"backups", "--json"} << "type(v).__name__"
                                 << "list";
    }
    void jsonParsesWithPython() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expression);
        QFETCH(QString, expected);
        const Result result = Vexa(arguments);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(FromJson(result.out, expression), expected);
    }
    void exportsAreTheWindowsFilesByteForByte_data() {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("format");
        for (const char* format : {"vcf", "xml", "txt", "xls"})
            QTest::addRow("contacts %s", format) << "contacts" << format;
        for (const char* category : {"messages", "calls"})
            for (const char* format : {"txt", "xml", "xls"})
                QTest::addRow("%s %s", category, format) << category << format;
    }
    void exportsAreTheWindowsFilesByteForByte() {
        QFETCH(QString, category);
        QFETCH(QString, format);
        const QString cli = Export(category, format);
        const std::unique_ptr<QBaseDetailsView> view =
            category == QLatin1String("contacts")
                ? Loaded<QContactsView>(m_phone, &QContactsView::OnRefreshContacts)
            : category == QLatin1String("calls")
                ? Loaded<QCallsView>(m_phone, &QCallsView::OnRefresh)
                : Loaded<qmessageView>(m_phone, &qmessageView::OnEmitRefresh);
        QVERIFY(view && view->GetChunkCount() > 10);
        view->OnHeaderCheckChange(true);
        const QString window = m_work.filePath("window." + format);
        QVERIFY(CRecordFileExport::Export(*view, window.toStdString()));
        if (format != QLatin1String("xls")) {
            QVERIFY(!ReadFile(cli).isEmpty());
            QVERIFY(ReadFile(cli) == ReadFile(window));
            return;
        }
        // The spreadsheets are compared cell by cell as xlrd reads them.
        const QString read = QStringLiteral(
            "import sys, xlrd\n"
            "for path in sys.argv[1:]:\n"
            "    s = xlrd.open_workbook(path).sheet_by_index(0)\n"
            "    print(s.nrows, hash(tuple(tuple(s.row_values(r)) for r in range(s.nrows))))\n");
        const QStringList sheets = Python(read, {}, {cli, window}).split(QLatin1Char('\n'));
        QCOMPARE(sheets.size(), 2);
        QVERIFY2(sheets.at(0).split(QLatin1Char(' ')).front().toInt() > view->GetChunkCount(),
                 qPrintable(sheets.at(0)));
        QCOMPARE(sheets.at(0), sheets.at(1));
    }
    void backupExportsAreTheDevicesFilesByteForByte() {
        const QString chosen = m_work.filePath("to-export");
        QCOMPARE(Vexa({"backup", chosen}).exitCode, 0);
        const QMap<QString, QByteArray> before = Fingerprint(chosen);
        const std::pair<const char*, const char*> exports[] = {{"contacts", "vcf"}, {"contacts", "csv"},
                                                               {"messages", "txt"}, {"messages", "html"},
                                                               {"calls", "txt"},    {"calls", "xml"}};
        for (const auto& [category, format] : exports) {
            const QString device = Export(category, format);
            const QString folder = m_work.filePath("from-backup");
            // The folder that holds the device's backup folder is taken as well as that folder itself.
            const Result result =
                Vexa({"export", category, "--to", folder, "--format", format, "--backup", chosen});
            QVERIFY2(result.exitCode == 0, result.err.constData());
            const QString path = QDir(folder).filePath(QStringLiteral("%1.%2").arg(category, format));
            QCOMPARE(result.out.trimmed(), path.toUtf8());
            QVERIFY(ReadFile(path).size() > 1000);
            QVERIFY2(ReadFile(path) == ReadFile(device), qPrintable(path));
            // The web page export is an index of one page per conversation.
            if (qstrcmp(format, "html") == 0) {
                const QString page = "messages pages/015.html";
                QVERIFY(ReadFile(QDir(folder).filePath(page)).contains("class=\"message sent\""));
                QCOMPARE(ReadFile(QDir(folder).filePath(page)),
                         ReadFile(QFileInfo(device).dir().filePath(page)));
            }
        }
        const Result inside = Vexa({"export", "contacts", "--to", QDir(chosen).filePath(kUdid + "/x"),
                                    "--backup", QDir(chosen).filePath(kUdid)});
        QCOMPARE(inside.exitCode, 1);
        QVERIFY(inside.err.contains("read-only"));
        QCOMPARE(Fingerprint(chosen), before);
    }
    void fileExportsCopyWhatTheWindowCopies_data() {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("oneName");
        QTest::newRow("music") << "music" << QStringLiteral("Artist 1 - Track 2.m4a");
        QTest::newRow("books") << "books" << QString();
    }
    void fileExportsCopyWhatTheWindowCopies() {
        QFETCH(QString, category);
        QFETCH(QString, oneName);
        const QString cli = m_work.filePath("files-cli-" + category);
        const Result result = Vexa({"export", category, "--to", cli});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out.trimmed(), cli.toUtf8());

        // The window's export of the same records, every one checked.
        IVexaManager* manager = m_phone.Manager();
        std::list<IBaseChunk*> records;
        int kind = kExportMedia;
        if (category == QLatin1String("music")) {
            PlaylistRecord* playlists = nullptr;
            int count = 0;
            QCOMPARE(manager->GetMediaLibrary()->GetPlaylists(&count, &playlists), 0);
            records = QMusicPlayListChunk::LibrarySongs(playlists[0], QMusicPlayListChunk::DefaultImage());
        } else {
            kind = kExportBooks;
            BookRecord* books = nullptr;
            int count = 0;
            QCOMPARE(manager->GetBookService()->GetBooks(&books, &count), 0);
            for (int i = 0; i < count; ++i) {
                auto* book = new CiBookChunk(manager);
                QVERIFY(book->FromRecord(books[i]));
                records.push_back(book);
            }
        }
        for (IBaseChunk* record : records)
            record->SetChecked(true);
        const QString window = m_work.filePath("files-window-" + category);
        CCheckedRecords source(records, CCheckedRecords::kDefaultCategoryName);
        QCOMPARE(QFileFolderExport::ExportTo(&source, manager, kind, window, false), 0);
        const qsizetype expected = qsizetype(records.size());
        for (IBaseChunk* record : records)
            delete record;
        QCOMPARE(Fingerprint(cli).size(), expected);
        QCOMPARE(Fingerprint(cli), Fingerprint(window));
        // A song's file is named after its artist and title.
        QVERIFY2(oneName.isEmpty() || Fingerprint(cli).contains(oneName),
                 qPrintable(Fingerprint(cli).keys().join(", ")));
    }
    void photosComeOutAsTheyAreOrAsJpeg() {
        // Beside the device's JPEGs: a HEIC taken sideways, a Live Photo (its clip lies beside it), a name
        // that clashes with one in another folder, and a trashed and a hidden picture that stay behind.
        const std::filesystem::path device = m_phone.Folder();
        const std::string media = (device / "Media").string();
        const std::filesystem::path heic = m_work.filePath("sideways.HEIC").toStdString();
        const std::filesystem::path jpeg = m_work.filePath("plain.JPG").toStdString();
        QVERIFY(vexa::formats::WriteHeic(heic, {320, 240, 11, {}, {}}, 6, {}));
        QVERIFY(vexa::formats::WriteJpeg(jpeg, {320, 240, 12, {}, {}}));
        const std::pair<const char*, std::filesystem::path> added[] = {{"/DCIM/100APPLE/IMG_2001.HEIC", heic},
                                                                       {"/DCIM/100APPLE/IMG_2002.HEIC", heic},
                                                                       {"/DCIM/101APPLE/IMG_0001.JPG", jpeg},
                                                                       {"/DCIM/100APPLE/IMG_2003.JPG", jpeg},
                                                                       {"/DCIM/100APPLE/IMG_2004.JPG", jpeg}};
        for (const auto& [path, source] : added)
            QCOMPARE(vexa::sim::AddPhotoFile(device, source, {path, 790000000, 1, 320, 240}), 0);
        QVERIFY(QFile::copy(QString::fromStdString(jpeg.string()),
                            QString::fromStdString(media + "/DCIM/100APPLE/IMG_2002.MOV")));
        QCOMPARE(
            Python(
                QStringLiteral(
                    "import sqlite3, sys\n"
                    "db = sqlite3.connect(sys.argv[1])\n"
                    "db.execute(\"UPDATE ZASSET SET ZTRASHEDSTATE = 1 WHERE ZFILENAME = 'IMG_2003.JPG'\")\n"
                    "db.execute(\"UPDATE ZASSET SET ZHIDDEN = 1 WHERE ZFILENAME = 'IMG_2004.JPG'\")\n"
                    "db.commit()\n"),
                {}, {QString::fromStdString(media + "/PhotoData/Photos.sqlite")}),
            QString());

        // The originals are the device's files byte for byte, under their own names.
        const QString originals = m_work.filePath("photos-original");
        const Result copied = Vexa({"export", "photos", "--to", originals});
        QVERIFY2(copied.exitCode == 0, copied.err.constData());
        const QMap<QString, QByteArray> files = Fingerprint(originals);
        const QMap<QString, QByteArray> sources = Fingerprint(QString::fromStdString(media + "/DCIM"));
        const std::pair<const char*, const char*> expected[] = {{"IMG_0001.JPG", "100APPLE/IMG_0001.JPG"},
                                                                {"IMG_0001 (2).JPG", "101APPLE/IMG_0001.JPG"},
                                                                {"IMG_2001.HEIC", "100APPLE/IMG_2001.HEIC"},
                                                                {"IMG_2002.HEIC", "100APPLE/IMG_2002.HEIC"},
                                                                {"IMG_2002.MOV", "100APPLE/IMG_2002.MOV"}};
        for (const auto& [name, source] : expected)
            QVERIFY2(files.value(name) == sources.value(source) && !files.value(name).isEmpty(), name);
        QCOMPARE(files.size(), 4 + 4); // the device's four JPEGs, two stills, a clip and the clash
        QVERIFY(!files.contains("IMG_2003.JPG") && !files.contains("IMG_2004.JPG"));

        // As JPEG, the HEIC pictures are turned upright; JPEGs and clips stay as they are.
        const QString converted = m_work.filePath("photos-jpeg");
        QCOMPARE(Vexa({"export", "photos", "--to", converted, "--format", "jpeg"}).exitCode, 0);
        const QMap<QString, QByteArray> jpegs = Fingerprint(converted);
        QCOMPARE(QStringList(jpegs.keys()),
                 QStringList({"IMG_0001 (2).JPG", "IMG_0001.JPG", "IMG_0002.JPG", "IMG_0003.JPG",
                              "IMG_0004.JPG", "IMG_2001.JPG", "IMG_2002.JPG", "IMG_2002.MOV"}));
        QCOMPARE(jpegs.value("IMG_0001.JPG"), files.value("IMG_0001.JPG"));
        QCOMPARE(jpegs.value("IMG_2002.MOV"), files.value("IMG_2002.MOV"));
        QCOMPARE(Identify(QDir(converted).filePath("IMG_2001.JPG")), QByteArray("JPEG 240 320 []"));

        // Out of a backup, the same files come out.
        const QString chosen = m_work.filePath("photo-backup");
        QCOMPARE(Vexa({"backup", chosen}).exitCode, 0);
        const QString fromBackup = m_work.filePath("photos-from-backup");
        const Result restored = Vexa({"export", "photos", "--to", fromBackup, "--backup", chosen});
        QVERIFY2(restored.exitCode == 0, restored.err.constData());
        QCOMPARE(Fingerprint(fromBackup), files);
    }
    void filesGoBothWays() {
        const QString local = m_work.filePath("notes.txt");
        QVERIFY(WriteFile(local, "written on the computer\n"));
        QCOMPARE(Vexa({"push", local, "/Downloads"}).exitCode, 0);
        QVERIFY(Vexa({"ls", "/Downloads"}).out.split('\n').contains("notes.txt"));
        const QString back = m_work.filePath("back");
        QVERIFY(QDir().mkpath(back));
        QCOMPARE(Vexa({"pull", "/Downloads/notes.txt", back}).exitCode, 0);
        QCOMPARE(ReadFile(QDir(back).filePath("notes.txt")), ReadFile(local));
        const Result listed = Vexa({"ls", "-l", "/Downloads"});
        QVERIFY2(listed.out.contains(" 24 ") && listed.out.startsWith('-'), listed.out.constData());
    }
    void backupsRestoreThroughTheWindowAndBack() {
        const QString chosen = m_work.filePath("by-vexa");
        const Result made = Vexa({"backup", chosen});
        QCOMPARE(made.exitCode, 0);
        const QString folder = QDir(chosen).filePath(kUdid);
        QCOMPARE(made.out.split('\n').front(), folder.toUtf8());
        QVERIFY(QFile::exists(QDir(folder).filePath("Manifest.db")));
        QVERIFY(Vexa({"backups"}).out.contains(folder.toUtf8()));

        // The window restores what vexa backed up...
        QCOMPARE(WindowRestore(m_phone.Manager(), folder), 0);

        // ...and vexa restores what the window backed up.
        const OneDevice directory(m_phone.Manager());
        const QString windowFolder = m_work.filePath("by-window/" + kUdid);
        BackupDataThread backup;
        backup.SetBackupInfo(windowFolder, m_phone.Manager(), &directory, m_work.filePath("window-log.xml"));
        backup.start();
        QVERIFY(backup.wait(60000));
        QVERIFY(backup.Succeeded());
        QCOMPARE(Vexa({"restore", windowFolder}).exitCode, 0);
        QCOMPARE(Vexa({"restore", m_work.filePath("by-window")}).exitCode, 0);
    }
    void protectedBackupsNeedTheirPassword() {
        QCOMPARE(SimCtl({"backup-password", kUdid, "secret", "--sha256-rounds", "1", "--sha1-rounds", "1"}),
                 0);
        const QString chosen = m_work.filePath("protected");
        const Result made = Vexa({"backup", chosen});
        QCOMPARE(SimCtl({"backup-password", kUdid}), 0);
        QCOMPARE(made.exitCode, 0);
        const QString folder = QString::fromUtf8(made.out.split('\n').front());

        const QString wrongFile = m_work.filePath("wrong");
        const QString rightFile = m_work.filePath("right");
        QVERIFY(WriteFile(wrongFile, "guess\n") && WriteFile(rightFile, "secret\n"));
        QProcessEnvironment wrongEnvironment = English();
        wrongEnvironment.insert("VEXA_BACKUP_PASSWORD", "guess");

        const QStringList exportTo{"--to", m_work.filePath("protected-export"), "--backup", folder};
        for (const QStringList& command :
             {QStringList{"restore", folder}, QStringList{"export", "contacts"} + exportTo,
              QStringList{"export", "calls"} + exportTo}) {
            const Result missing = Vexa(command);
            QCOMPARE(missing.exitCode, 4);
            QVERIFY2(missing.err.startsWith("vexa: ") && missing.err.contains("password"),
                     missing.err.constData());
            const Result wrong = Vexa(command, wrongEnvironment);
            QCOMPARE(wrong.exitCode, 4);
            QVERIFY2(wrong.err.contains("password is wrong"), wrong.err.constData());
            QCOMPARE(Vexa(command + QStringList{"--password-file", wrongFile}).exitCode, 4);
            QCOMPARE(Vexa(command + QStringList{"--password-file", rightFile}).exitCode, 0);
        }
        QVERIFY(ReadFile(m_work.filePath("protected-export/contacts.vcf")) ==
                ReadFile(Export("contacts", "vcf")));
        QVERIFY(ReadFile(m_work.filePath("protected-export/calls.txt")) == ReadFile(Export("calls", "txt")));
    }
    void ctrlCDuringABackupLeavesTheEarlierOneIntact() {
        const QString chosen = m_work.filePath("interrupted");
        QCOMPARE(Vexa({"backup", chosen}).exitCode, 0);
        const QString folder = QDir(chosen).filePath(kUdid);
        const QMap<QString, QByteArray> before = Fingerprint(chosen);
        QVERIFY(before.contains(kUdid + "/Manifest.db"));

        // The backup starts late, so the interrupt surely comes while it runs.
        QCOMPARE(SimCtl({"fault", kUdid, "BackupDevice", "0", "--delay-ms", "1500"}), 0);
        QProcess process;
        process.setProcessEnvironment(English());
        process.start(QStringLiteral(VEXA_BIN_DIR "/vexa"), {"backup", chosen});
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(CatchesSignal(process.processId(), SIGINT), 20000);
        ::kill(pid_t(process.processId()), SIGINT);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(SimCtl({"clear-faults", kUdid}), 0);

        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 5);
        const QByteArray complaint = process.readAllStandardError();
        QVERIFY2(complaint.startsWith("vexa: ") && complaint.contains(folder.toUtf8()),
                 complaint.constData());
        QCOMPARE(Fingerprint(chosen), before);
    }
    void backupsCopyOnlyWhatChangedUnlessFull() {
        const QString chosen = m_work.filePath("incremental");
        const auto backup = [&chosen](const QStringList& options = {}) {
            return BackupCopies(chosen, options);
        };
        const int files = backup();
        QVERIFY(files > 20);
        // Files written in the second the earlier backup began are copied again once; after that nothing
        // changes on an unchanged device (its list of backups is not part of a backup).
        backup();
        QCOMPARE(backup(), 0);

        const QString local = m_work.filePath("changed.txt");
        QVERIFY(WriteFile(local, "changed since the last backup\n"));
        QCOMPARE(Vexa({"push", local, "/Downloads"}).exitCode, 0);
        QCOMPARE(backup(), 1);

        // What the incremental backups took from the earlier ones restores through the window's code.
        const QString media = QString::fromStdString((m_phone.Folder() / "Media").string());
        const QMap<QString, QByteArray> before = Fingerprint(media + "/DCIM");
        QVERIFY(QFile::remove(media + "/Downloads/changed.txt"));
        QCOMPARE(WindowRestore(m_phone.Manager(), QDir(chosen).filePath(kUdid)), 0);
        QCOMPARE(Fingerprint(media + "/DCIM"), before);
        QCOMPARE(ReadFile(media + "/Downloads/changed.txt"), ReadFile(local));

        QCOMPARE(backup({"--full"}), files + 1);
    }
    void usbBackendAnswersThroughTheEmulator() {
        EmulatorProcess emulator;
        QCOMPARE(emulator.SimCtl({"create", "--udid", kOtherUdid, "--name", "Usb Phone", "--product-type",
                                  "iPhone12,1", "--apps", "2", "--songs", "4", "--videos", "2", "--books",
                                  "3", "--contacts", "6", "--messages", "30"}),
                 0);
        QVERIFY(emulator.Start());
        QProcessEnvironment usb = Usb(emulator);

        const Result devices = Vexa({"devices", "--json"}, usb);
        QVERIFY2(devices.exitCode == 0, devices.err.constData());
        QCOMPARE(FromJson(devices.out, "[(d['udid'], d['backend']) for d in v]"),
                 "[('" + kOtherUdid + "', 'usb')]");
        const Result info = Vexa({"info"}, usb);
        QCOMPARE(info.exitCode, 0);
        QVERIFY(info.out.contains("DeviceName: Usb Phone"));
        const Result apps = Vexa({"apps", "--json"}, usb);
        QCOMPARE(apps.exitCode, 0);
        QCOMPARE(FromJson(apps.out, "len(v)"), "2");
        QCOMPARE(Vexa({"ls", "/"}, usb).exitCode, 0);
        QCOMPARE(Vexa({"info", "-u", kUdid}, usb).exitCode, 3);

        // The device sends a whole backup first, then what changed since; --full asks it for all again.
        const QString backups = m_work.filePath("usb-backups");
        const int files = BackupCopies(backups, {}, usb);
        QVERIFY(files > 5);
        const int later = BackupCopies(backups, {}, usb);
        QVERIFY2(later >= 0 && later < files / 2, qPrintable(QString::number(later)));
        QCOMPARE(BackupCopies(backups, {"--full"}, usb), files);

        // Songs, videos and books come off a real device under the names the simulator's export gives
        // them, byte for byte; contacts and messages, read from its snapshot, as the simulator lists them.
        QProcessEnvironment sim = English();
        sim.insert("VEXA_BACKEND", "sim");
        sim.insert("VEXA_SIM_ROOT", emulator.Root());
        for (const QString category : {"music", "videos", "books", "contacts", "messages"}) {
            const QString fromUsb = m_work.filePath("usb-" + category);
            const QString fromSim = m_work.filePath("sim-" + category);
            const Result viaUsb = Vexa({"export", category, "-u", kOtherUdid, "--to", fromUsb}, usb);
            QVERIFY2(viaUsb.exitCode == 0, viaUsb.err.constData());
            QCOMPARE(Vexa({"export", category, "-u", kOtherUdid, "--to", fromSim}, sim).exitCode, 0);
            QVERIFY(!Fingerprint(fromUsb).isEmpty());
            QCOMPARE(Fingerprint(fromUsb), Fingerprint(fromSim));
        }

        // Calls come only from an encrypted backup, read with its password; a wrong one exits with 4.
        const Result plain =
            Vexa({"export", "calls", "-u", kOtherUdid, "--to", m_work.filePath("no-calls")}, usb);
        QCOMPARE(plain.exitCode, 0);
        QVERIFY(plain.err.contains("not encrypted"));
        QCOMPARE(emulator.SimCtl({"backup-password", kOtherUdid, "secret", "--sha256-rounds", "20000",
                                  "--sha1-rounds", "1000"}),
                 0);
        const QStringList calls{"export", "calls", "-u", kOtherUdid, "--to", m_work.filePath("usb-calls")};
        usb.insert("VEXA_BACKUP_PASSWORD", "wrong");
        QCOMPARE(Vexa(calls, usb).exitCode, 4);
        usb.insert("VEXA_BACKUP_PASSWORD", "secret");
        QCOMPARE(Vexa(calls, usb).exitCode, 0);
        QCOMPARE(
            Vexa({"export", "calls", "-u", kOtherUdid, "--to", m_work.filePath("sim-calls")}, sim).exitCode,
            0);
        QCOMPARE(Fingerprint(m_work.filePath("usb-calls")), Fingerprint(m_work.filePath("sim-calls")));
    }
    void usbPhotoExportIsTheDevicesFiles() {
        // A phone of its own: the host keeps a pairing per UDID, which another emulated phone would not
        // match.
        const QString kPhotoUdid = "00008101-000C11C11C11C333";
        EmulatorProcess emulator;
        QCOMPARE(emulator.SimCtl({"create-demo", "--udid", kPhotoUdid, "--ios", "15"}), 0);
        QVERIFY(emulator.Start());
        QProcessEnvironment usb = Usb(emulator);
        const QString media = emulator.Root() + '/' + kPhotoUdid + "/Media/";
        // A phone's first connection makes its keys: seconds on a busy machine.
        QTRY_VERIFY_WITH_TIMEOUT(Vexa({"devices"}, usb).out.contains(kPhotoUdid.toUtf8()), 20000);

        // Every photo and clip, and the Live Photo's clip beside its still, exactly as the phone has them.
        const QString originals = m_work.filePath("usb-photos");
        const Result copied = Vexa({"export", "photos", "-u", kPhotoUdid, "--to", originals}, usb);
        QVERIFY2(copied.exitCode == 0, copied.err.constData());
        const QMap<QString, QByteArray> files = Fingerprint(originals);
        QCOMPARE(files.size(), 80 + 1 + 4 + 1);
        QMap<QString, QByteArray> sources;
        for (const char* folder : {"DCIM/100APPLE", "PhotoData/Sync/100SYNCD"})
            sources.insert(Fingerprint(media + QLatin1String(folder)));
        for (auto file = files.begin(); file != files.end(); ++file)
            QVERIFY2(file.value() == sources.value(file.key()), qPrintable(file.key()));
        QVERIFY(files.contains("IMG_0085.MOV"));

        const QString converted = m_work.filePath("usb-photos-jpeg");
        QCOMPARE(
            Vexa({"export", "photos", "-u", kPhotoUdid, "--to", converted, "--format", "jpeg"}, usb).exitCode,
            0);
        QCOMPARE(Identify(QDir(converted).filePath("IMG_0082.JPG")), QByteArray("JPEG 640 480 []"));
        QCOMPARE(Fingerprint(converted).value("IMG_0085.MOV"), files.value("IMG_0085.MOV"));
    }

private:
    QString Export(const QString& category, const QString& format) {
        const QString folder = m_work.filePath("export-" + format);
        const Result result = Vexa({"export", category, "--to", folder, "--format", format});
        const QString path = QDir(folder).filePath(category + QLatin1Char('.') + format);
        if (result.exitCode != 0 || result.out.trimmed() != path.toUtf8())
            qWarning("vexa export: %d %s", result.exitCode, result.err.constData());
        return path;
    }

    SimPhone m_phone;
    QTemporaryDir m_work;
};

QTEST_MAIN(tst_cli)
#include "tst_cli.moc"
