#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <vexa/vexa.h>

#include "CFieldListSerial.h"
#include "CiBookChunk.h"
#include "IObsever.h"
#include "LanguageService.h"
#include "ModelTexts.h"
#include "PageFixture.h"
#include "QAddDataWidget.h"
#include "QAnalysisCallbackAdapter.h"
#include "QiBookAnalysisThread.h"
#include "QiBookView.h"
#include "QiBooksModel.h"
#include "TestFiles.h"
#include "WhenShown.h"
#include "formats/BookFile.h"
#include "sim/ContentServices.h"

namespace fs = std::filesystem;

namespace {

const char* const kUdid = "00008101-0000000000B00C5A";
template <size_t N> void Put(char (&field)[N], const char* text) {
    std::memcpy(field, text, std::min(std::strlen(text), N - 1));
}

BookRecord Record(const char* title, int32_t format, const char* size, uint8_t present = 1) {
    BookRecord record{};
    Put(record.title, title);
    record.format = format;
    Put(record.size, size);
    Put(record.storeKey, (std::string("key-") + title).c_str());
    record.present = present;
    Put(record.author, "Author");
    Put(record.path, (std::string("/Books/") + title).c_str());
    return record;
}

// A book service that lists a fixed array and remembers what it was asked to delete.
class FakeBooks : public IBookService {
public:
    int AddBook(const char16_t*) override { return 0; }
    int DeleteBook(BookRecord record) override {
        deleted.push_back(record);
        return deleteAnswer;
    }
    int GetBooks(BookRecord** records, int* count) override {
        *records = list.data();
        *count = int(list.size());
        return 0;
    }
    std::vector<BookRecord> list;
    std::vector<BookRecord> deleted;
    int deleteAnswer = 0;
};

class FakeManager : public IVexaManager {
public:
    IFileService* GetFileService() override { return nullptr; }
    IMediaLibrary* GetMediaLibrary() override { return nullptr; }
    void* GetPhotoLibrary(int) override { return nullptr; }
    IAppLibrary* GetAppLibrary() override { return nullptr; }
    IBookService* GetBookService() override { return &books; }
    IDeviceService* GetDeviceService() override { return nullptr; }
    IContactService* GetContactService() override { return nullptr; }
    int SetDeviceHandle(int) override { return 0; }
    int GetDeviceHandle() override { return 77; }
    bool GetDeviceInfo(DeviceInfo**) override { return false; }
    int GetDiskInfo(DiskInfo*) override { return 1; }
    int GetDiskInfoLegacy(DiskInfo*) override { return 1; }
    FakeBooks books;
};

// Records the loader's node refreshes on the test's thread. The loader emits from its worker, and
// QSignalSpy appends on the emitting thread while the test reads the list: a queued connection instead.
class NodeRefreshLog : public QObject {
public:
    explicit NodeRefreshLog(QiBookAnalysisThread* loader) {
        connect(
            loader, &QiBookAnalysisThread::emitRefreshiBookNode, this,
            [this](int deviceHandle) { handles.append(deviceHandle); }, Qt::QueuedConnection);
    }
    bool WaitFor(int count, int timeout) {
        return QTest::qWaitFor([&] { return handles.size() >= count; }, timeout);
    }
    QList<int> handles;
};

// Remembers each load's progress positions (those that carry a record) and its end.
class ProgressLog : public IAnalysisCallback {
public:
    void OnAnalysisBegin() override {}
    void OnAnalysisEnd() override { ++ends; }
    void OnAnalysisSize(quint64) override {}
    void OnAnalysisProgress(RecoverType type, IBaseChunk* chunk, quint64 current, quint64 total) override {
        QCOMPARE(type, RECOVER_TYPE_BOOKS);
        if (chunk)
            positions.append(int(current));
        lastTotal = int(total);
    }
    void OnAnalysisError(char*) override {}
    QList<int> positions;
    int lastTotal = -1;
    int ends = 0;
};

// Keeps every written item's fields by name.
class ItemLog : public CFieldListSerial {
public:
    bool BeginItem(const char* name, int) override {
        names.push_back(name);
        items.emplace_back();
        return true;
    }
    bool EndItem() override { return true; }
    std::string Field(size_t item, const char* name) const {
        for (const CSerialField& field : items.at(item))
            if (field.Name() == name)
                return field.ValueText();
        return "<missing>";
    }
    std::vector<std::string> names;
    std::vector<FieldList> items;

protected:
    FieldList* CurrentFields() override { return items.empty() ? nullptr : &items.back(); }
};

class AddLog : public IObsever {
public:
    void OnLaunch() override {}
    void OnEnd() override { ++ends; }
    void OnProgress(int progress, int total) override {
        progress_ << QStringLiteral("%1/%2").arg(progress).arg(total);
    }
    void OnMsg(const char* msg) override { messages << QString::fromUtf8(msg); }
    void OnNote(const char*) override {}
    QStringList messages;
    QStringList progress_;
    int ends = 0;
};

// Sorted: the order of the rows is not what these tests are about.
QStringList Column(QiBookView& view, int column) {
    QStringList cells = ColumnTexts(view.TableView()->model(), column);
    cells.sort();
    return cells;
}

} // namespace

