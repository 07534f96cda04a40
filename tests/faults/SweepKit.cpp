#include "SweepKit.h"

#include <algorithm>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <vexa/vexa.h>

#include "CPhotoSerialDlg.h"
#include "DeviceSubItem.h"
#include "DialogAnswerer.h"
#include "FaultSweep.h"
#include "QImageButton.h"
#include "QMusicView.h"
#include "QOperatePanel.h"
#include "TreeNode.h"

QTemporaryDir& ExportRoot() {
    static QTemporaryDir root;
    return root;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TreeNode* ChildNamed(TreeNode* parent, const QString& text) {
    for (TreeNode* child : parent ? parent->Children() : QList<TreeNode*>()) {
        if (child->Text() == text || child->Text().startsWith(text + QLatin1String(" (")))
            return child;
    }
    return nullptr;
}

TreeNode* MediaNode(const SweepDevice& device, int kind) {
    TreeNode* media = device.Category(SUB_ITEM_MEDIA);
    return media ? media->FindChildOfKind(kind) : nullptr;
}

QMusicView* MusicPage(const SweepDevice& device) {
    return qobject_cast<QMusicView*>(device.MusicView());
}

bool LoadPage(SweepDevice& device, TreeNode* node, QBaseDetailsView* view, const QSignalSpy& ended) {
    QPointer<QBaseDetailsView> page(view);
    const bool first = node->PressCount() == 0;
    device.Press(node);
    if (!first && page)
        emit page->OperatePanel()->refreshOperate();
    return WaitForPass(page, ended);
}

bool WaitForPass(QBaseDetailsView* view, const QSignalSpy& ended) {
    return Await(view, [&] { return !view->IsRunning() && ended.count() > 0; });
}

bool Await(const QObject* object, const std::function<bool()>& done) {
    const QPointer<const QObject> alive(object);
    (void)QTest::qWaitFor([&] { return !alive || done(); }, kSweepWaitMs);
    QCoreApplication::processEvents();
    return !alive.isNull();
}

void ChooseFileWhenShown(SweepDevice& device, const QString& path) {
    device.Dialogs()->WhenShown<QFileDialog>([&device, path](QFileDialog* dialog) {
        DialogAnswerer::Choose(dialog, path);
        device.JustBeforeCall();
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
}

void ChooseFolderWhenShown(SweepDevice& device, const QString& folder) {
    device.Dialogs()->WhenShown<QFileDialog>([&device, folder](QFileDialog* dialog) {
        dialog->setDirectory(folder);
        if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            edit->setText(folder);
        device.JustBeforeCall();
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
}

bool ExportWithoutMessage(SweepDevice& device, const std::function<void()>& start) {
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
    start();
    watch.stop();
    device.Dialogs()->ForgetHandler();
    // The confirmation that names the folder is how a healthy export ends, not a message about it.
    const QStringList after = device.Dialogs()->Messages().mid(before);
    return !endedOpen && std::all_of(after.begin(), after.end(), [](const QString& message) {
        return message.startsWith(QStringLiteral("Exported into the folder "));
    });
}

QStringList DeviceTrackTitles(const SweepDevice& device,
                              const std::function<bool(const MediaTrackRecord&)>& keep) {
    QStringList titles;
    device.WithManager([&](IVexaManager* manager) {
        int count = 0;
        PlaylistRecord* playlists = nullptr;
        if (manager->GetMediaLibrary()->GetPlaylists(&count, &playlists) != 0 || count < 1)
            return false;
        for (int i = 0; i < playlists[0].trackCount; ++i) {
            const MediaTrackRecord& track = playlists[0].tracks[i];
            if (!keep || keep(track))
                titles << QString::fromUtf8(track.title ? track.title : "");
        }
        return true;
    });
    return titles;
}

void AddToDeviceLibrary(const SweepDevice& device, const QString& path) {
    device.WithManager([&](IVexaManager* manager) {
        const char16_t* paths[] = {reinterpret_cast<const char16_t*>(path.utf16())};
        return manager->GetMediaLibrary()->AddMediaFileData(paths, 1, nullptr, 0) == 0;
    });
}
