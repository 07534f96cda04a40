#pragma once

#include <filesystem>
#include <functional>

#include <QString>

#include <vexa/vexa.h>

#include "sim/ContentServices.h"

// One phone made by the large-device generator in the test program's own simulator folder
// (VEXA_SIM_ROOT), plugged in, with a manager bound to it: what every page test starts from.
class SimPhone {
public:
    SimPhone() = default;
    ~SimPhone() { Release(); }
    SimPhone(const SimPhone&) = delete;
    SimPhone& operator=(const SimPhone&) = delete;

    // Empties the simulator folder, makes the phone, starts listening and waits for it to arrive.
    // False, with a warning that names the step, when any step fails.
    bool Plug(const vexa::sim::LargeDeviceSpec& spec);
    // The same with a phone of the caller's making: `make` fills the simulator folder it is given.
    bool Plug(const char* udid, const std::function<bool(const QString& root)>& make);
    // Releases the manager and stops listening; views that hold the manager must be gone first.
    void Release();

    IVexaManager* Manager() const { return m_manager; }
    int Handle() const { return m_handle; }
    const QString& Root() const { return m_root; }
    std::filesystem::path Folder() const;
    // The file the simulator reads planned faults from.
    std::filesystem::path FaultsFile() const { return Folder() / "faults"; }

    // The handle of the device that arrived last, for tests that plug in a second phone.
    static int LastArrived();

private:
    QString m_root;
    std::string m_udid;
    IVexaManager* m_manager = nullptr;
    int m_handle = 0;
    bool m_listening = false;
};
