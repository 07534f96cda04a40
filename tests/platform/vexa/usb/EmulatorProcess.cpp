#include "EmulatorProcess.h"

#include <csignal>
#include <mutex>
#include <vector>

#include <sys/prctl.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <vexa/vexa.h>

EmulatorProcess::EmulatorProcess() {
    QDir(m_dir.path()).mkpath(QStringLiteral("simulator"));
}

EmulatorProcess::~EmulatorProcess() {
    Stop();
}

int EmulatorProcess::SimCtl(const QString& root, const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(VEXA_BIN_DIR "/vexa-simctl"), QStringList{"--root", root} + arguments);
    process.waitForFinished(120000);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool EmulatorProcess::Start(const QStringList& extraArguments) {
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A test that dies must not leave the emulator behind (it would also keep ctest waiting).
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start(QStringLiteral(VEXA_BIN_DIR "/vexa-device-emulator"),
                    QStringList{"--socket", SocketPath(), "--root", Root(), "--control",
                                m_dir.filePath(QStringLiteral("control"))} +
                        extraArguments);
    if (!m_process.waitForStarted(10000)) {
        return false;
    }
    // The control socket answers once the muxer accepts connections.
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (QFileInfo::exists(SocketPath()) && Control("devices").startsWith("ok")) {
            qputenv("USBMUXD_SOCKET_ADDRESS", "UNIX:" + SocketPath().toLocal8Bit());
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

void EmulatorProcess::Stop() {
    if (m_process.state() == QProcess::NotRunning) {
        return;
    }
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QByteArray EmulatorProcess::Control(const QByteArray& command) {
    QLocalSocket socket;
    socket.connectToServer(m_dir.filePath(QStringLiteral("control")));
    if (!socket.waitForConnected(2000)) {
        return "error: no control socket";
    }
    socket.write(command + "\n");
    socket.flush();
    QByteArray answer;
    QDeadlineTimer deadline(10000);
    while (!answer.contains('\n') && !deadline.hasExpired()) {
        if (socket.waitForReadyRead(100)) {
            answer += socket.readAll();
        }
        if (socket.state() != QLocalSocket::ConnectedState) {
            answer += socket.readAll();
            break;
        }
    }
    return answer.trimmed();
}

namespace {
std::mutex g_eventMutex;
std::vector<std::pair<int, int>> g_events;
} // namespace

int RecordEvent(int mode, int handle) {
    std::lock_guard lock(g_eventMutex);
    g_events.emplace_back(mode, handle);
    return 0;
}

size_t EventCount() {
    std::lock_guard lock(g_eventMutex);
    return g_events.size();
}

int EventAfter(size_t from, int mode, int handle) {
    std::lock_guard lock(g_eventMutex);
    for (size_t i = from; i < g_events.size(); ++i) {
        if (g_events[i].first == mode && (handle == 0 || g_events[i].second == handle))
            return g_events[i].second;
    }
    return 0;
}

int WaitForEvent(size_t from, int mode, int handle, int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    for (;;) {
        if (const int found = EventAfter(from, mode, handle); found != 0 || deadline.hasExpired())
            return found;
        QThread::msleep(10);
    }
}

void ManagerDeleter::operator()(IVexaManager* manager) const {
    DeleteVexaManager(&manager);
}

Manager Bind(int handle) {
    Manager manager(GetVexaManager());
    if (manager && manager->SetDeviceHandle(handle) != VEXA_OK)
        manager.reset();
    return manager;
}
