#pragma once

#include "DeviceSubItem.h"

class IVexaManager;
class QMusicTreeNodes;
class QMusicView;
class QPlayAnalysisTread;
class QString;
class QVideoView;

// What the category views of a device tell the navigation tree: counts that changed, nodes that stop
// waiting or need repainting, and the few requests a view makes of the tree. The navigation widget
// implements it; the category view factory wires each view to it.
class ICategoryTree {
public:
    virtual ~ICategoryTree() = default;

    virtual void RefreshVideoNode(int deviceHandle, QVideoView* view) = 0;
    virtual void RefreshMusicNode(int deviceHandle, QMusicView* view) = 0;
    virtual void RefreshPhotosNode(int deviceHandle) = 0;
    virtual void RefreshiBookNode(int deviceHandle) = 0;
    virtual void RefreshContactsNode(int deviceHandle) = 0;
    virtual void RefreshMessageNode(int deviceHandle) = 0;
    virtual void RefreshCallsNode(int deviceHandle) = 0;
    virtual void RefreshAppNode(int deviceHandle) = 0;
    virtual void RefreshSystemNode() = 0;
    virtual void RefreshPlayList(IVexaManager* manager, int libraryKind, QPlayAnalysisTread* loader) = 0;
    // Takes the waiting animation off a category node.
    virtual void StopWaiting(int deviceHandle, int kind) = 0;
    // The category's plain name, without a count, and no waiting: a page the device cannot fill.
    virtual void ShowUncounted(int deviceHandle, int kind) = 0;
    virtual void repaintTreeView(int deviceHandle, int row, tagDeviceSubItem item) = 0;
    // Shows the device's file system page at the container of the app `appId`.
    virtual void OpenAppDocuments(int deviceHandle, const QString& appId) = 0;
    // The music and playlist nodes, which take the files dropped on their views.
    virtual QMusicTreeNodes* MusicTree() const = 0;
};