class tst_books : public QObject, PageFixture {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(StartPage(kUdid, "Books Pad")); }

    void cleanupTestCase() { StopPage(); }

    void init() {
        ResetMessages();
        // Every test starts from a device without books.
        IBookService* books = m_manager->GetBookService();
        BookRecord* list = nullptr;
        int count = 0;
        QCOMPARE(books->GetBooks(&list, &count), 0);
        std::vector<BookRecord> all(list, list + count);
        for (const BookRecord& record : all)
            QCOMPARE(books->DeleteBook(record), 0);
    }

    void cleanup() { ClearFaults(); }

    // The record set against a listed array

    void loadSkipsAbsentBooksButCountsThem() {
        FakeManager manager;
        std::string longTitle(199, 'T');
        manager.books.list = {Record("Alpha", BOOK_PDF, "1024"),
                              Record("Gone", BOOK_EPUB, "5", 0),
                              Record("Odd", 4, "12ab"),
                              Record("Made", BOOK_EPUB_IBOOKS, "1025"),
                              Record("Big", BOOK_EPUB, "1048577"),
                              Record(longTitle.c_str(), BOOK_PDF, "-")};
        // A record filled to the brim: the title runs into the format field without a NUL.
        std::memset(manager.books.list.back().title, 'T', sizeof(BookRecord::title));

        QiBookAnalysisThread loader(&manager);
        ProgressLog log;
        loader.SetCallback(&log);
        NodeRefreshLog counted(&loader);
        loader.refresh();
        QVERIFY(counted.WaitFor(1, 5000));
        QCOMPARE(counted.handles.first(), 77);
        QTRY_COMPARE(log.ends, 1);
        // The absent book takes position 1 and is skipped.
        QCOMPARE(log.positions, QList<int>({0, 2, 3, 4, 5}));
        QCOMPARE(log.lastTotal, 6);
        QCOMPARE(loader.RecordCount(), 5);

        QiBooksModel model;
        model.SetChunkList(loader.Records());
        QCOMPARE(model.rowCount(), 5);
        QStringList rows;
        for (int row = 0; row < model.rowCount(); ++row)
            rows << QStringList({model.index(row, 0).data().toString().left(8),
                                 model.index(row, 4).data().toString(),
                                 model.index(row, 5).data().toString()})
                        .join(QLatin1Char('|'));
        QCOMPARE(rows, QStringList({"Alpha|PDF|1024 B", "Odd||0 B", "Made|EPUB(IBOOK)|1.00 KB",
                                    "Big|EPUB|1.00 MB", "TTTTTTTT|PDF|0 B"}));
        QCOMPARE(model.index(4, 0).data().toString().size(), 200);

        // The export of the unknown format leaves "Format" empty; the genre goes out as "Gerne".
        ItemLog items;
        for (IBaseChunk* chunk : *loader.Records())
            chunk->Serialize(&items);
        QCOMPARE(items.names.front(), std::string("iBooks"));
        QCOMPARE(items.Field(0, "Format"), std::string("pdf"));
        QCOMPARE(items.Field(1, "Format"), std::string());
        QCOMPARE(items.Field(1, "Size"), std::string("0"));
        QCOMPARE(items.Field(3, "Size"), std::string("1048577"));
        QCOMPARE(items.Field(0, "Gerne"), std::string());
    }

    void sizeTextIsClampedAndOnlyDecimalTextIsASize() {
        // A negative size shows as none (the units are the program's size rule, tested with it).
        QCOMPARE(QiBooksModel::SizeText(-1), QStringLiteral("0 B"));
        // The device writes decimal text; anything else, or a number past 32 bits, is no size.
        const char* const unreadable[] = {"", "abc", "12ab", "1.5", "99999999999"};
        for (const char* text : unreadable)
            QCOMPARE(CiBookChunk::ParseSize(text, 200), qint64(0));
        QCOMPARE(CiBookChunk::ParseSize("2147483647", 200), qint64(2147483647));
    }

    void deleteHandsTheRecordBack() {
        FakeManager manager;
        CiBookChunk book(&manager);
        book.SetName(std::string(198, 'a') + "\xC3\xA9"
                                             "b"); // the é would end past the field's last byte
        book.path = "/Books/x.epub";
        book.author = "Ann";
        book.format = CiBookChunk::FormatEpubIBooks;
        book.size = 1048577;
        book.storeKey = "K1";
        QVERIFY(book.DeleteFromDevice());
        QCOMPARE(manager.books.deleted.size(), size_t(1));
        const BookRecord& sent = manager.books.deleted.front();
        QCOMPARE(sent.format, int32_t(BOOK_EPUB_IBOOKS));
        QCOMPARE(QByteArrayList({sent.size, sent.storeKey, sent.path, sent.author}),
                 QByteArrayList({"1048577", "K1", "/Books/x.epub", "Ann"}));
        // Cut before the two-byte character that would not fit whole.
        QCOMPARE(QByteArray(sent.title), QByteArray(198, 'a'));

        manager.books.deleteAnswer = 3;
        QVERIFY(!book.DeleteFromDevice());
        book.Reset();
        QCOMPARE(book.format, int(CiBookChunk::FormatUnknown));
        QVERIFY(book.path.empty() && book.GetName().empty() && book.size == 0);
    }

    // The page against the simulated device

    void emptyOrFailedListingShowsTheAddPanel() {
        Page page = LoadedPage();
        QCOMPARE(page.view->State(), QBaseDetailsView::ContentState::Empty);
        QVERIFY(page.view->AddWidget()->isVisible());

        QVERIFY(PutPdf("Listed"));
        Load(page);
        QCOMPARE(page.view->State(), QBaseDetailsView::ContentState::Table);
        QCOMPARE(Column(*page.view, 0), QStringList({"Listed"}));

        QCOMPARE(AddFault({.operation = "GetBooks", .code = 7}), 0);
        QSignalSpy tree(page.view.get(), &QiBookView::repainTree);
        Load(page);
        QCOMPARE(page.view->State(), QBaseDetailsView::ContentState::Empty);
        QCOMPARE(page.loader->RecordCount(), 0);
        QVERIFY(!tree.isEmpty());
        QVERIFY(m_messages->Messages().isEmpty());
    }

    void addThreeFilesWithTheSecondMissing() {
        Page page = LoadedPage();
        QVERIFY(vexa::formats::WritePdf(Local("One.pdf").toStdString(), {"One", "A"}));
        QVERIFY(vexa::formats::WriteEpub(Local("Three.v2.epub").toStdString(), {"Three", "C"}, false));
        AddLog log;
        page.view->SetAddObserver(&log);
        QSignalSpy tree(page.view.get(), &QiBookView::repainTree);
        // The add reloads the page from the device.
        Reload(page, [&] {
            page.view->AddFiles({Local("One.pdf"), Local("Two.pdf"), Local("Three.v2.epub")});
        });
        // The reports reach the observer as queued calls, the end last.
        QTRY_COMPARE(log.ends, 1);
        QCOMPARE(log.messages,
                 QStringList({"add book(0/3):One", "add book(1/3):Two", "add book(2/3):Three"}));
        QCOMPARE(log.progress_, QStringList({"0/3", "2/3"}));
        QCOMPARE(tree.first().at(1).toInt(), 1);
        QCOMPARE(tree.at(1).at(1).toInt(), 0);
        QCOMPARE(Column(*page.view, 0), QStringList({"One", "Three"}));
        QVERIFY(!QTest::qWaitFor([&] { return !m_messages->Messages().isEmpty(); }, 100));
        QCOMPARE(Column(*page.view, 4), QStringList({"EPUB", "PDF"}));
    }

    void dropAddsOnlyBookFilesAndDeviceRefusesBadOnes() {
        Page page = LoadedPage();
        QVERIFY(vexa::formats::WritePdf(Local("Good.PDF").toStdString(), {"Good", "A"}));
        for (const char* name : {"Fake.pdf", "NotZip.epub", "notes.txt"})
            QVERIFY(WriteFile(Local(QString::fromLatin1(name)), "plain text, not a book\n"));
        auto* mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(Local("Good.PDF")), QUrl::fromLocalFile(Local("Fake.pdf")),
                       QUrl::fromLocalFile(Local("NotZip.epub")), QUrl::fromLocalFile(Local("notes.txt")),
                       QUrl(QStringLiteral("https://example.org/remote.pdf"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(page.view.get(), &enter);
        QVERIFY(enter.isAccepted());

        AddLog log;
        page.view->SetAddObserver(&log);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        Reload(page, [&] { QApplication::sendEvent(page.view.get(), &drop); });
        QTRY_COMPARE(log.ends, 1);
        QCOMPARE(log.messages.size(), 3);
        // The device takes only the real PDF; nothing of the others is left on it, and the user hears so,
        // as of the text file that was not offered to it.
        QCOMPARE(Column(*page.view, 0), QStringList({"Good"}));
        QTRY_COMPARE(m_messages->Messages().size(), 2);
        QVERIFY(m_messages->Saw("2 book(s) could not be added to the device."));
        QVERIFY(m_messages->Saw(
            QStringLiteral("1 dropped file(s) skipped: only PDF, EPUB files can be added here.")));
        const QStringList onDevice =
            FilesUnder(QString::fromStdString((DeviceFolder() / "media" / "Books").string()));
        QVERIFY2(onDevice.filter(QStringLiteral("Fake")).isEmpty() &&
                     onDevice.filter(QStringLiteral("NotZip")).isEmpty(),
                 qPrintable(onDevice.join(QLatin1Char(','))));
        delete mime;
    }

    void deleteAsksAndRemovesCheckedBooks() {
        QVERIFY(PutPdf("Keep") && PutPdf("Drop"));
        Page page = LoadedPage();
        page.view->OnRemoveBtn();
        QCOMPARE(m_messages->Messages(), QStringList({"Please choose any of items to delete!"}));

        for (IBaseChunk* chunk : *page.loader->Records())
            chunk->SetChecked(chunk->GetName() == "Drop");
        // Answered no: nothing happens.
        page.view->OnRemoveBtn();
        QCOMPARE(m_messages->Messages().last(),
                 QStringLiteral("Are you sure to delete the selected item(s)?"));
        QCOMPARE(page.loader->GetCount(), 2);

        m_messages->SetAnswerYes(true);
        Reload(page, [&] { page.view->OnRemoveBtn(); });
        QCOMPARE(Column(*page.view, 0), QStringList({"Keep"}));
        QCOMPARE(page.loader->RecordCount(), 1);
        BookRecord* list = nullptr;
        int count = 0;
        QCOMPARE(m_manager->GetBookService()->GetBooks(&list, &count), 0);
        QCOMPARE(count, 1);
    }

    void unpackedEpubExportsAsOneArchive() {
        // A book the device keeps unpacked, and a PDF whose title holds every character a file name cannot.
        const fs::path folderBook = Local("Unpacked.epub").toStdString();
        QVERIFY(vexa::formats::WriteEpub(folderBook, {"Unpacked Tale", "Ann"}, true));
        QCOMPARE(AddToDevice(QString::fromStdString(folderBook.string())), 0);
        QVERIFY(PutPdf("A\\B/C:D*E?F\"G<H>I|J", "Odd"));
        QStringList bookFiles;
        for (const QString& file : FilesUnder(QString::fromStdString(folderBook.string())))
            bookFiles << QDir(QString::fromStdString(folderBook.string())).relativeFilePath(file);
        QVERIFY(bookFiles.contains(QStringLiteral("mimetype")) && bookFiles.size() >= 3);

        Page page = LoadedPage();
        QCOMPARE(page.loader->GetCount(), 2);
        for (IBaseChunk* chunk : *page.loader->Records())
            chunk->SetChecked(true);
        const QString target = Local("export");
        QVERIFY(QDir().mkpath(target));
        QString title;
        // Polls until the folder dialog is up, however slow the build.
        WhenShown<QFileDialog>([&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            dialog->setDirectory(target);
            if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit"))
                edit->setText(target);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        page.view->OnToComputerFile();
        QCOMPARE(title, QStringLiteral("Save File"));
        QStringList written = QDir(target).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        written.sort();
        QCOMPARE(written.size(), 2);
        const QString archive = written.filter(QStringLiteral(".epub")).value(0);
        QCOMPARE(archive, QStringLiteral("Unpacked Tale.epub"));
        QVERIFY(QFileInfo(target + QLatin1Char('/') + archive).isFile());
        const QString odd = written.filter(QStringLiteral(".pdf")).value(0);
        QVERIFY2(odd.startsWith(QLatin1Char('A')) && odd.endsWith(QStringLiteral("J.pdf")), qPrintable(odd));
        for (QChar forbidden : QStringLiteral("\\/:*?\"<>|"))
            QVERIFY2(!odd.contains(forbidden), qPrintable(odd));

        const QStringList listed = ArchivePaths(target + QLatin1Char('/') + archive, false);
        QCOMPARE(listed, bookFiles);
        // The folder the book was zipped in is gone again.
        QTRY_VERIFY(QDir(QDir::tempPath() + QStringLiteral("/Vexa Manager iBook"))
                        .entryList(QDir::NoDotAndDotDot | QDir::AllEntries)
                        .isEmpty());
    }

    void toiTunesCopiesIntoEveryMediaFolder() {
        QVERIFY(PutPdf("Tuned"));
        Page page = LoadedPage();
        page.view->OnToiTunes();
        QCOMPARE(m_messages->Messages(), QStringList({"Please choose one or more items first!"}));

        // The row under a right click is what the menu works on when nothing is checked.
        QMenu* menu = page.view->PrepareContextMenu(
            page.view->TableView()->visualRect(page.view->TableView()->model()->index(0, 1)).center());
        QVERIFY(menu);
        QVERIFY(page.view->HasCheckedChunk());
        // Below the rows it is the row clicked last.
        page.view->GetChunk(0)->SetChecked(false);
        page.view->ClickTableView(page.view->TableView()->model()->index(0, 2));
        page.view->PrepareContextMenu(QPoint(5, page.view->TableView()->viewport()->height() - 2));
        QVERIFY(page.view->GetChunk(0)->IsChecked());

        // The book goes out under its own name (the lookup of the media folders is the music page's test).
        const QString media = Local("My Media/iTunes Media");
        QVERIFY(QDir().mkpath(media));
        QVERIFY(
            WriteFile(Local("Music/iTunes/iTunes Music Library.xml"),
                      "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Music Folder</key><string>" +
                          Local("My Media").toUtf8() + "</string></dict></plist>"));
        page.view->SetMusicFolder(Local("Music"));
        page.view->OnToiTunes();
        QCOMPARE(QFileInfo(media + QStringLiteral("/Tuned.pdf")).size(),
                 QFileInfo(Local("Tuned.pdf")).size());
    }

private:
    // The page and its loader wired as the navigation tree wires them.
    struct Page {
        std::unique_ptr<QiBookView> view;
        std::unique_ptr<QiBookAnalysisThread> loader;
    };
    Page MakePage(IVexaManager* manager);

    Page LoadedPage() {
        Page page = MakePage(m_manager);
        Load(page);
        return page;
    }

    // Runs `change` and waits for the page's reload that follows it.
    void Reload(Page& page, const std::function<void()>& change) {
        NodeRefreshLog counted(page.loader.get());
        change();
        QVERIFY(counted.WaitFor(1, 10000));
        QTRY_VERIFY(!page.view->IsLoading());
    }

    void Load(Page& page) {
        Reload(page, [&page] { page.loader->refresh(); });
        QCoreApplication::processEvents();
    }

    // A PDF of that title made under `name` (the title by default) and added to the device.
    bool PutPdf(const QString& title, const QString& name = {}) {
        const QString path = Local((name.isEmpty() ? title : name) + QStringLiteral(".pdf"));
        return vexa::formats::WritePdf(path.toStdString(), {title.toStdString(), "A"}) &&
               AddToDevice(path) == 0;
    }

    QString Local(const QString& name) const { return m_local.filePath(name); }

    int AddToDevice(const QString& path) {
        return m_manager->GetBookService()->AddBook(reinterpret_cast<const char16_t*>(path.utf16()));
    }

    QTemporaryDir m_local;
};

tst_books::Page tst_books::MakePage(IVexaManager* manager) {
    Page page;
    page.view = std::make_unique<QiBookView>(manager, manager->GetDeviceHandle());
    page.loader = std::make_unique<QiBookAnalysisThread>(manager);
    page.loader->SetCallback(page.view.get());
    page.view->SetChunkList(page.loader->Records());
    connect(page.loader.get(), &QiBookAnalysisThread::loadStarting, page.view.get(),
            &QiBookView::OnLoadStarting);
    connect(page.view.get(), &QiBookView::clickRefresh, page.loader.get(), &QiBookAnalysisThread::refresh);
    QiBookView* view = page.view.get();
    connect(page.loader.get(), &QiBookAnalysisThread::emitRefreshiBookNode, view,
            [view, loader = page.loader.get()](int) {
                view->ShowBookCount(loader->RecordCount(), loader->LastLoadListed());
            });
    page.view->resize(800, 500);
    page.view->show();
    return page;
}

QTEST_MAIN(tst_books)
#include "tst_books.moc"
