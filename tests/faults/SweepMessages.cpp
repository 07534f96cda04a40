#include <QPointer>
#include <QSignalSpy>

#include <vexa/vexa.h>

#include "DeviceSubItem.h"
#include "DialogAnswerer.h"
#include "FaultSweep.h"
#include "QMessageFlow.h"
#include "QOperatePanel.h"
#include "SweepKit.h"
#include "TreeNode.h"
#include "qmessageView.h"

namespace {

// Presses the Messages node (its first press loads the page) or Refresh on the page, and waits for the
// loading thread.
bool LoadMessages(SweepDevice& device) {
    QPointer<qmessageView> view = device.MessagesView();
    TreeNode* node = device.Category(SUB_ITEM_MESSAGES);
    if (!view || !node)
        return false;
    QSignalSpy finished(view.data(), &QBaseDetailsView::loadFinished);
    QSignalSpy failed(view.data(), &qmessageView::emitFailed);
    device.JustBeforeCall();
    return LoadPage(device, node, view, finished) && failed.isEmpty() && finished.count() > 0;
}

int DeviceConversations(const SweepDevice& device) {
    int count = -1;
    device.WithManager([&](IVexaManager* manager) {
        ConversationList* list = nullptr;
        if (manager->GetDeviceService()->GetMessages(&list, 0) != 0 || !list)
            return false;
        count = list->count;
        return true;
    });
    return count;
}

} // namespace

void AddMessagesOperations(std::vector<SweepOperation>& operations) {
    operations.push_back({
        .call = {"GetMessages", "press the Messages node, then Refresh on its page (loader thread)",
                 "Please unlock your device first, and then try again!"},
        .act = LoadMessages,
        .verify =
            [](SweepDevice& device) {
                // The page is usable again: it lists what the device holds and shows the first one.
                qmessageView* view = device.MessagesView();
                return view && view->GetChunkCount() > 0 &&
                       view->GetChunkCount() == DeviceConversations(device) &&
                       view->Flow()->CurrentConversation() != nullptr;
            },
    });
}
