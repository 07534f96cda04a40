#include "CCategoryViewFactory.h"

#include <vexa/vexa.h>

#include <QDebug>

#include "AppPaths.h"
#include "CSingleDetectiPhone.h"
#include "DeviceSubItem.h"
#include "ICategoryTree.h"
#include "QAppsView.h"
#include "QCallsView.h"
#include "QContactsView.h"
#include "QMusicTreeNodes.h"
#include "QMusicView.h"
#include "QPhotoView.h"
#include "QPlayAnalysisTread.h"
#include "QPlayListView.h"
#include "QSystemView.h"
#include "QVideoView.h"
#include "QiBookAnalysisThread.h"
#include "QiBookView.h"
#include "TreeNode.h"
#include "qmessageView.h"

namespace {

using Binding = CCategoryViewFactory::Binding;
using Context = CCategoryViewFactory::Context;
using Bindings = std::vector<Binding>;

// Calls `member` of the tree for every `signal` of `sender`, for as long as the views' parent lives.
template <typename Sender, typename Signal, typename... Args>
void Forward(const Context& c, Sender* sender, Signal signal, void (ICategoryTree::*member)(Args...)) {
    ICategoryTree* tree = c.tree;
    QObject::connect(sender, signal, c.parent, [tree, member](Args... args) { (tree->*member)(args...); });
}

// Takes the waiting animation off the node of `kind` once `view` has loaded, whatever it found.
void StopWaitingWhenLoaded(const Context& c, QBaseDetailsView* view, int kind) {
    ICategoryTree* tree = c.tree;
    const int handle = c.deviceHandle;
    QObject::connect(view, &QBaseDetailsView::loadFinished, c.parent,
                     [tree, handle, kind] { tree->StopWaiting(handle, kind); });
}

void MakeMedia(const Context& c, Bindings& out) {
    auto* video = new QVideoView(c.manager, c.deviceHandle, c.parent);
    Forward(c, video, &QVideoView::emitRefreshVideoNode, &ICategoryTree::RefreshVideoNode);
    out.push_back({SUB_ITEM_MEDIA, video, nullptr, {}});
    out.push_back({NODE_VIDEO, video, nullptr, {}});

    auto* music = new QMusicView(c.manager, c.deviceHandle, c.parent);
    Forward(c, music, &QMusicView::emitRefreshMusicNode, &ICategoryTree::RefreshMusicNode);
    QObject::connect(music, &QMusicView::sendAddComputerFile, c.tree->MusicTree(),
                     &QMusicTreeNodes::OnAddMusic);
    out.push_back({NODE_MUSIC, music, nullptr, {}});
}

void MakePlaylist(const Context& c, Bindings& out) {
    auto* loader = new QPlayAnalysisTread(c.manager, c.deviceHandle, c.parent);
    auto* view = new QPlayListView(c.manager, c.deviceHandle, c.parent);
    // The loader hands its entries over on the interface thread and tells the tree from there.
    Forward(c, loader, &QPlayAnalysisTread::refreshPlayList, &ICategoryTree::RefreshPlayList);
    view->SetLoader(loader);
    QObject::connect(loader, &QPlayAnalysisTread::emitUnavailable, view, &QBaseDetailsView::ShowUnavailable);
    QObject::connect(view, &QPlayListView::sendAddComputerFile, c.tree->MusicTree(),
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
    auto* view = new QContactsView(c.manager, c.deviceHandle, c.parent);
    Forward(c, view, &QContactsView::emitRefreshContactsNode, &ICategoryTree::RefreshContactsNode);
    out.push_back({SUB_ITEM_CONTACTS, view, nullptr, {}});
}

void MakeMessages(const Context& c, Bindings& out) {
    auto* view = new qmessageView(c.manager, c.deviceHandle, c.parent);
    Forward(c, view, &qmessageView::repainTree, &ICategoryTree::repaintTreeView);
    Forward(c, view, &qmessageView::refreshMSGNode, &ICategoryTree::RefreshMessageNode);
    out.push_back({SUB_ITEM_MESSAGES, view, nullptr, {}});
}

void MakeCalls(const Context& c, Bindings& out) {
    auto* view = new QCallsView(c.manager, c.deviceHandle, c.parent);
    Forward(c, view, &QCallsView::refreshCallsNode, &ICategoryTree::RefreshCallsNode);
    out.push_back({SUB_ITEM_CALLS, view, nullptr, {}});
}

void MakeSystem(const Context& c, Bindings& out) {
    auto* view = new QSystemView(c.manager, c.deviceHandle, c.parent);
    // The system view shows no count; its node only stops waiting.
    StopWaitingWhenLoaded(c, view, SUB_ITEM_SYSTEM);
    Forward(c, view, &QBaseDetailsView::loadFinished, &ICategoryTree::RefreshSystemNode);
    out.push_back({SUB_ITEM_SYSTEM, view, nullptr, {}});
}

void MakePhotos(const Context& c, Bindings& out) {
    auto* view = new QPhotoView(c.manager, c.deviceHandle, c.parent);
    const DeviceInfo* record = CSingleDetectiPhone::Instance()->RecordOf(c.manager);
    const char* udid = record ? record->properties[DP_UniqueDeviceID] : nullptr;
    view->SetDeviceFolder(QStringLiteral("/%1").arg(QString::fromUtf8(udid ? udid : "")));
    Forward(c, view, &QPhotoView::emitRefreshPhotosNode, &ICategoryTree::RefreshPhotosNode);
    out.push_back({SUB_ITEM_PHOTOS, view, nullptr, {}});
}

void MakeApps(const Context& c, Bindings& out) {
    auto* view = new QAppsView(c.manager, c.deviceHandle, c.parent);
    Forward(c, view, &QAppsView::emitRefreshAppNode, &ICategoryTree::RefreshAppNode);
    Forward(c, view, &QAppsView::repainTree, &ICategoryTree::repaintTreeView);
    // A failed listing names no count; the node still stops waiting.
    StopWaitingWhenLoaded(c, view, SUB_ITEM_APPS);
    // "Documents" shows the app's container in the device's file system page.
    ICategoryTree* tree = c.tree;
    QObject::connect(view, &QAppsView::emitOpenAppDocuments, c.parent,
                     [tree](int deviceHandle, const QString& appId, const QString&) {
                         tree->OpenAppDocuments(deviceHandle, appId);
                     });
    out.push_back({SUB_ITEM_APPS, view, nullptr, {}});
}

void MakeBooks(const Context& c, Bindings& out) {
    auto* view = new QiBookView(c.manager, c.deviceHandle, c.parent);
    auto* loader = new QiBookAnalysisThread(c.manager, c.parent);
    const QByteArray folder = WorkDir().toUtf8();
    loader->AppendPlistPath(folder + "/Purchases.plist");
    loader->AppendPlistPath(folder + "/Books.plist");
    loader->SetCallback(view);
    Forward(c, view, &QiBookView::repainTree, &ICategoryTree::repaintTreeView);
    Forward(c, loader, &QiBookAnalysisThread::emitRefreshiBookNode, &ICategoryTree::RefreshiBookNode);
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
    MakeMedia,  MakePlaylist, MakeContacts, MakeMessages, MakeCalls,
    MakeSystem, MakePhotos,   MakeApps,     MakeBooks,
};

} // namespace

std::vector<Binding> CCategoryViewFactory::CreateAll(const Context& context) {
    Bindings bindings;
    for (Maker make : kMakers)
        make(context, bindings);
    ICategoryTree* tree = context.tree;
    const int handle = context.deviceHandle;
    for (const Binding& binding : bindings) {
        if (!binding.view)
            continue;
        binding.view->hide();
        // A page the device cannot fill yet has no count to wait for.
        if (auto* view = qobject_cast<QBaseDetailsView*>(binding.view.data()))
            QObject::connect(view, &QBaseDetailsView::emitUnavailable, context.parent,
                             [tree, handle, kind = binding.kind] { tree->ShowUncounted(handle, kind); });
    }
    return bindings;
}
