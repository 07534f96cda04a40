#pragma once

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
