#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <vexa/vexa.h>

#include "CExportFileName.h"
#include "CPhotoSerialDlg.h"
#include "CPhotoSerialImpl.h"
#include "CPhotoSerialThread.h"
#include "IBaseSerial.h"
#include "IPhotoSerialCallback.h"
#include "ISerialable.h"
#include "LanguageService.h"
#include "QFileFolderExport.h"
#include "QImageButton.h"
#include "QImageProgressBar.h"
#include "QMessageDlg.h"
#include "SimPhone.h"
#include "TestFiles.h"
#include "WhenShown.h"
#include "sim/ContentServices.h"
#include "sim/FaultInjector.h"

namespace {

const char* const kUdid = "00008101-0000000000EXPORT1";
const char* const kImportAlbum = "00000000-0000-0000-0000-000000000064";

using Record = std::vector<std::pair<std::string, std::string>>;

// Writes its records the way a category view does: the category item, then one item per record.
class RecordSource : public ISerialable {
public:
    explicit RecordSource(std::vector<Record> records)
        : m_records(std::move(records)) {}
    void Serialize(IBaseSerial* writer) override {
        writer->BeginItem("Songs", -1);
        for (const Record& record : m_records) {
            writer->BeginItem("Item", -1);
            for (const auto& [name, value] : record)
                writer->WriteString(name.c_str(), value.c_str());
            writer->EndItem();
        }
        writer->EndItem();
    }
    void Deserialize(IBaseSerial*) override {}

private:
    std::vector<Record> m_records;
};

// Watches the transfer dialog: remembers its last line and bar, presses cancel when `cancelWhen`
// says so, and acknowledges a dialog left open on its failure line.
class DialogWatcher : public QObject {
public:
    // The bar is followed from the moment the dialog shows, however short the export.
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* dialog = qobject_cast<CPhotoSerialDlg*>(object);
        if (dialog && event->type() == QEvent::Show && !m_followed.contains(dialog)) {
            m_followed << dialog;
            connect(dialog, &QObject::destroyed, this, [this, dialog] { m_followed.removeAll(dialog); });
            QImageProgressBar* bar = dialog->Progress();
            connect(bar, &QImageProgressBar::valueChanged, this, [this, bar] {
                maximum = bar->Maximum();
                value = bar->Value();
            });
        }
        return false;
    }

    DialogWatcher() {
        qApp->installEventFilter(this);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* message = qobject_cast<QMessageDlg*>(widget); message && message->isVisible()) {
                    messages << message->Message();
                    message->reject();
                }
                auto* dialog = qobject_cast<CPhotoSerialDlg*>(widget);
                if (!dialog || !dialog->isVisible())
                    continue;
                lastLine = dialog->Label()->text();
                if (dialog->IsEnded()) {
                    endedOpen = true;
                    dialog->CancelButton()->click();
                } else if (cancelWhen && cancelWhen(dialog)) {
                    cancelWhen = nullptr;
                    dialog->CancelButton()->click();
                }
            }
        });
        m_timer.start(10);
    }
    std::function<bool(CPhotoSerialDlg*)> cancelWhen;
    QString lastLine;
    qint64 maximum = -1;
    qint64 value = -1;
    bool endedOpen = false;
    QStringList messages;

private:
    QTimer m_timer;
    QList<QObject*> m_followed;
};

QStringList Tree(const QString& folder) {
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(folder).relativeFilePath(it.next());
    names.sort();
    return names;
}

bool IsValidUtf8(const QByteArray& bytes) {
    return QString::fromUtf8(bytes).toUtf8() == bytes &&
           !QString::fromUtf8(bytes).contains(QChar::ReplacementCharacter);
}

} // namespace

namespace {
// Hears an export and runs `inside` once, from within the first progress report past the first file.
class ExportListener : public IPhotoSerialCallback {
public:
    void OnBegin() override {}
    void OnEnd() override { ++ends; }
    void OnProgress(quint64 done, quint64 total) override {
        last = {done, total};
        if (done >= 1 && inside)
            std::exchange(inside, nullptr)();
    }
    void OnError(const char*) override {}
    void OnMsg(const char*) override {}

    std::function<void()> inside;
    std::pair<quint64, quint64> last;
    int ends = 0;
};
} // namespace

