#pragma once

#include <map>
#include <memory>

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// One vexa-device-emulator serving a simulator folder of its own on a temporary usbmuxd socket, which
// USBMUXD_SOCKET_ADDRESS points at while it runs. Stopped (and waited for) with the object; a library
// that listened through it goes back to the simulator first, so its threads end before the emulator.
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
    // Encrypts the device's backups under `password` (few key rounds keep tests quick); none takes it away.
    int SetBackupPassword(const QString& udid, const QString& password = {}) const;
    // The device's Media folder here.
    QString Media(const QString& udid) const { return Root() + '/' + udid + "/Media"; }
    // Takes away the first song's file and the first PDF book, as a phone shows them after a failed sync:
    // their paths on the device, fewer when they could not be.
    QStringList RemoveFirstSongAndBook(const QString& udid) const;

    // Makes the library listen under `backend` ("sim" reads this emulator's folder) and waits until
    // `count` devices have arrived and those of the previous Listen have left: their handles by udid,
    // fewer when that did not happen in time.
    std::map<QString, int> Listen(const char* backend, size_t count);
    // The one device's handle, 0 when it did not arrive.
    int ListenForOne(const char* backend);

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    bool m_listening = false;
    std::map<QString, int> m_devices; // of the last Listen
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
