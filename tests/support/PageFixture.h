#pragma once

#include <filesystem>
#include <functional>

#include <QTest>

#include "AppPaths.h"
#include "MessageCatcher.h"
#include "SimPhone.h"
#include "sim/FaultInjector.h"

// What every category page test starts from: a phone of the large-device generator plugged into the
// simulator with a manager bound to it, and the catcher that closes and answers the message boxes a page
// opens. A test class derives from it beside QObject, starts it in initTestCase() and stops it in
// cleanupTestCase(); each test then begins with no messages, questions answered no, and no planned faults.
class PageFixture {
protected:
    // False, with a warning that names the step, when the phone did not arrive.
    bool StartPage(const char* udid, const char* name, vexa::sim::LargeDeviceSpec spec = {}) {
        spec.udid = udid;
        spec.name = name;
        return StartPageWith(udid, [&spec](const QString& root) {
            return vexa::sim::GenerateLargeDevice(root.toStdString(), spec) == 0;
        });
    }
    // The same with a phone of the test's making: `make` fills the simulator folder it is given.
    bool StartPageWith(const char* udid, const std::function<bool(const QString& root)>& make) {
        SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
        qRegisterMetaType<IVexaManager*>();
        if (!m_phone.Plug(udid, make))
            return false;
        m_manager = m_phone.Manager();
        m_messages = new MessageCatcher;
        return true;
    }
    void StopPage() {
        delete m_messages;
        m_messages = nullptr;
        m_phone.Release();
    }
    // For init().
    void ResetMessages() {
        m_messages->Clear();
        m_messages->SetAnswerYes(false);
    }
    // For cleanup(): takes back the faults a test planned and that did not strike.
    void ClearFaults() const { vexa::sim::FaultInjector::Clear(FaultsFile()); }

    std::filesystem::path DeviceFolder() const { return m_phone.Folder(); }
    std::filesystem::path FaultsFile() const { return m_phone.FaultsFile(); }
    int AddFault(const vexa::sim::FaultSpec& fault) const {
        return vexa::sim::FaultInjector::Add(FaultsFile(), fault);
    }

    SimPhone m_phone;
    IVexaManager* m_manager = nullptr;
    MessageCatcher* m_messages = nullptr;
};