class TestFileExport : public QObject {
    Q_OBJECT
public slots:
    void OnOpenUrl(const QUrl& url) { m_opened << url.toLocalFile(); }

private slots:
    void initTestCase() {
        SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
        QVERIFY(m_phone.Plug({.udid = kUdid, .name = "Export Phone", .apps = 1}));
        m_manager = m_phone.Manager();
        m_files = m_manager->GetFileService();
        QVERIFY(m_files);
        QCOMPARE(m_files->MakeDirectory("/VexaExport"), 0);
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "OnOpenUrl");
    }

    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        m_phone.Release();
    }

    void init() {
        m_opened.clear();
        m_watcher = new DialogWatcher;
    }

    void cleanup() {
        delete m_watcher;
        m_watcher = nullptr;
        vexa::sim::FaultInjector::Clear(FaultsFile());
    }

    // Names

    void titlesBecomeSafeNamesInsideTheFolder_data() {
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<QByteArray>("devicePath");
        QTest::addColumn<int>("copy");
        QTest::addColumn<QByteArray>("name");
        const auto row = [](const char* name, const char* title, const char* path, int copy,
                            const char* file) {
            QTest::newRow(name) << QByteArray(title) << QByteArray(path) << copy << QByteArray(file);
        };
        row("separators", "AC/DC: Live?", "/a/b.mp3", 1, "AC'DC' Live'.mp3");
        row("extension held", "Intro.mp3 (demo)", "/b.mp3", 1, "Intro.mp3 (demo)");
        row("dot in folder only", "Song", "/a.b/c", 1, "Song");
        row("dot dot", "..", "/a/noext", 1, "''");
        row("climbing", "../../x", "/a/p.jpg", 1, "..'..'x.jpg");
        row("controls", "a\x01\x1f\177b\tc\nd", "/m.mp3", 1, "a'''b'c'd.mp3");
        row("quotes and pipes", "\"<x>|*\"", "/m.mp3", 1, "''x''''.mp3");
        row("second copy", "Twin", "/m.mp3", 2, "Twin (2).mp3");
        row("second copy, extension held", "Twin.mp3", "/m.mp3", 3, "Twin (3).mp3");
    }

    void titlesBecomeSafeNamesInsideTheFolder() {
        QFETCH(QByteArray, title);
        QFETCH(QByteArray, devicePath);
        QFETCH(int, copy);
        QFETCH(QByteArray, name);
        const std::string extension = CExportFileName::DeviceExtension(devicePath.toStdString());
        const std::string composed = CExportFileName::Compose(
            CExportFileName::SanitiseTitle(title.toStdString()), extension, copy, 255);
        QCOMPARE(QByteArray::fromStdString(composed), name);
    }

    void longNamesAreCutOnACharacterBoundary() {
        // 150 two-byte letters (300 bytes) and a three-byte one at every possible cut.
        for (const QByteArray& letter : {QByteArray("\xc3\xa9"), QByteArray("\xe2\x82\xac")}) {
            const QByteArray title = letter.repeated(300 / letter.size());
            for (int copy : {1, 2}) {
                const std::string name = CExportFileName::Compose(title.toStdString(), ".mp3", copy, 255);
                QVERIFY(name.size() <= 255);
                QVERIFY(name.size() > 240);
                QVERIFY(IsValidUtf8(QByteArray::fromStdString(name)));
                QVERIFY(QByteArray::fromStdString(name).endsWith(copy == 1 ? ".mp3" : " (2).mp3"));
            }
        }
        QCOMPARE(CExportFileName::CutUtf8("ab\xc3\xa9", 3), std::string("ab"));
        QCOMPARE(CExportFileName::CutUtf8("ab\xc3\xa9", 4), std::string("ab\xc3\xa9"));
    }

    // Copies

    void recordsAreCopiedUnderArtistAndTitleAndTheBarReachesN() {
        const QString live = PutOnDevice(QStringLiteral("live.mp3"), "live bytes");
        const QString intro = PutOnDevice(QStringLiteral("intro.mp3"), "intro bytes");
        QVERIFY(!live.isEmpty() && !intro.isEmpty());
        const QString folder = m_local.filePath(QStringLiteral("copies"));
        QCOMPARE(Export(kExportMedia,
                        {{{"Title", "Live?"}, {"Artist", "AC/DC:"}, {"Path", live.toStdString()}},
                         {{"Title", "Intro.mp3"}, {"Path", intro.toStdString()}, {"Title", ""}}},
                        folder),
                 0);
        QCOMPARE(Tree(folder), QStringList({"AC'DC' - Live'.mp3", "Intro.mp3"}));
        QCOMPARE(ReadFile(folder + QStringLiteral("/AC'DC' - Live'.mp3")), QByteArray("live bytes"));
        QCOMPARE(ReadFile(folder + QStringLiteral("/Intro.mp3")), QByteArray("intro bytes"));
        // Two files; the category's own item names none and is not counted.
        QCOMPARE(std::pair(m_watcher->maximum, m_watcher->value), std::pair(qint64(2), qint64(2)));
        QVERIFY(!m_watcher->endedOpen);
        // The end is told, naming the folder; the folder opens only when the user asks for it.
        QCOMPARE(m_watcher->messages,
                 QStringList(
                     {QStringLiteral("Exported into the folder %1.\nDo you want to open it?").arg(folder)}));
        QVERIFY(m_opened.isEmpty());
    }

    void escapingTitlesAndPlantedLinksStayInsideTheFolder() {
        const QString song = PutOnDevice(QStringLiteral("escape.mp3"), "escape bytes");
        const QString outer = m_local.filePath(QStringLiteral("outer"));
        const QString folder = outer + QStringLiteral("/dest");
        WriteFile(outer + QStringLiteral("/victim.txt"), "untouched");
        QVERIFY(QDir().mkpath(folder));
        // A link left in the folder, pointing out of it, under the name the export will use.
        QVERIFY(QFile::link(outer + QStringLiteral("/victim.txt"), folder + QStringLiteral("/victim.mp3")));
        const std::string path = song.toStdString();
        const std::string longTitle(300, 'L');
        QCOMPARE(Export(kExportMedia,
                        {{{"Title", ".."}, {"Path", path}},
                         {{"Title", "../../x"}, {"Path", path}},
                         {{"Title", "/"}, {"Path", path}},
                         {{"Title", "bell\x07tab\t"}, {"Path", path}},
                         {{"Title", longTitle}, {"Path", path}},
                         {{"Title", "victim"}, {"Path", path}}},
                        folder),
                 0);
        QCOMPARE(ReadFile(outer + QStringLiteral("/victim.txt")), QByteArray("untouched"));
        QCOMPARE(Tree(outer).filter(QRegularExpression(QStringLiteral("^(?!dest)"))),
                 QStringList({"victim.txt"}));
        const QStringList names = Tree(folder);
        QCOMPARE(names.size(), 6);
        for (const QString& name : names) {
            const QFileInfo file(folder + QLatin1Char('/') + name);
            QVERIFY2(file.isFile() && !file.isSymLink(), qPrintable(name));
            QCOMPARE(ReadFile(file.filePath()), QByteArray("escape bytes"));
            QVERIFY(name.toUtf8().size() <= 255);
        }
        for (const char* name : {"...mp3", "..'..'x.mp3", "bell'tab'.mp3"})
            QVERIFY2(names.contains(QLatin1String(name)), name);
    }

    void sameTitleIsNumberedButTheSameRecordOverwrites() {
        const QString first = PutOnDevice(QStringLiteral("twin1.mp3"), "first");
        const QString second = PutOnDevice(QStringLiteral("twin2.mp3"), "second");
        const QString folder = m_local.filePath(QStringLiteral("twins"));
        const Record one = {{"Title", "Twin"}, {"Path", first.toStdString()}};
        const Record two = {{"Title", "Twin"}, {"Path", second.toStdString()}};
        QCOMPARE(Export(kExportMedia, {one, two, one}, folder), 0);
        QCOMPARE(Tree(folder), QStringList({"Twin (2).mp3", "Twin.mp3"}));
        QCOMPARE(ReadFile(folder + QStringLiteral("/Twin.mp3")), QByteArray("first"));
        QCOMPARE(ReadFile(folder + QStringLiteral("/Twin (2).mp3")), QByteArray("second"));

        // Exported again later, the record replaces its earlier copy.
        QVERIFY(!PutOnDevice(QStringLiteral("twin1.mp3"), "first, changed").isEmpty());
        QCOMPARE(Export(kExportMedia, {one}, folder), 0);
        QCOMPARE(Tree(folder), QStringList({"Twin (2).mp3", "Twin.mp3"}));
        QCOMPARE(ReadFile(folder + QStringLiteral("/Twin.mp3")), QByteArray("first, changed"));
    }

    void failedCopiesAreCountedOnTheDialogsLastLine() {
        const QString kept = PutOnDevice(QStringLiteral("kept.mp3"), "kept");
        const QString gone = PutOnDevice(QStringLiteral("gone.mp3"), "gone");
        // Listed, then deleted before the copy.
        QCOMPARE(m_files->RemovePath(gone.toUtf8().constData()), 0);
        const QString folder = m_local.filePath(QStringLiteral("failures"));
        QCOMPARE(Export(kExportMedia,
                        {{{"Title", "Kept"}, {"Path", kept.toStdString()}},
                         {{"Title", "Gone"}, {"Path", gone.toStdString()}},
                         {{"Title", "Nowhere"}, {"Path", "/VexaExport/never/there.mp3"}}},
                        folder),
                 2);
        QCOMPARE(Tree(folder), QStringList({"Kept.mp3"}));
        QVERIFY(m_watcher->endedOpen);
        QCOMPARE(m_watcher->lastLine, QStringLiteral("2 file(s) could not be copied."));
    }

    void cancelStopsBeforeTheNextFileAndLeavesNoPartialFile() {
        const std::vector<Record> records = PutNumbered(QStringLiteral("Slow"), 10, 200000, 'a');
        AddFault({.operation = "CopyFileToComputer", .delayMs = 150});
        m_watcher->cancelWhen = [](CPhotoSerialDlg* dialog) { return dialog->Progress()->Value() >= 2; };
        const QString folder = m_local.filePath(QStringLiteral("cancelled"));
        QCOMPARE(Export(kExportMedia, records, folder), 0);
        // The bar counts files copied: two are there, and the one under way when cancel came.
        QVERIFY2(Tree(folder).size() >= 2, qPrintable(Tree(folder).join(',')));
        CheckNumbered(folder, QStringLiteral("Slow"), 200000, 'a', 9);
        // A cancelled export does not open its folder.
        QVERIFY(m_opened.isEmpty());
    }

    void folderThatCannotBeCreatedWarnsAndCopiesNothing() {
        const QString song = PutOnDevice(QStringLiteral("nofolder.mp3"), "x");
        const QString plain = m_local.filePath(QStringLiteral("plain-file"));
        WriteFile(plain, "a file, not a folder");
        QCOMPARE(Export(kExportMedia, {{{"Title", "X"}, {"Path", song.toStdString()}}},
                        plain + QStringLiteral("/sub")),
                 -1);
        QCOMPARE(m_watcher->messages.size(), 1);
        QVERIFY(m_watcher->messages.first().startsWith(QStringLiteral("The folder ")));
        QVERIFY(m_watcher->messages.first().endsWith(QStringLiteral(" could not be created.")));
        QCOMPARE(ReadFile(plain), QByteArray("a file, not a folder"));
    }

    void appBecomesAnIpaArchive() {
        AppRecord* apps = nullptr;
        int count = 0;
        QCOMPARE(m_manager->GetAppLibrary()->GetApplistInfo(&apps, &count), 0);
        QVERIFY(count > 0);
        const std::string id = apps[0].id;
        const QString folder = m_local.filePath(QStringLiteral("apps"));
        QCOMPARE(Export(kExportApps,
                        {{{"id", id}, {"Title", "My App"}}, {{"id", "no.such.app"}, {"Title", "Ghost"}}},
                        folder),
                 1);
        QCOMPARE(Tree(folder), QStringList({"My App.ipa"}));
        QVERIFY(!ArchivePaths(folder + QStringLiteral("/My App.ipa"))
                     .filter(QRegularExpression("^Payload/"))
                     .isEmpty());
    }

    // The export button and the import mode

    void exportButtonRouteAsksForAFolderThenCopies() {
        const QString song = PutOnDevice(QStringLiteral("routed.mp3"), "routed");
        RecordSource source({{{"Title", "Routed"}, {"Path", song.toStdString()}}});

        QFileFolderExport::RunChecked(nullptr, &source, m_manager, kExportMedia, false);
        QCOMPARE(m_watcher->messages, QStringList({"Please choose one or more items first!"}));

        const QString folder = m_local.filePath(QStringLiteral("routed"));
        QVERIFY(QDir().mkpath(folder));
        QString title;
        bool foldersOnly = false;
        WhenShown<QFileDialog>([&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            foldersOnly = dialog->fileMode() == QFileDialog::Directory;
            dialog->setDirectory(folder);
            if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                edit->setText(folder);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        const auto refuse = [](QFileDialog* dialog) { dialog->reject(); };
        // A dialog that refused the answer fails the test instead of hanging it.
        QTimer::singleShot(5000, this, [refuse] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
                refuse(dialog);
        });
        QFileFolderExport::RunChecked(nullptr, &source, m_manager, kExportMedia, true);
        QCOMPARE(title, QStringLiteral("Save File"));
        QVERIFY(foldersOnly);
        QCOMPARE(Tree(folder), QStringList({"Routed.mp3"}));
        // The next export starts where this one went.
        QCOMPARE(QFileFolderExport::StartFolder(), folder);

        // Cancelling the folder dialog copies nothing.
        WhenShown<QFileDialog>(refuse);
        QVERIFY(QFile::remove(folder + QStringLiteral("/Routed.mp3")));
        QFileFolderExport::RunChecked(nullptr, &source, m_manager, kExportMedia, true);
        QVERIFY(Tree(folder).isEmpty());
    }

    void importCopiesPicturesIntoTheAlbumAndCountsRefusals() {
        IPhotoLibrary* photos = m_manager->GetPhotos();
        auto photoCount = [photos] {
            PhotoRecord* records = nullptr;
            int count = 0;
            photos->PrepareList();
            return photos->GetPhotoList(&records, &count) == 0 ? count : -1;
        };
        const int before = photoCount();
        QVERIFY(before >= 0);
        QStringList files;
        for (int i = 0; i < 3; ++i) {
            QImage image(64, 48, QImage::Format_RGB32);
            image.fill(QColor(40 * i, 120, 200));
            const QString path = m_local.filePath(QStringLiteral("pictures/pic%1.jpg").arg(i));
            QDir().mkpath(QFileInfo(path).path());
            QVERIFY(image.save(path, "JPG"));
            files << path;
        }
        // Chosen in the file dialog, then deleted before its turn came.
        files.insert(1, m_local.filePath(QStringLiteral("pictures/deleted.jpg")));

        CPhotoSerialDlg dialog;
        dialog.StartImport(m_manager, files, QString::fromLatin1(kImportAlbum));
        dialog.exec();
        QCOMPARE(photoCount(), before + 3);
        QVERIFY(m_watcher->endedOpen);
        QCOMPARE(m_watcher->lastLine, QStringLiteral("1 file(s) could not be copied."));
        QCOMPARE(std::pair(m_watcher->maximum, m_watcher->value), std::pair(qint64(4), qint64(4)));
        QVERIFY(m_opened.isEmpty());
    }

    void callersManagerMayGoDuringTheExport() {
        // A removal of the device deletes the view's manager inside the transfer dialog's loop; the copies
        // still running must not use it.
        AddFault({.operation = "CopyFileToComputer", .delayMs = 300});
        IVexaManager* callers = GetVexaManager();
        QCOMPARE(callers->SetDeviceHandle(m_phone.Handle()), 0);
        QTimer::singleShot(150, this, [&callers] { DeleteVexaManager(&callers); });
        RecordSource source(PutNumbered(QStringLiteral("Owned"), 3, 1000, 'k'));
        const QString folder = m_local.filePath(QStringLiteral("owned"));
        QCOMPARE(QFileFolderExport::ExportTo(&source, callers, kExportMedia, folder), 0);
        QVERIFY(callers == nullptr);
        QCOMPARE(Tree(folder).size(), 3);
        CheckNumbered(folder, QStringLiteral("Owned"), 1000, 'k', 3);
    }

    void ownerGoneInsideAReportLeavesWholeFilesAndAnEnd() {
        // The worker waits for a report while the thread handling it destroys the export, which waits for
        // the worker in turn: the worker must give the report up and stop before the next file.
        const std::vector<Record> records = PutNumbered(QStringLiteral("Gone"), 6, 50000, 'a');
        AddFault({.operation = "CopyFileToComputer", .delayMs = 60});
        ExportListener listener;
        auto writer = std::make_unique<CPhotoSerialImpl>(m_manager, kExportMedia, &listener);
        RecordSource(records).Serialize(writer.get());
        const int itemEnds = listener.ends;
        bool destroyed = false;
        listener.inside = [&] {
            writer.reset();
            destroyed = true;
        };
        const QString folder = m_local.filePath(QStringLiteral("gone"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writer->Export(folder.toStdString()));
        QTRY_VERIFY_WITH_TIMEOUT(destroyed, 10000);
        QCOMPARE(listener.ends - itemEnds, 1);
        CheckNumbered(folder, QStringLiteral("Gone"), 50000, 'a', 5);
        // The bar ends full over the files that were walked.
        QCOMPARE(listener.last.first, listener.last.second);
    }

    // Last: the device leaves during an export.

    void unplugDuringTheExportEndsWithTheFailureCount() {
        const std::vector<Record> records = PutNumbered(QStringLiteral("Unplug"), 5, 10, 'u');
        AddFault({.operation = "CopyFileToComputer", .unplug = true, .after = 2});
        const QString folder = m_local.filePath(QStringLiteral("unplugged"));
        QCOMPARE(Export(kExportMedia, records, folder), 3);
        QCOMPARE(Tree(folder), QStringList({"Unplug 0.mp3", "Unplug 1.mp3"}));
        QCOMPARE(m_watcher->lastLine, QStringLiteral("3 file(s) could not be copied."));
    }

private:
    QString PutOnDevice(const QString& name, const QByteArray& data) {
        const QString local = m_local.filePath(QStringLiteral("upload/") + name);
        WriteFile(local, data);
        const QString device = QStringLiteral("/VexaExport/") + name;
        const int result = m_files->CopyFileToDevice(reinterpret_cast<const char16_t*>(local.utf16()),
                                                     reinterpret_cast<const char16_t*>(device.utf16()));
        return result == 0 ? device : QString();
    }

    // `count` records titled "<stem> <i>", each a file whose bytes are `size` times the letter `first` + i.
    std::vector<Record> PutNumbered(const QString& stem, int count, int size, char first) {
        std::vector<Record> records;
        for (int i = 0; i < count; ++i) {
            const QString title = QStringLiteral("%1 %2").arg(stem).arg(i);
            const QString path =
                PutOnDevice(title.toLower().remove(' ') + ".mp3", QByteArray(size, char(first + i)));
            records.push_back({{"Title", title.toStdString()}, {"Path", path.toStdString()}});
        }
        return records;
    }

    // The files of `folder` are some of those records, each whole.
    void CheckNumbered(const QString& folder, const QString& stem, int size, char first, int most) {
        const QStringList names = Tree(folder);
        QVERIFY2(!names.isEmpty() && names.size() <= most, qPrintable(names.join(',')));
        for (const QString& name : names) {
            const int i = name.mid(stem.size() + 1, 1).toInt();
            QCOMPARE(name, QStringLiteral("%1 %2.mp3").arg(stem).arg(i));
            QCOMPARE(ReadFile(folder + QLatin1Char('/') + name), QByteArray(size, char(first + i)));
        }
    }

    void AddFault(const vexa::sim::FaultSpec& fault) {
        QCOMPARE(vexa::sim::FaultInjector::Add(FaultsFile(), fault), 0);
    }

    int Export(int kind, const std::vector<Record>& records, const QString& folder) {
        RecordSource source(records);
        return QFileFolderExport::ExportTo(&source, m_manager, kind, folder);
    }

    std::filesystem::path FaultsFile() const { return m_phone.FaultsFile(); }

    SimPhone m_phone;
    IVexaManager* m_manager = nullptr;
    IFileService* m_files = nullptr;
    QTemporaryDir m_local;
    QStringList m_opened;
    DialogWatcher* m_watcher = nullptr;
};

int runFileExportTests(int argc, char** argv) {
    TestFileExport tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_fileexport.moc"
