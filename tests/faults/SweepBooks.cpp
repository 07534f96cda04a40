#include <QDirIterator>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/IVexaManager.h>

#include "CiBookChunk.h"
#include "DeviceSubItem.h"
#include "DialogAnswerer.h"
#include "FaultSweep.h"
#include "PostedEvents.h"
#include "QOperatePanel.h"
#include "QiBookAnalysisThread.h"
#include "QiBookView.h"
#include "QiBooksModel.h"
#include "SweepKit.h"
#include "TreeNode.h"
#include "formats/BookFile.h"

namespace {

constexpr int kWaitMs = 15000;

QString g_addedTitle;
QString g_deletedKey;
QString g_exportFolder;

QiBookView* View(SweepDevice& device) {
    TreeNode* node = device.Category(SUB_ITEM_IBOOKS);
    return node ? qobject_cast<QiBookView*>(node->Binding().view) : nullptr;
}

QiBookAnalysisThread* Loader(SweepDevice& device) {
    TreeNode* node = device.Category(SUB_ITEM_IBOOKS);
    return node ? qobject_cast<QiBookAnalysisThread*>(node->Binding().loader) : nullptr;
}

// Waits for the page's reload and the message the end of a load may post.
bool WaitIdle(const QPointer<QiBookView>& view, const QPointer<QiBookAnalysisThread>& loader) {
    const bool idle = QTest::qWaitFor(
        [&] { return !view || !loader || (!loader->IsRunning() && !view->IsLoading()); }, kWaitMs);
    return RunPostedEvents() && idle && view;
}

QStringList DeviceBooks(SweepDevice& device) {
    QStringList books;
    device.WithManager([&](IVexaManager* manager) {
        BookRecord* list = nullptr;
        int count = 0;
        if (manager->GetBookService()->GetBooks(&list, &count) != 0)
            return false;
        for (int i = 0; i < count; ++i)
            books << QString::fromUtf8(list[i].title) + QLatin1Char('|') +
                         QString::fromUtf8(list[i].storeKey);
        return true;
    });
    return books;
}

// The books page loaded from the device and shown; false when it could not be loaded.
bool Loaded(SweepDevice& device) {
    QPointer<QiBookView> view = View(device);
    QPointer<QiBookAnalysisThread> loader = Loader(device);
    if (!view || !loader)
        return false;
    device.Press(device.Category(SUB_ITEM_IBOOKS));
    if (!loader->IsRunning())
        loader->refresh();
    return WaitIdle(view, loader);
}

// Puts one PDF (or, with `unpacked`, an EPUB kept as a folder) on the device behind the page's back.
void EnsureBook(SweepDevice& device, bool unpacked) {
    const QString title = QStringLiteral("Sweep Book %1").arg(device.Next());
    const QString path =
        ExportRoot().filePath(title + (unpacked ? QStringLiteral(".epub") : QStringLiteral(".pdf")));
    const vexa::formats::BookSpec spec{title.toStdString(), "Sweep"};
    const bool written = unpacked ? vexa::formats::WriteEpub(path.toStdString(), spec, true)
                                  : vexa::formats::WritePdf(path.toStdString(), spec);
    if (written) {
        device.WithManager([&](IVexaManager* manager) {
            return manager->GetBookService()->AddBook(reinterpret_cast<const char16_t*>(path.utf16())) == 0;
        });
    }
    Loaded(device);
}

// Add on the books page, one PDF chosen in the file dialog.
bool AddThroughDialog(SweepDevice& device) {
    QPointer<QiBookView> view = View(device);
    QPointer<QiBookAnalysisThread> loader = Loader(device);
    if (!view || !loader)
        return false;
    g_addedTitle = QStringLiteral("Added Book %1").arg(device.Next());
    const QString path = ExportRoot().filePath(g_addedTitle + QStringLiteral(".pdf"));
    if (!vexa::formats::WritePdf(path.toStdString(), {g_addedTitle.toStdString(), "Sweep"}))
        return false;
    ChooseFileWhenShown(device, path);
    const int before = int(device.Dialogs()->Messages().size());
    emit view->OperatePanel()->addOperate();
    device.Dialogs()->ForgetHandler();
    if (!WaitIdle(view, loader))
        return false;
    return device.Dialogs()->Messages().size() == before &&
           view->BooksModel()->match(view->BooksModel()->index(0, 0), Qt::DisplayRole, g_addedTitle).size() ==
               1;
}

// The device holds the PDF the last add chose.
bool DeviceHasAddedBook(SweepDevice& device) {
    return !DeviceBooks(device).filter(g_addedTitle + QLatin1Char('|')).isEmpty();
}

// Checks one book, presses Delete and answers yes.
bool DeleteOne(SweepDevice& device) {
    QPointer<QiBookView> view = View(device);
    QPointer<QiBookAnalysisThread> loader = Loader(device);
    if (!view || !loader || view->GetChunkCount() == 0)
        return false;
    auto* target = static_cast<CiBookChunk*>(view->GetChunk(view->GetChunkCount() - 1));
    g_deletedKey = QString::fromStdString(target->storeKey);
    for (int row = 0; row < view->GetChunkCount(); ++row)
        view->GetChunk(row)->SetChecked(view->GetChunk(row) == target);
    device.Dialogs()->BeforeNextYes([&device] { device.JustBeforeCall(); });
    const int before = int(device.Dialogs()->Messages().size());
    emit view->OperatePanel()->deleteOperate();
    if (!WaitIdle(view, loader))
        return false;
    // The question is the one message a healthy delete shows.
    return device.Dialogs()->Messages().size() == before + 1;
}

// The device no longer holds the book the last delete chose.
bool DeviceLostDeletedBook(SweepDevice& device) {
    return DeviceBooks(device).filter(QLatin1Char('|') + g_deletedKey).isEmpty();
}

// "To Computer" of the unpacked EPUB into a fresh folder; true when its one archive is there.
bool ExportUnpacked(SweepDevice& device) {
    QPointer<QiBookView> view = View(device);
    if (!view)
        return false;
    CiBookChunk* unpacked = nullptr;
    for (int row = 0; row < view->GetChunkCount(); ++row) {
        auto* book = static_cast<CiBookChunk*>(view->GetChunk(row));
        if (!unpacked && book->format == CiBookChunk::FormatEpub)
            unpacked = book;
    }
    if (!unpacked)
        return false;
    for (int row = 0; row < view->GetChunkCount(); ++row)
        view->GetChunk(row)->SetChecked(view->GetChunk(row) == unpacked);
    const QString archive = QString::fromStdString(unpacked->GetName()) + QStringLiteral(".epub");
    g_exportFolder = ExportRoot().filePath(QStringLiteral("export%1").arg(device.Next()));
    if (!QDir().mkpath(g_exportFolder))
        return false;
    ChooseFolderWhenShown(device, g_exportFolder);
    return ExportWithoutMessage(device, [&view] { view->OnToComputerFile(); }) &&
           QFileInfo(g_exportFolder + QLatin1Char('/') + archive).isFile();
}

// Anything the failed export left in its folder.
QString ExportLeftovers(SweepDevice&) {
    QStringList left;
    QDirIterator it(g_exportFolder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        left << QDir(g_exportFolder).relativeFilePath(it.next());
    return left.join(QLatin1String(", "));
}

} // namespace

void AddBooksOperations(std::vector<SweepOperation>& operations) {
    operations.push_back({
        .call = {"AddBook", "Add on the books page, one PDF chosen in the file dialog (add-book worker)",
                 "1 book(s) could not be added to the device."},
        .prepare = [](SweepDevice& device) { Loaded(device); },
        .act = AddThroughDialog,
        .verify = DeviceHasAddedBook,
    });
    operations.push_back({
        .call = {"DeleteBook", "check a book, Delete, answer yes (batch delete worker)",
                 "Some books could not be deleted from the device!"},
        .prepare = [](SweepDevice& device) { EnsureBook(device, false); },
        .act = DeleteOne,
        .verify = DeviceLostDeletedBook,
    });
    operations.push_back({
        .call = {"ReadDirectory", "To Computer of an EPUB the device keeps unpacked (folder copy, then zip)",
                 "1 file(s) could not be copied."},
        .prepare = [](SweepDevice& device) { EnsureBook(device, true); },
        .act = ExportUnpacked,
        .leftovers = ExportLeftovers,
    });
}
