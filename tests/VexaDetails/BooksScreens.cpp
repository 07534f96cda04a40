// Renders the books page (table with a context menu, empty panel) in English and German into PNG
// files, so its look can be checked by eye. Usage: books_screens <output folder>
#include <atomic>
#include <filesystem>
#include <map>
#include <mutex>

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "IBaseChunk.h"
#include "LanguageService.h"
#include "QiBookAnalysisThread.h"
#include "QiBookView.h"
#include "formats/BookFile.h"
#include "sim/ContentServices.h"

namespace {

const char* const kFullUdid = "00008101-0000000000B5C4E1";
const char* const kEmptyUdid = "00008101-0000000000B5C4E2";
std::map<std::string, int> g_handles;
std::mutex g_mutex;

int OnDevice(int mode, int handle) {
    if (mode != VEXA_DEVICE_ARRIVED)
        return 0;
    IVexaManager* manager = GetVexaManager();
    DeviceInfo* info = nullptr;
    if (manager->SetDeviceHandle(handle) == 0 && manager->GetDeviceInfo(&info)) {
        std::lock_guard lock(g_mutex);
        g_handles[info->properties[DP_UniqueDeviceID]] = handle;
    }
    DeleteVexaManager(&manager);
    return 0;
}

int HandleOf(const char* udid) {
    std::lock_guard lock(g_mutex);
    auto found = g_handles.find(udid);
    return found == g_handles.end() ? 0 : found->second;
}

void AddSampleBooks(IBookService* books, const QTemporaryDir& folder) {
    struct Sample {
        const char* file;
        const char* title;
        const char* author;
        int pages;
        int kind; // 0 PDF, 1 EPUB file, 2 unpacked EPUB
    };
    const Sample samples[] = {
        {"walden.pdf", "Walden", "Henry D. Thoreau", 120, 0},
        {"faust.epub", "Faust. Eine Tragödie", "Johann W. Goethe", 40, 1},
        {"tale.epub", "A Tale of Two Cities", "Charles Dickens", 10, 2},
        {"manual.pdf", "Bedienungsanleitung Küchenmaschine", "Werk & Co.", 900, 0},
        {"poems.epub", "唐诗三百首", "蘅塘退士", 5, 1},
    };
    for (const Sample& sample : samples) {
        const std::string path = folder.filePath(QString::fromLatin1(sample.file)).toStdString();
        const vexa::formats::BookSpec spec{sample.title, sample.author, sample.pages};
        const bool written = sample.kind == 0 ? vexa::formats::WritePdf(path, spec)
                                              : vexa::formats::WriteEpub(path, spec, sample.kind == 2);
        const QString local = QString::fromStdString(path);
        if (written)
            books->AddBook(reinterpret_cast<const char16_t*>(local.utf16()));
    }
}

struct Page {
    Page(IVexaManager* manager, int handle)
        : view(manager, handle)
        , loader(manager) {
        loader.SetCallback(&view);
        view.SetChunkList(loader.Records());
        QObject::connect(&loader, &QiBookAnalysisThread::loadStarting, &view, &QiBookView::OnLoadStarting);
        QObject::connect(&loader, &QiBookAnalysisThread::emitRefreshiBookNode, &view,
                         [this](int) { view.ShowBookCount(loader.RecordCount(), loader.LastLoadListed()); });
        view.resize(760, 420);
        view.show();
        QSignalSpy counted(&loader, &QiBookAnalysisThread::emitRefreshiBookNode);
        loader.refresh();
        counted.wait(10000);
        QTest::qWait(100);
    }
    QiBookView view;
    QiBookAnalysisThread loader;
};

void Save(QWidget* widget, const QString& path) {
    QTest::qWait(50);
    if (!widget->grab().save(path))
        qWarning("can't save %s", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens");
    QDir().mkpath(output);
    QTemporaryDir home;
    QTemporaryDir files;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("VEXA_SIM_ROOT", home.filePath(QStringLiteral("simulator")).toLocal8Bit());
    qputenv("VEXA_BACKEND", "sim");
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));

    const std::filesystem::path root = home.filePath(QStringLiteral("simulator")).toStdString();
    std::filesystem::create_directories(root);
    for (const char* udid : {kFullUdid, kEmptyUdid}) {
        vexa::sim::LargeDeviceSpec spec;
        spec.udid = udid;
        spec.name = udid == kFullUdid ? "Screens Pad" : "Empty Pad";
        if (vexa::sim::GenerateLargeDevice(root, spec) != 0)
            return 1;
    }
    IOSInitialize();
    IOSListener(OnDevice);
    if (!QTest::qWaitFor([] { return HandleOf(kFullUdid) && HandleOf(kEmptyUdid); }, 10000))
        return 1;
    IVexaManager* full = GetVexaManager();
    IVexaManager* empty = GetVexaManager();
    if (full->SetDeviceHandle(HandleOf(kFullUdid)) != 0 || empty->SetDeviceHandle(HandleOf(kEmptyUdid)) != 0)
        return 1;
    AddSampleBooks(full->GetBookService(), files);

    const struct {
        int code;
        const char* name;
    } languages[] = {{31, "en"}, {42, "de"}};
    for (const auto& language : languages) {
        SetLanguage(language.code);
        {
            Page page(full, HandleOf(kFullUdid));
            page.view.GetChunk(1)->SetChecked(true);
            page.view.OnItemCheckChange(true);
            page.view.TableView()->selectRow(2);
            Save(&page.view, QStringLiteral("%1/books_table_%2.png").arg(output, language.name));

            QTableView* table = page.view.TableView();
            const QPoint at = table->visualRect(table->model()->index(1, 1)).center();
            QMenu* menu = page.view.PrepareContextMenu(at);
            menu->popup(table->viewport()->mapToGlobal(at));
            QTest::qWait(100);
            QPixmap shot = page.view.grab();
            QPainter painter(&shot);
            painter.drawPixmap(page.view.mapFromGlobal(menu->pos()), menu->grab());
            painter.end();
            shot.save(QStringLiteral("%1/books_menu_%2.png").arg(output, language.name));
            menu->hide();
        }
        Page emptyPage(empty, HandleOf(kEmptyUdid));
        Save(&emptyPage.view, QStringLiteral("%1/books_empty_%2.png").arg(output, language.name));
    }
    DeleteVexaManager(&full);
    DeleteVexaManager(&empty);
    IOSListener(nullptr);
    return 0;
}
