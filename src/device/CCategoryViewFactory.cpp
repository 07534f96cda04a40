#include "CCategoryViewFactory.h"

#include <vexa/vexa.h>

#include <QDebug>

#include "CSingleDetectiPhone.h"
#include "DeviceSubItem.h"
#include "LanguageService.h"
#include "QAppsView.h"
#include "QContactsView.h"
#include "QMusicTreeNodes.h"
#include "QMusicView.h"
#include "QNavigateWidget.h"
#include "QPhotoView.h"
#include "QPlayAnalysisTread.h"
#include "QPlayListView.h"
#include "QSystemView.h"
#include "QVideoView.h"
#include "QiBookAnalysisThread.h"
#include "QiBookView.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "qmessageView.h"

namespace {

using Binding = CCategoryViewFactory::Binding;
using Context = CCategoryViewFactory::Context;
using Bindings = std::vector<Binding>;

void MakeMedia(const Context& c, Bindings& out) {
    auto* video = new QVideoView(c.manager, c.deviceHandle, c.navigate);
    QObject::connect(video, &QVideoView::emitRefreshVideoNode, c.navigate,
                     &QNavigateWidget::RefreshVideoNode);
    out.push_back({SUB_ITEM_MEDIA, video, nullptr, {}});
    out.push_back({NODE_VIDEO, video, nullptr, {}});

    auto* music = new QMusicView(c.manager, c.deviceHandle, c.navigate);
    QObject::connect(music, &QMusicView::emitRefreshMusicNode, c.navigate,
                     &QNavigateWidget::RefreshMusicNode);
    QObject::connect(music, &QMusicView::sendAddComputerFile, c.navigate->MusicTree(),
                     &QMusicTreeNodes::OnAddMusic);
    out.push_back({NODE_MUSIC, music, nullptr, {}});
}

void MakePlaylist(const Context& c, Bindings& out) {
    auto* loader = new QPlayAnalysisTread(c.manager, c.deviceHandle, c.navigate);
    auto* view = new QPlayListView(c.manager, c.deviceHandle, c.navigate);
    // The loader hands its entries over on the interface thread and tells the tree from there.
    QObject::connect(loader, &QPlayAnalysisTread::refreshPlayList, c.navigate,
                     &QNavigateWidget::RefreshPlayList);
    view->SetLoader(loader);
    QObject::connect(loader, &QPlayAnalysisTread::emitUnavailable, view, &QBaseDetailsView::ShowUnavailable);
    const int handle = c.deviceHandle;
    QObject::connect(c.navigate, &QNavigateWidget::NewPlayList, loader,
                     [loader, handle](int deviceHandle, const QString& name) {
                         if (deviceHandle == handle)
                             loader->AddPlaylistName(loader->PlaylistCount(), name);
                     });
    QObject::connect(view, &QPlayListView::sendAddComputerFile, c.navigate->MusicTree(),
                     &QMusicTreeNodes::OnAddPlay);
    // Songs deleted on the music page leave the playlists too.
    for (const Binding& binding : out) {
        if (auto* music = binding.kind == NODE_MUSIC ? qobject_cast<QMusicView*>(binding.view) : nullptr)
            QObject::connect(music, &QMusicView::sendDeleteMusicFile, loader,
                             &QPlayAnalysisTread::RefreshList);
    }
    // The playlist names hang under the node, so they are read as soon as the device is shown.
    QPointer<QPlayAnalysisTread> guarded(loader);
    out.push_back({SUB_ITEM_PLAYLIST, view, loader, [guarded] {
                       if (guarded)
                           guarded->Start();
                   }});
}

void MakeContacts(const Context& c, Bindings& out) {
    auto* view = new QContactsView(c.manager, c.deviceHandle, c.navigate);
    QObject::connect(view, &QContactsView::emitRefreshContactsNode, c.navigate,
                     &QNavigateWidget::RefreshContactsNode);
    out.push_back({SUB_ITEM_CONTACTS, view, nullptr, {}});
}

void MakeMessages(const Context& c, Bindings& out) {
    auto* view = new qmessageView(c.manager, c.deviceHandle, c.navigate);
    QObject::connect(view, &qmessageView::repainTree, c.navigate, &QNavigateWidget::repaintTreeView);
    QObject::connect(view, &qmessageView::refreshMSGNode, c.navigate, &QNavigateWidget::RefreshMessageNode);
    out.push_back({SUB_ITEM_MESSAGES, view, nullptr, {}});
}

void MakeSystem(const Context& c, Bindings& out) {
    auto* view = new QSystemView(c.manager, c.deviceHandle, c.navigate);
    // The system view shows no count; its node only stops waiting.
    QPointer<QNavigateWidget> navigate(c.navigate);
    const int handle = c.deviceHandle;
    QObject::connect(view, &QBaseDetailsView::loadFinished, c.navigate, [navigate, handle] {
        if (!navigate)
            return;
        navigate->StopWaiting(handle, SUB_ITEM_SYSTEM);
        navigate->RefreshSystemNode();
    });
    out.push_back({SUB_ITEM_SYSTEM, view, nullptr, {}});
}

void MakePhotos(const Context& c, Bindings& out) {
    auto* view = new QPhotoView(c.manager, c.deviceHandle, c.navigate);
    const DeviceInfo* record = CSingleDetectiPhone::Instance()->RecordOf(c.manager);
    const char* udid = record ? record->properties[DP_UniqueDeviceID] : nullptr;
    view->SetDeviceFolder(QStringLiteral("/%1").arg(QString::fromUtf8(udid ? udid : "")));
    QObject::connect(view, &QPhotoView::emitRefreshPhotosNode, c.navigate,
                     &QNavigateWidget::RefreshPhotosNode);
    out.push_back({SUB_ITEM_PHOTOS, view, nullptr, {}});
}

void MakeApps(const Context& c, Bindings& out) {
    auto* view = new QAppsView(c.manager, c.deviceHandle, c.navigate);
    QObject::connect(view, &QAppsView::emitRefreshAppNode, c.navigate, &QNavigateWidget::RefreshAppNode);
    QObject::connect(view, &QAppsView::repainTree, c.navigate, &QNavigateWidget::repaintTreeView);
    // A failed listing names no count; the node still stops waiting.
    QPointer<QNavigateWidget> navigate(c.navigate);
    const int handle = c.deviceHandle;
    QObject::connect(view, &QBaseDetailsView::loadFinished, c.navigate, [navigate, handle] {
        if (navigate)
            navigate->StopWaiting(handle, SUB_ITEM_APPS);
    });
    // "Documents" shows the app's container in the device's file system page.
    QObject::connect(view, &QAppsView::emitOpenAppDocuments, c.navigate,
                     [navigate](int deviceHandle, const QString& appId, const QString&) {
                         TreeNode* device = navigate ? navigate->DeviceNode(deviceHandle) : nullptr;
                         TreeNode* system = device ? device->FindChildOfKind(SUB_ITEM_SYSTEM) : nullptr;
                         if (!system)
                             return;
                         navigate->ClickTreeViewItem(navigate->Model()->IndexOf(system));
                         if (auto* browser = qobject_cast<QSystemView*>(system->Binding().view))
                             browser->OnBrowseAppContainer(appId);
                     });
    out.push_back({SUB_ITEM_APPS, view, nullptr, {}});
}

void MakeBooks(const Context& c, Bindings& out) {
    auto* view = new QiBookView(c.manager, c.deviceHandle, c.navigate);
    auto* loader = new QiBookAnalysisThread(c.manager, c.navigate);
    const QByteArray folder = WorkDir().toUtf8();
    loader->AppendPlistPath(folder + "/Purchases.plist");
    loader->AppendPlistPath(folder + "/Books.plist");
    loader->SetCallback(view);
    QObject::connect(view, &QiBookView::repainTree, c.navigate, &QNavigateWidget::repaintTreeView);
    QObject::connect(loader, &QiBookAnalysisThread::emitRefreshiBookNode, c.navigate,
                     &QNavigateWidget::RefreshiBookNode);
    view->SetChunkList(loader->Records());
    QObject::connect(loader, &QiBookAnalysisThread::loadStarting, view, &QiBookView::OnLoadStarting);
    QObject::connect(view, &QiBookView::clickRefresh, loader, &QiBookAnalysisThread::refresh);
    QObject::connect(loader, &QiBookAnalysisThread::emitUnavailable, view,
                     &QBaseDetailsView::ShowUnavailable);
    out.push_back({SUB_ITEM_IBOOKS, view, loader, {}});
}

// The categories in the order their views are made.
using Maker = void (*)(const Context&, Bindings&);
constexpr Maker kMakers[] = {
    MakeMedia, MakePlaylist, MakeContacts, MakeMessages, MakeSystem, MakePhotos, MakeApps, MakeBooks,
};

} // namespace

std::vector<Binding> CCategoryViewFactory::CreateAll(const Context& context) {
    Bindings bindings;
    for (Maker make : kMakers)
        make(context, bindings);
    QPointer<QNavigateWidget> navigate(context.navigate);
    const int handle = context.deviceHandle;
    for (const Binding& binding : bindings) {
        if (!binding.view)
            continue;
        binding.view->hide();
        // A page the device cannot fill yet has no count to wait for.
        if (auto* view = qobject_cast<QBaseDetailsView*>(binding.view.data()))
            QObject::connect(view, &QBaseDetailsView::emitUnavailable, context.navigate,
                             [navigate, handle, kind = binding.kind] {
                                 if (navigate)
                                     navigate->ShowUncounted(handle, kind);
                             });
    }
    return bindings;
}
