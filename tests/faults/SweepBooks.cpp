#include "SweepBooks.h"

#include <QApplication>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <vexa/IVexaManager.h>

#include "CPhotoSerialDlg.h"
#include "CiBookChunk.h"
#include "DeviceSubItem.h"
#include "DialogAnswerer.h"
#include "FaultSweep.h"
#include "QImageButton.h"
#include "QOperatePanel.h"
#include "QiBookAnalysisThread.h"
#include "QiBookView.h"
#include "QiBooksModel.h"
#include "TreeNode.h"
#include "formats/BookFile.h"
#include <QLabel>

namespace SweepBooks {

namespace {

constexpr int kWaitMs = 15000;

QTemporaryDir& Files() {
    static QTemporaryDir folder;
    return folder;
}

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
    QTest::qWait(50);
    return idle && view;
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

} // namespace

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

void EnsureBook(SweepDevice& device, bool unpacked) {
    const QString title = QStringLiteral("Sweep Book %1").arg(device.Next());
    const QString path =
        Files().filePath(title + (unpacked ? QStringLiteral(".epub") : QStringLiteral(".pdf")));
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

bool AddThroughDialog(SweepDevice& device) {
    QPointer<QiBookView> view = View(device);
    QPointer<QiBookAnalysisThread> loader = Loader(device);
    if (!view || !loader)
        return false;
    g_addedTitle = QStringLiteral("Added Book %1").arg(device.Next());
    const QString path = Files().filePath(g_addedTitle + QStringLiteral(".pdf"));
    if (!vexa::formats::WritePdf(path.toStdString(), {g_addedTitle.toStdString(), "Sweep"}))
        return false;
    device.Dialogs()->WhenShown<QFileDialog>([&device, path](QFileDialog* dialog) {
        DialogAnswerer::Choose(dialog, path);
        device.JustBeforeCall();
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    const int before = int(device.Dialogs()->Messages().size());
    emit view->OperatePanel()->addOperate();
    device.Dialogs()->ForgetHandler();
    if (!WaitIdle(view, loader))
        return false;
    return device.Dialogs()->Messages().size() == before &&
           view->BooksModel()->match(view->BooksModel()->index(0, 0), Qt::DisplayRole, g_addedTitle).size() ==
               1;
}

bool DeviceHasAddedBook(SweepDevice& device) {
    return !DeviceBooks(device).filter(g_addedTitle + QLatin1Char('|')).isEmpty();
}

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

bool DeviceLostDeletedBook(SweepDevice& device) {
    return DeviceBooks(device).filter(QLatin1Char('|') + g_deletedKey).isEmpty();
}

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
    g_exportFolder = Files().filePath(QStringLiteral("export%1").arg(device.Next()));
    if (!QDir().mkpath(g_exportFolder))
        return false;
    device.Dialogs()->WhenShown<QFileDialog>([&device](QFileDialog* dialog) {
        dialog->setDirectory(g_exportFolder);
        if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            edit->setText(g_exportFolder);
        device.JustBeforeCall();
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    // A transfer dialog that stays open after its end shows its last line instead of a message.
    bool endedOpen = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<CPhotoSerialDlg*>(widget);
            if (dialog && dialog->isVisible() && dialog->IsEnded()) {
                endedOpen = true;
                device.Dialogs()->Note(dialog->Label()->text());
                dialog->CancelButton()->click();
            }
        }
    });
    watch.start(10);
    const int before = int(device.Dialogs()->Messages().size());
    view->OnToComputerFile();
    watch.stop();
    device.Dialogs()->ForgetHandler();
    return !endedOpen && device.Dialogs()->Messages().size() == before &&
           QFileInfo(g_exportFolder + QLatin1Char('/') + archive).isFile();
}

QString ExportLeftovers(SweepDevice&) {
    QStringList left;
    QDirIterator it(g_exportFolder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        left << QDir(g_exportFolder).relativeFilePath(it.next());
    return left.join(QLatin1String(", "));
}

} // namespace SweepBooks
