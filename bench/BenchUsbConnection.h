#pragma once

#include <atomic>
#include <functional>

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <vexa/vexa.h>

// The library switched to the usb backend and bound to the one phone a started vexa-device-emulator
// serves, for as long as this lives. Made after the emulator, it goes before it: the manager is freed
// and the library back on the simulator before the emulator stops.
class BenchUsbConnection {
public:
    // Waits up to 20 s for the phone to arrive.
    BenchUsbConnection() {
        qputenv("VEXA_BACKEND", "usb");
        IOSInitialize();
        IOSListener(OnDevice);
        QDeadlineTimer deadline(20000);
        while (Arrived() == 0 && !deadline.hasExpired())
            QThread::msleep(5);
        m_manager = GetVexaManager();
        m_connected =
            Arrived() != 0 && m_manager != nullptr && m_manager->SetDeviceHandle(Arrived()) == VEXA_OK;
    }

    ~BenchUsbConnection() {
        DeleteVexaManager(&m_manager);
        qputenv("VEXA_BACKEND", "sim");
        IOSInitialize();
        IOSListener(nullptr);
    }

    BenchUsbConnection(const BenchUsbConnection&) = delete;
    BenchUsbConnection& operator=(const BenchUsbConnection&) = delete;

    // Whether the phone arrived and the manager is bound to it.
    bool Connected() const { return m_connected; }
    IVexaManager* Manager() const { return m_manager; }

private:
    static std::atomic<int>& Arrived() {
        static std::atomic<int> handle{0};
        return handle;
    }

    static int OnDevice(int mode, int handle) {
        if (mode == VEXA_DEVICE_ARRIVED)
            Arrived() = handle;
        return 0;
    }

    IVexaManager* m_manager = nullptr;
    bool m_connected = false;
};

// The milliseconds `step` takes, timed after the dirty pages are written out so that neither side of a
// comparison pays for the other's writes; `ok` turns false when the step fails.
inline double TimedAfterSync(const std::function<bool()>& step, bool& ok) {
    QProcess::execute("sync", {});
    QElapsedTimer timer;
    timer.start();
    ok = step() && ok;
    return double(timer.elapsed());
}
