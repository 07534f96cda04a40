// Renders the books page (table with a context menu, empty panel) in English and German into PNG
// files, so its look can be checked by eye. Usage: books_screens <output folder>

#include <QApplication>
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
#include "ScreensSession.h"
#include "formats/BookFile.h"
#include "sim/ContentServices.h"

namespace {

const char* const kFullUdid = "00008101-0000000000B5C4E1";
const char* const kEmptyUdid = "00008101-0000000000B5C4E2";
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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ScreensSession session(argc, argv);
    for (const char* udid : {kFullUdid, kEmptyUdid}) {
        vexa::sim::LargeDeviceSpec spec;
        spec.udid = udid;
        spec.name = udid == kFullUdid ? "Screens Pad" : "Empty Pad";
        if (!session.Generate(spec))
            return 1;
    }
    if (!session.Connect({kFullUdid, kEmptyUdid}) || !session.Manager(kFullUdid) ||
        !session.Manager(kEmptyUdid))
        return 1;
    IVexaManager* full = session.Manager(kFullUdid);
    IVexaManager* empty = session.Manager(kEmptyUdid);
    QTemporaryDir files;
    AddSampleBooks(full->GetBookService(), files);

    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        {
            Page page(full, session.Handle(kFullUdid));
            page.view.GetChunk(1)->SetChecked(true);
            page.view.OnItemCheckChange(true);
            page.view.TableView()->selectRow(2);
            ScreensSession::Save(&page.view, session.Picture(QStringLiteral("books_table"), language.name),
                                 50);

            QTableView* table = page.view.TableView();
            const QPoint at = table->visualRect(table->model()->index(1, 1)).center();
            QMenu* menu = page.view.PrepareContextMenu(at);
            menu->popup(table->viewport()->mapToGlobal(at));
            QTest::qWait(100);
            QPixmap shot = page.view.grab();
            QPainter painter(&shot);
            painter.drawPixmap(page.view.mapFromGlobal(menu->pos()), menu->grab());
            painter.end();
            shot.save(session.Picture(QStringLiteral("books_menu"), language.name));
            menu->hide();
        }
        Page emptyPage(empty, session.Handle(kEmptyUdid));
        ScreensSession::Save(&emptyPage.view, session.Picture(QStringLiteral("books_empty"), language.name),
                             50);
    }
    return 0;
}
