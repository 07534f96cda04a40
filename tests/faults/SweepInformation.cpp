#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <vexa/vexa.h>

#include "DialogAnswerer.h"
#include "FaultSweep.h"
#include "QDeviceInformationWidget.h"
#include "SweepKit.h"
#include "TreeNode.h"

namespace {

// The model whose storage figures come from the older call, and the phone the sweep otherwise is.
const char* const kLegacyProduct = "iPod2,1";
const char* const kPhoneProduct = "iPhone8,1";

// Presses Refresh on the information page and waits for the storage worker.
bool RefreshStorage(SweepDevice& device) {
    QPointer<QDeviceInformationWidget> page = device.InformationPage();
    if (!page)
        return false;
    device.Press(device.DeviceNode());
    QSignalSpy finished(page.data(), &QDeviceInformationWidget::GetDiskInfoFinished);
    QSignalSpy failed(page.data(), &QDeviceInformationWidget::emitGetDiskInfoFailed);
    device.JustBeforeCall();
    page->onClickRefresh();
    return Await(page, [&] { return !page->IsRunning() && finished.count() > 0; }) && failed.isEmpty() &&
           page->LastDiskInfo().values[DI_DataCapacity] > 0;
}

} // namespace

void AddInformationOperations(std::vector<SweepOperation>& operations) {
    operations.push_back({
        .call = {"GetDeviceInfo", "plug the phone in; the arrival reads its record",
                 "Get device information failed!"},
        .unplugBeforeByFault = true,
        .prepare =
            [](SweepDevice& device) {
                device.SetPlugged(false);
                device.WaitGone();
            },
        .act =
            [](SweepDevice& device) {
                const QString failure = QStringLiteral("Get device information failed!");
                device.SetPlugged(true);
                (void)QTest::qWaitFor(
                    [&] { return device.WaitShown(50) || device.Dialogs()->Messages().contains(failure); },
                    kSweepWaitMs);
                return device.DeviceNode() != nullptr;
            },
    });

    operations.push_back({
        .call = {"GetDiskInfo", "Refresh on the information page (storage worker)", "Get diskInfo failed!"},
        .act = RefreshStorage,
    });

    operations.push_back({
        .call = {"GetDiskInfoLegacy", "Refresh on the information page of a first iPod touch",
                 "Get diskInfo failed!"},
        .prepare = [](SweepDevice& device) { device.EnsureProductType(kLegacyProduct); },
        .act = RefreshStorage,
        .finish = [](SweepDevice& device) { device.EnsureProductType(kPhoneProduct); },
    });

    operations.push_back({
        .call = {"SetDeviceName", "rename the phone on the information page", "Rename failed!"},
        .worker = false,
        .act =
            [](SweepDevice& device) {
                QPointer<QDeviceInformationWidget> page = device.InformationPage();
                if (!page)
                    return false;
                const QString name = QStringLiteral("Fault Phone %1").arg(device.Next());
                QSignalSpy renamed(page.data(), &QDeviceInformationWidget::refreshTreeRootName);
                device.JustBeforeCall();
                page->OnEmitRefreshTreeRootName(name);
                return !renamed.isEmpty() && device.DeviceNode() && device.DeviceNode()->Text() == name;
            },
        .verify = [](SweepDevice& device) { return device.DeviceName() == device.DeviceNode()->Text(); },
    });
}
