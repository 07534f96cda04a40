#pragma once

#include <memory>

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// One vexa-device-emulator serving a simulator folder of its own on a temporary usbmuxd socket, which
// USBMUXD_SOCKET_ADDRESS points at while it runs. Stopped (and waited for) with the object.
class EmulatorProcess {
public:
    EmulatorProcess();
    ~EmulatorProcess();

    bool Start(const QStringList& extraArguments = {});
    void Stop();
    QString Root() const { return m_dir.filePath(QStringLiteral("simulator")); }
    QString SocketPath() const { return m_dir.filePath(QStringLiteral("usbmuxd")); }
    // One control line; the answer without its line end ("ok ..." or "error: ...").
    QByteArray Control(const QByteArray& command);
    // Runs vexa-simctl on the folder; its exit code.
    static int SimCtl(const QString& root, const QStringList& arguments);
    int SimCtl(const QStringList& arguments) const { return SimCtl(Root(), arguments); }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

class IVexaManager;

// Arrivals and removals as the library's listener reports them, on its own thread; pass RecordEvent to
// IOSListener.
int RecordEvent(int mode, int handle);
size_t EventCount();
// The handle of the first event of `mode` (for `handle` unless 0) at or after position `from`, or 0.
int EventAfter(size_t from, int mode, int handle = 0);
int WaitForEvent(size_t from, int mode, int handle = 0, int milliseconds = 10000);

struct ManagerDeleter {
    void operator()(IVexaManager* manager) const;
};
using Manager = std::unique_ptr<IVexaManager, ManagerDeleter>;
// A manager bound to the device, or null when it cannot be.
Manager Bind(int handle);
