#pragma once

#include <QProcess>
#include <QStringList>

#include <vexa/vexa.h>

#include "CSingleDetectiPhone.h"
#include "QNavigateWidget.h"
#include "TreeNode.h"

// The simulated devices of the tests that drive the program's views, through the simulator's control
// program.

// Runs the control program; its exit code, or -1 when it did not end. `output` receives what it printed.
inline int SimCtl(const QStringList& arguments, QString* output = nullptr) {
    QProcess process;
    process.start(QStringLiteral(VEXA_BIN_DIR "/vexa-simctl"), arguments);
    if (!process.waitForFinished(60000))
        return -1;
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput());
    return process.exitCode();
}

// Plugs the device in; the first time (the simulator's folder outlives a run) it is made with `extra`.
inline bool PlugOrCreate(const char* udid, const char* name, const char* productType = "iPhone8,1",
                         const QStringList& extra = {}) {
    return SimCtl({"plug", udid}) == 0 ||
           SimCtl(QStringList{"create", "--udid", udid, "--name", name, "--product-type", productType} +
                  extra) == 0;
}

inline TreeNode* NodeNamed(const QNavigateWidget* navigate, const QString& name) {
    for (TreeNode* node : navigate->DeviceNodes()) {
        if (node->Text() == name)
            return node;
    }
    return nullptr;
}

// The program's handle of the device while it knows the device, else -1.
inline int HandleOf(const char* udid) {
    const auto records = CSingleDetectiPhone::Instance()->Records();
    for (auto it = records.begin(); it != records.end(); ++it) {
        const char* id = it.value()->properties[DP_UniqueDeviceID];
        if (id && qstrcmp(id, udid) == 0)
            return it.key();
    }
    return -1;
}
